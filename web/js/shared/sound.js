// The story's sound in a page: a film's soundtrack, made by the studio's program
// (the desktop's own synthesis, 48 kHz stereo, 1,200 samples a frame), played
// with Web Audio from a frame, with its clock for the pictures to follow: the
// sound of frame k is heard while frame k is shown. Short grains of it play
// where a scrub lands. Sound on or off is remembered in the browser.

const RATE = 48000;
const PER_FRAME = 1200;
const REMEMBERED = 'practica02:sound';

export function soundWanted() {
  try {
    return localStorage.getItem(REMEMBERED) !== 'off';
  } catch (error) {
    return true;
  }
}

export function rememberSound(on) {
  try {
    localStorage.setItem(REMEMBERED, on ? 'on' : 'off');
  } catch (error) {
    // not remembered, but on or off as asked
  }
}

export class Soundtrack {
  constructor() {
    this.context = null;  // made at the first play, from a user's gesture
    this.buffer = null;   // the soundtrack of the film it was made of
    this.made = null;     // what it was made of (a key the caller chooses)
    this.source = null;   // the source playing, and when and from which frame it began
    this.started = 0;
    this.from = 0;
  }

  // The audio context, made or woken; call it from a click or a tap first.
  wake() {
    if (!this.context)
      this.context = new AudioContext({ sampleRate: RATE, latencyHint: 'interactive' });
    if (this.context.state === 'suspended')
      this.context.resume();
    return this.context;
  }

  // Whether the browser lets it play now (some wait for a gesture).
  allowed() {
    return !!this.context && this.context.state === 'running';
  }

  // The soundtrack of a film: core.soundtrack's samples of its frames, made once per what.
  prepare(core, frames, what) {
    if (this.made === what && this.buffer)
      return;
    const samples = core.soundtrack(0, frames - 1), pairs = samples.length / 2;
    const buffer = new AudioBuffer({ numberOfChannels: 2, length: pairs, sampleRate: RATE });
    const left = buffer.getChannelData(0), right = buffer.getChannelData(1);
    for (let i = 0; i < pairs; i++) {
      left[i] = samples[2 * i] / 32768;
      right[i] = samples[2 * i + 1] / 32768;
    }
    this.buffer = buffer;
    this.made = what;
  }

  // Plays from frame n on.
  play(n) {
    this.stop();
    if (!this.buffer || !this.context)
      return;
    const source = new AudioBufferSourceNode(this.context, { buffer: this.buffer });
    source.connect(this.context.destination);
    this.started = this.context.currentTime + 0.01;
    this.from = n;
    source.start(this.started, n * PER_FRAME / RATE);
    this.source = source;
  }

  stop() {
    if (this.source) {
      this.source.stop();
      this.source.disconnect();
      this.source = null;
    }
  }

  // The frame whose sound is heard now, while it plays (the output's latency allowed for).
  frameNow() {
    const c = this.context, late = (c.outputLatency || 0) + (c.baseLatency || 0);
    return this.from + Math.max(0, Math.floor((c.currentTime - late - this.started) * RATE / PER_FRAME));
  }

  playing() {
    return this.source !== null;
  }

  // A short grain of frame n's sound, where a scrub lands.
  grain(n, seconds = 0.12) {
    if (!this.buffer || !this.allowed() || this.source)
      return;
    const source = new AudioBufferSourceNode(this.context, { buffer: this.buffer });
    const gain = new GainNode(this.context, { gain: 0 });
    source.connect(gain).connect(this.context.destination);
    const t = this.context.currentTime;
    gain.gain.linearRampToValueAtTime(1, t + 0.01);
    gain.gain.setValueAtTime(1, t + seconds - 0.02);
    gain.gain.linearRampToValueAtTime(0, t + seconds);
    source.start(t, n * PER_FRAME / RATE, seconds);
  }
}
