// The game's sound on the browser's audio thread. Each 128-frame quantum comes straight from the
// program's sound ring (platform/web/spsc_ring.h, web_audio.h) in the module's shared memory,
// taken as the ring's Pop takes it: the head and the tail loaded atomically, the samples copied,
// the new head stored atomically; so the page's thread, however busy, never stands in the way.
// Now and then the counts of frames played and of frames not silent go back to the page.
'use strict';

// About 23 ms of quanta between two counts.
const kQuantaPerCount = 8;

class RingPlayer extends AudioWorkletProcessor {
    constructor(options) {
        super();
        const { memory, items, head, tail, capacity } = options.processorOptions;
        this.samples = new Int16Array(memory, items, capacity);
        this.counters = new Uint32Array(memory);
        this.head = head >> 2;
        this.tail = tail >> 2;
        this.mask = capacity - 1;
        this.frames = 0;
        this.loud = 0;
        this.quanta = 0;
    }

    // The ring holds samples, left and right taking turns: two to a frame.
    take(left, right) {
        const head = Atomics.load(this.counters, this.head);
        const waiting = (Atomics.load(this.counters, this.tail) - head) >>> 0;
        const frames = Math.min(left.length, waiting >>> 1);
        let loud = 0;
        for (let i = 0; i < left.length; ++i) {
            const l = i < frames ? this.samples[(head + 2 * i) & this.mask] / 32768 : 0;
            const r = i < frames ? this.samples[(head + 2 * i + 1) & this.mask] / 32768 : 0;
            left[i] = l;
            right[i] = r;
            if (l !== 0 || r !== 0) ++loud;
        }
        Atomics.store(this.counters, this.head, (head + 2 * frames) >>> 0);
        this.frames += frames;
        this.loud += loud;
    }

    process(inputs, outputs) {
        const [left, right] = outputs[0];
        this.take(left, right || new Float32Array(left.length));
        if (++this.quanta % kQuantaPerCount === 0 && this.frames > 0) {
            this.port.postMessage({ frames: this.frames, loud: this.loud });
            this.frames = 0;
            this.loud = 0;
        }
        return true;
    }
}

registerProcessor('ring-player', RingPlayer);
