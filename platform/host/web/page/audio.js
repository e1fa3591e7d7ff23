// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The audio worklet: plays the 16-bit stereo buffers the page sends it, in order,
// and silence whenever none is waiting.
class MornakleFeed extends AudioWorkletProcessor {
    constructor() {
        super();
        this.queue = [];
        this.offset = 0;
        this.port.onmessage = (event) => {
            if (event.data === 'stop') {
                this.queue = [];
                this.offset = 0;
            } else {
                this.queue.push(event.data);
            }
        };
    }

    process(inputs, outputs) {
        const [left, right] = outputs[0];
        for (let i = 0; i < left.length; ++i) {
            const buffer = this.queue[0];
            if (!buffer) {
                left[i] = 0;
                right[i] = 0;
                continue;
            }
            left[i] = buffer[this.offset] / 32768;
            right[i] = buffer[this.offset + 1] / 32768;
            this.offset += 2;
            if (this.offset >= buffer.length) {
                this.queue.shift();
                this.offset = 0;
            }
        }
        return true;
    }
}

registerProcessor('mornakle-feed', MornakleFeed);
