// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The page around the program: loads the program and its data files, starts the show
// on Play (browsers start sound only after a gesture), hands it keys, frames and
// sound, and shows the last frame with "Play again" when it ends. The transport's
// controls and keys are in transport.js.
//
// Test mode, for our tests: index.html?frame-ms=N&until-ms=T[&start-ms=S][&dialog=ok|cancel|close][&seeks=A,B...]
// runs at once on a virtual counter and fills the <output> elements; seeks are show
// times in ms, each sought when the one before is reached (the first from the start).
'use strict';

const params = new URLSearchParams(location.search);
const testMode = params.has('frame-ms') && params.has('until-ms');
const dialogAnswers = ['ok', 'cancel', 'close'];
const sampleRate = 44100;
const audioLeadSeconds = 0.12;  // how far ahead of the speakers the sound is mixed

const stage = document.getElementById('stage');
const canvas = document.getElementById('screen');
const context2d = canvas.getContext('2d');
const playButton = document.getElementById('play');
const progress = document.getElementById('progress');
const message = document.getElementById('message');

let image = null;
let eventQueue = [];
let running = false;
let audio = null;  // {context, node} once a gesture allowed sound
let instance = null;  // the program running: {options, stop, stopped, ended}
let loaded = null;  // the compiled program and the data files

// The program's options: the test mode's from the address, a visitor's from the show
// being started (a link's moment, or a seek back).
function option(name) {
    if (name in instance.options) return instance.options[name];
    const value = params.get(name);
    if (!testMode || value === null) return -1;
    if (name === 'dialog') return dialogAnswers.indexOf(value);
    const number = Number(value);
    return Number.isInteger(number) && number >= 0 ? number : -1;
}

// The program and its data files, fetched and unpacked by a worker (unpack.js).
const unpacker = new Worker('unpack.js');
const unpacking = new Map();
let unpackCount = 0;
unpacker.onmessage = ({data: {id, bytes, error}}) => {
    const {resolve, reject} = unpacking.get(id);
    unpacking.delete(id);
    if (error) reject(new Error(error));
    else resolve(bytes);
};

function fetchUnpacked(url) {
    const id = ++unpackCount;
    return new Promise((resolve, reject) => {
        unpacking.set(id, {resolve, reject});
        unpacker.postMessage({id, url: new URL(url, location.href).href});
    });
}

// The compiled program (compiled once, instantiated anew by each show) and the data files.
async function load() {
    const list = await fetch('data/files.txt', {cache: 'no-cache'}).then((response) => response.text());
    const names = list.split('\n').filter((name) => name);
    let done = 0;
    const counted = async (promise) => {
        const result = await promise;
        progress.value = ++done / (names.length + 1);
        return result;
    };
    const compiled = fetchUnpacked('mornakle.wasm.gz').then((bytes) => {
        if (!bytes) throw new Error('mornakle.wasm.gz is missing');
        return WebAssembly.compile(bytes);
    });
    const data = names.map((name) =>
        fetchUnpacked('data/' + encodeURIComponent(name) + '.gz').then((bytes) => bytes && {name, bytes}));
    const [program, ...files] = await Promise.all([compiled, ...data].map(counted));
    return {program, files: files.filter((file) => file)};
}

async function openAudio() {
    try {
        const context = new AudioContext({sampleRate});
        await context.audioWorklet.addModule('audio.js');
        const node = new AudioWorkletNode(context, 'mornakle-feed', {outputChannelCount: [2]});
        node.connect(context.destination);
        await context.resume();
        return {context, node, posted: 0, startTime: 0};
    } catch (error) {
        console.info('No sound: ' + error);
        return null;
    }
}

// What the program's host calls (platform/host/web/src/web_host.cpp, web_transport.cpp);
// an instance that is stopping is heard no more.
function hostSide(self) {
    const live = () => self === instance;
    return {
        option,
        optionText(name) {
            return String(self.options[name] ?? '');
        },
        setSize(width, height) {
            if (!live()) return;
            if (canvas.width !== width || canvas.height !== height) {
                canvas.width = width;
                canvas.height = height;
                image = null;
            }
        },
        show(rgba, width, height) {
            if (!live()) return;
            if (!image || image.width !== width || image.height !== height) image = new ImageData(width, height);
            image.data.set(rgba);
            context2d.putImageData(image, 0, 0);
        },
        nextEvent() {
            return live() ? eventQueue.shift() || null : null;
        },
        nextFrame() {
            return new Promise((resolve) => requestAnimationFrame(() => resolve()));
        },
        cursor(visible) {
            if (live()) canvas.style.cursor = visible ? '' : 'none';
        },
        message(caption, text) {
            if (live()) message.textContent = caption + ': ' + text;
        },
        openAudio() {
            if (!audio || !live()) return 0;
            restartAudio();
            return 1;
        },
        closeAudio() {
            if (audio) audio.node.port.postMessage('stop');
        },
        restartAudio() {
            if (audio && live()) restartAudio();
        },
        audioWanted() {
            const played = (audio.context.currentTime - audio.startTime) * sampleRate;
            const wanted = Math.round(played + audioLeadSeconds * sampleRate - audio.posted);
            return live() ? Math.min(Math.max(wanted, 0), sampleRate) : 0;
        },
        audioPlay(samples) {
            if (!live()) return;
            const copy = new Int16Array(samples);
            audio.node.port.postMessage(copy, [copy.buffer]);
            audio.posted += copy.length / 2;
        },
        // The transport (transport.js): the viewer's next command, [kind, moment], as
        // web_transport.cpp numbers them, and whether a key waits for the demo.
        nextCommand() {
            return live() ? transport.commands.shift() || null : null;
        },
        keyWaiting() {
            return eventQueue.some(([kind]) => kind === keyDown || kind === keyUp) ? 1 : 0;
        },
        // A seek back: this instance has closed its sound and stays where it is for good.
        restart(ms, paused) {
            if (live()) start({'seek-ms': ms, 'paused': paused, 'dialog-unseen': 1});
        },
        shown(ms, clock, link) {
            if (live()) onShown(ms, clock, link);
        },
        seeking(ms, target, progress) {
            if (live()) onSeeking(ms, target, progress);
        },
        arrived(ms) {
            if (live()) onArrived(ms);
        },
        chapter(ms, name) {
            if (live()) addChapter(ms, name);
        },
        report(audioText, timing, exitCode) {
            if (!live()) return;
            running = false;
            if (testMode) {
                document.getElementById('frame').value = canvas.toDataURL('image/png');
                document.getElementById('audio').value = audioText;
                document.getElementById('timing').value = timing;
                document.getElementById('status').value = String(exitCode);
                return;
            }
            this.closeAudio();
            onEnded();
            document.body.className = 'ended';
            playButton.textContent = 'Play again';
            playButton.disabled = false;
            document.getElementById('panel').style.display = 'block';
            playButton.focus();
        },
    };
}

// The sound already sent is dropped and the count starts again: what is mixed next plays next.
function restartAudio() {
    audio.node.port.postMessage('stop');
    audio.posted = 0;
    audio.startTime = audio.context.currentTime;
}

// The host's events, as its EventKind numbers them: [kind, virtual key] for a key,
// [kind, x, y, width, height] for the mouse (the point and the canvas's size on the page).
const keyDown = 0, keyUp = 1, mouseMove = 2, mouseDown = 3, mouseUp = 4;

// Win32's virtual-key codes are the browsers' key codes for every key the show reads;
// the transport's keys are the page's once the show has started (transport.js).
function onKey(event, released) {
    if (event.altKey || event.ctrlKey || event.metaKey || event.keyCode > 0xFF) return;
    if (transportKey(event, released) || !running) return;
    eventQueue.push([released ? keyUp : keyDown, event.keyCode]);
    event.preventDefault();
}
document.addEventListener('keydown', (event) => onKey(event, false), true);
document.addEventListener('keyup', (event) => onKey(event, true), true);

function onMouse(event, kind) {
    if (!running || (kind !== mouseMove && event.button !== 0)) return;
    const box = canvas.getBoundingClientRect();
    eventQueue.push([kind, Math.floor(event.clientX - box.left), Math.floor(event.clientY - box.top),
                     Math.round(box.width), Math.round(box.height)]);
}
// Moves and releases anywhere on the page: a dialog's button pressed on the canvas lets go
// without acting when the mouse is released off it.
document.addEventListener('mousemove', (event) => onMouse(event, mouseMove));
canvas.addEventListener('mousedown', (event) => onMouse(event, mouseDown));
document.addEventListener('mouseup', (event) => onMouse(event, mouseUp));

function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else stage.requestFullscreen().catch(() => {});
}
document.getElementById('fullscreen').addEventListener('click', toggleFullScreen);
stage.addEventListener('dblclick', toggleFullScreen);
document.getElementById('smooth').addEventListener('change', (event) => {
    canvas.classList.toggle('smooth', event.target.checked);
});

// A new instance of the program: options are a link's moment (t), or a seek back's
// (seek-ms, paused, dialog-unseen).
function start(options) {
    const self = {options};
    instance = self;
    eventQueue = [];
    running = true;
    document.body.className = 'running';
    message.textContent = '';
    onStarting();
    createMornakle({
        web: hostSide(self),
        instantiateWasm(imports, receive) {
            WebAssembly.instantiate(loaded.program, imports).then((made) => receive(made, loaded.program));
            return {};
        },
        preRun: [(module) => {
            module.FS.mkdir('/data');
            for (const file of loaded.files) module.FS.writeFile('/data/' + file.name, file.bytes);
        }],
        print: (text) => console.log(text),
        printErr: (text) => console.warn(text),
    });
    return self;
}

// The page and its poster first, then the show's files: they would share the line.
const pageLoaded = new Promise((resolve) => {
    if (document.readyState === 'complete') resolve();
    else window.addEventListener('load', resolve, {once: true});
});

pageLoaded.then(load).then((files) => {
    loaded = files;
    if (testMode) {
        start(testOptions());
        return;
    }
    playButton.disabled = false;
    let first = true;
    playButton.addEventListener('click', async () => {
        playButton.disabled = true;
        if (!audio) audio = await openAudio();
        // A link's moment opens the first show; Play again starts from the beginning.
        start(first ? linkOptions() : {});
        first = false;
        canvas.focus();
    });
}).catch((error) => {
    message.textContent = 'The show could not load: ' + error;
});
