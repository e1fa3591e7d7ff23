// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A worker that fetches the page's compressed files and unpacks them, so the page's own
// thread stays free to answer the visitor while the show loads. The program and its data
// files lie on the server packed with gzip (NAME.gz); the browser's DecompressionStream
// restores the bytes. A server that declares a .gz's encoding has the browser unpack it
// on the way, so only bytes still packed are unpacked. A missing file is null, as it
// would be missing on a disk.
'use strict';

async function fetchUnpacked(url) {
    // Asked again each time (a 304 when unchanged), so a file taken away is missing.
    const response = await fetch(url, {cache: 'no-cache'});
    if (!response.ok) return null;
    const bytes = new Uint8Array(await response.arrayBuffer());
    if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes;
    const unpacked = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(unpacked).arrayBuffer());
}

// Asked {id, url}, answers {id, bytes} (bytes handed over, not copied) or {id, error}.
self.onmessage = async ({data: {id, url}}) => {
    try {
        const bytes = await fetchUnpacked(url);
        self.postMessage({id, bytes}, bytes ? [bytes.buffer] : []);
    } catch (error) {
        self.postMessage({id, error: String(error)});
    }
};
