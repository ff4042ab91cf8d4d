// A film's frames A to B as a video file, made in the page: each frame drawn by
// the program off the visible canvas at the chosen size (with smooth lines on a
// multisampled context, when asked), read back and turned into BT.709 limited-range
// planes (./yuv.js), encoded by the browser's WebCodecs VideoEncoder, and muxed
// into MP4 or WebM by mediabunny at the story's pace (the program's, 40 frames a
// second): frame i of the video has timestamp i x 25 ms, however fast the page
// draws. The encoder's queue is kept short and the file is written as it is made
// to the origin's private file system (where the browser has one), so memory
// stays flat; a video that fails or is cancelled leaves nothing behind.
//
// With sound, the video carries the story's soundtrack of the same frames, as the
// program synthesizes and masters it (core.soundtrack, the desktop's `film
// sound`), with the music asked for: 48 kHz stereo, frame i's 1,200 pairs from
// i x 25 ms, encoded by the browser's WebCodecs AudioEncoder (Opus, in WebM) or
// by npm @mediabunny/aac-encoder where the browser has no AAC (in MP4), a second
// of it at a time between the frames.
import { AudioSample, AudioSampleSource, EncodedPacket, EncodedVideoPacketSource, Mp4OutputFormat, Output,
         WebMOutputFormat, canEncodeAudio } from 'mediabunny';
import { startCore } from './core.js';
import { fileTarget } from './export_file.js';
import { BT709, i420FromRgba } from './yuv.js';

// The encoder's settings, chosen from measurements (docs/benchmarks.md, "Videos
// from the page"): VP9 with its screen-content tools at 5.5 bits a pixel a
// second comes within 0.3 dB of render_film --share's luma at 1.3 times its size
// on the same frames; H.264 (constrained baseline here) is 2 dB short at 1.5 times.
export const MOST_SIZE = [3840, 2160];
const KEY_FRAME_SECONDS = 5;              // a key frame every 5 seconds (every 2: 4 % more bytes)
const QUEUE = 4;                          // frames the encoder may hold before the drawing waits
// The bitrate asked for (bits a second): 5.5 bits a pixel a second at 1280x720
// (5.07 Mbit/s), and at other sizes as x264 at a given CRF spends on these frames,
// 3.4 times the bits for 4 times the pixels (measured from 320x180 to 1920x1080).
const BITRATE_720P = 5.5 * 1280 * 720;
const BITRATE_GROWTH = 0.875;             // bitrate ~ pixels ^ this (4 ^ 0.875 = 3.4)
const LEAST_BITRATE = 2e5;                // for the tiniest sizes

// The sound's: the codec each container takes, its bit rate, and the rate of the
// program's soundtrack (stereo pairs a second, 1,200 a frame).
const SOUND_CODECS = { webm: { id: 'opus', name: 'Opus' }, mp4: { id: 'aac', name: 'AAC' } };
const SOUND_BITRATE = 160000;
const SOUND_RATE = 48000;

// The codecs offered, the first this browser encodes being the default: WebCodecs'
// codec string for a size, the containers that take them, and the content hint
// asked for ('detail' turns on VP9's screen-content tools, which these line
// drawings gain from; H.264's and AV1's then overshoot the bitrate on dense
// frames by two to four times, so they are asked for none).
export const CODECS = [
  { id: 'vp9', name: 'VP9', containers: ['webm', 'mp4'], string: vp9String, hint: 'detail' },
  { id: 'avc', name: 'H.264', containers: ['mp4'], string: avcString },
  { id: 'av1', name: 'AV1', containers: ['webm', 'mp4'], string: av1String },
  { id: 'hevc', name: 'H.265', containers: ['mp4'], string: () => 'hvc1.1.6.L123.B0' },
];

// Levels by macroblocks (H.264) or samples (VP9, AV1) a second, at rate frames a second.
function avcString(width, height, rate) {
  const perSecond = Math.ceil(width / 16) * Math.ceil(height / 16) * rate;
  const levels = [[108000, 0x1f], [216000, 0x20], [245760, 0x28], [522240, 0x2a], [983040, 0x33], [2073600, 0x34]];
  const level = (levels.find(([most]) => perSecond <= most) || levels[levels.length - 1])[1];
  return `avc1.4200${level.toString(16).padStart(2, '0')}`;
}

function vp9String(width, height, rate) {
  const perSecond = width * height * rate;
  const level = perSecond <= 36864000 ? '31' : perSecond <= 83558400 ? '41' : perSecond <= 311951360 ? '51' : '52';
  return `vp09.00.${level}.08`;
}

function av1String(width, height, rate) {
  const perSecond = width * height * rate;
  const level = perSecond <= 36864000 ? '05' : perSecond <= 73728000 ? '08' : perSecond <= 300000000 ? '12' : '13';
  return `av01.0.${level}M.08`;
}

// WebCodecs' configuration; tuned: members that replace these (for measurements).
export function encoderConfig(codec, width, height, rate, tuned = {}) {
  return {
    codec: codec.string(width, height, rate), width, height, framerate: rate,
    bitrate: Math.round(Math.max(LEAST_BITRATE, BITRATE_720P * (width * height / (1280 * 720)) ** BITRATE_GROWTH)),
    bitrateMode: 'variable',
    latencyMode: 'quality', ...(codec.hint ? { contentHint: codec.hint } : {}),
    ...(codec.id === 'avc' ? { avc: { format: 'avc' } } : {}), ...tuned,
  };
}

// The story's frames a second, as the program paces it.
async function framesPerSecond() {
  return 1000 / (await drawer(false)).core.facts.pace;
}

// The codecs this browser encodes at this size.
export async function encodable(width, height) {
  if (typeof VideoEncoder === 'undefined')
    return [];
  const rate = await framesPerSecond();
  const found = [];
  for (const codec of CODECS)
    try {
      if ((await VideoEncoder.isConfigSupported(encoderConfig(codec, width, height, rate))).supported)
        found.push(codec);
    } catch (error) {
      // not this one
    }
  return found;
}

// "WxH" as [width, height], or an Error saying in one sentence what is wrong with it.
export function parseSize(text) {
  const m = /^\s*(\d{1,9})\s*[x×]\s*(\d{1,9})\s*$/.exec(text);
  if (!m)
    throw new Error(`The size "${text.slice(0, 40)}" is not a size: write it as WIDTHxHEIGHT, such as 1280x720.`);
  const [width, height] = [Number(m[1]), Number(m[2])];
  if (width === 0 || height === 0)
    throw new Error(`The size ${width}x${height} has no pixels.`);
  if (width > MOST_SIZE[0] || height > MOST_SIZE[1])
    throw new Error(`The size ${width}x${height} is too large: the largest is ${MOST_SIZE[0]}x${MOST_SIZE[1]}.`);
  if (width % 2 || height % 2)
    throw new Error(`The size ${width}x${height} is odd: a video's width and height must be even.`);
  return [width, height];
}

function why(error) {
  if (error && error.name === 'QuotaExceededError')
    return 'the browser\'s storage for this site is full (the video is written there as it is made)';
  return ((error && error.message) || String(error)).replace(/\.$/, '');
}

// The program drawing off screen for videos, one for plain and one for smooth
// lines: a promise of { canvas, core }, made when first asked for.
const drawers = new Map();

function drawer(smooth) {
  if (!drawers.has(smooth)) {
    const canvas = document.createElement('canvas');
    drawers.set(smooth, startCore(canvas, { smooth }).then(core => ({ canvas, core }), error => {
      drawers.delete(smooth);  // asked again next time
      throw error;
    }));
  }
  return drawers.get(smooth);
}

// The frames for the encoder: frame(timestamp, duration) is the canvas's picture,
// just drawn, as a VideoFrame of BT.709 limited-range I420 planes, read back from
// the program's WebGL context before the browser presents it. asCanvas hands the
// encoder the canvas itself instead, which the browser converts (full range,
// marked sRGB): kept for measurements.
function framer(canvas, width, height, asCanvas) {
  if (asCanvas)
    return (timestamp, duration) => new VideoFrame(canvas, { timestamp, duration });
  const gl = canvas.getContext('webgl2') || canvas.getContext('webgl');
  const rgba = new Uint8Array(width * height * 4), planes = new Uint8Array(width * height * 3 / 2);
  return (timestamp, duration) => {
    gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    i420FromRgba(rgba, width, height, planes);
    return new VideoFrame(planes, { format: 'I420', codedWidth: width, codedHeight: height, timestamp, duration,
                                    colorSpace: BT709 });
  };
}

// The pairs of silence the extension's AAC encoder (libavcodec's) puts before the
// sound; it stamps its packets as if there were none, so its samples are given
// that much earlier, and the MP4's edit list cuts the silence off: sample k of
// the sound is then heard at frame k / 1200's instant.
const AAC_PRIMING = 1024;
let aacRegistered = null;  // the extension loaded and registered with mediabunny

// The encoder of the container's sound codec, { source, lead: seconds its samples
// are stamped early }, or an Error of one sentence: AAC through the extension
// where the browser has none of its own (loaded when first needed).
async function soundEncoder(container) {
  const sound = SOUND_CODECS[container];
  const asked = { numberOfChannels: 2, sampleRate: SOUND_RATE, bitrate: SOUND_BITRATE };
  let lead = 0;
  if (sound.id === 'aac' && !(await canEncodeAudio('aac', asked))) {
    lead = AAC_PRIMING / SOUND_RATE;
    await (aacRegistered = aacRegistered ||
           import('@mediabunny/aac-encoder').then(m => m.registerAacEncoder(), error => {
             aacRegistered = null;
             throw error;
           }));
  }
  if (!(await canEncodeAudio(sound.id, asked)))
    throw new Error(`This browser does not encode ${sound.name} sound for ${container === 'mp4' ? 'MP4' : 'WebM'}: ` +
                    'untick sound, or choose the other container.');
  return { source: new AudioSampleSource({ codec: sound.id, bitrate: SOUND_BITRATE }), lead };
}

// The video's encoder, its packets muxed into source as they come (in the planes'
// colour space where the encoder names none); check() throws the first failure
// of either, muxed() waits for the packets given so far.
function packetEncoder(source, tuning) {
  let failure = null;
  let muxing = Promise.resolve();
  const encoder = new VideoEncoder({
    output: (chunk, meta) => {
      if (meta && meta.decoderConfig && !(meta.decoderConfig.colorSpace || {}).matrix && !tuning.canvasFrames)
        meta = { ...meta, decoderConfig: { ...meta.decoderConfig, colorSpace: BT709 } };
      const packet = EncodedPacket.fromEncodedChunk(chunk);
      muxing = muxing.then(() => source.add(packet, meta)).catch(error => { failure = failure || error; });
    },
    error: error => { failure = failure || error; },
  });
  return {
    encoder,
    check: () => {
      if (failure)
        throw failure;
    },
    muxed: () => muxing,
  };
}

// hear(upTo): the sound of the frames not yet heard, up to frame upTo - 1 of the
// range, to audio's encoder, waiting while it is behind (nothing without sound).
function soundFeeder(audio, samples, perFrame, rate) {
  let heard = 0;  // frames of the range whose sound is encoded
  return async upTo => {
    if (!samples || upTo <= heard)
      return;
    // A copy of its own (given a view into the soundtrack, every second heard was the first)
    const data = samples.slice(heard * perFrame * 2, upTo * perFrame * 2);
    const sample = new AudioSample({ data, format: 's16', numberOfChannels: 2, sampleRate: SOUND_RATE,
                                     timestamp: heard / rate - audio.lead });
    heard = upTo;
    try {
      await audio.source.add(sample);
    } catch (error) {
      throw new Error(`the sound was not encoded (${why(error)})`);
    } finally {
      sample.close();
    }
  };
}

// Makes the video. options: { film (a film's text), name, from, to, width, height,
// codec (one of CODECS), container ('mp4' | 'webm'), smooth, sound (the story's
// soundtrack with it), music (null, or { samples: a Float32Array of interleaved
// stereo pairs at 48 kHz, offset: seconds from frame 0, gain: dB }, played with
// the story as the studio's Play plays it), progress(done, total),
// signal (an AbortSignal), tuning (for measurements: { config: encoder settings
// over the chosen ones, keyFrameSeconds, canvasFrames: the canvas handed to the
// encoder as it is) }. Resolves to { file (a Blob), remove() (frees where
// it was written, once it is downloaded), inMemory }, or rejects with an Error of
// one sentence; a cancelled export rejects with an AbortError.
export async function makeVideo(options) {
  const { film, from, to, width, height, codec, container, smooth, sound, music, progress, signal,
          tuning = {} } = options;
  const { canvas, core } = await drawer(!!smooth);
  canvas.width = width;
  canvas.height = height;
  const refused = core.showFilm(film);
  if (refused)
    throw new Error(`The film cannot be played: ${refused}.`);
  const poses = core.poses();
  const count = poses ? poses.length / 9 : 0;
  if (from < 0 || to < from || to >= count)
    throw new Error(`Frames ${from} to ${to} are not in the film, whose frames are 0 to ${count - 1}.`);
  const rate = 1000 / core.facts.pace, microseconds = core.facts.pace * 1000;  // a frame's
  const config = encoderConfig(codec, width, height, rate, tuning.config);
  const keyEvery = Math.round((tuning.keyFrameSeconds || KEY_FRAME_SECONDS) * rate);
  if (!(await VideoEncoder.isConfigSupported(config)).supported)
    throw new Error(`This browser does not encode ${codec.name} at ${width}x${height}.`);
  let audio = null;
  if (sound)
    try {
      audio = await soundEncoder(container);
    } catch (error) {
      throw error.message.startsWith('This browser') ? error
        : new Error(`The sound's encoder could not be loaded: ${why(error)}.`);
    }

  const out = await fileTarget(options.name);
  const total = to - from + 1;
  const source = new EncodedVideoPacketSource(codec.id);
  const output = new Output({
    format: container === 'mp4' ? new Mp4OutputFormat({ fastStart: 'reserve' }) : new WebMOutputFormat(),
    target: out.target,
  });
  output.addVideoTrack(source, { frameRate: rate, maximumPacketCount: total });
  let samples = null;  // the soundtrack of frames from..to
  const perFrame = SOUND_RATE / rate, perSecond = Math.round(rate);
  if (audio) {
    // a packet of AAC holds 1,024 pairs, of Opus 960 (or more)
    output.addAudioTrack(audio.source, { maximumPacketCount: Math.ceil(total * perFrame / 960) + 8 });
    core.setMusic(music ? music.samples : new Float32Array(0), music ? music.offset : 0, music ? music.gain : 0);
    samples = core.soundtrack(from, to);  // the story started again: the drawing steps it from frame 0
  }
  const hear = soundFeeder(audio, samples, perFrame, rate);
  const packets = packetEncoder(source, tuning), encoder = packets.encoder;
  const waitForQueue = () => new Promise(resolve => encoder.addEventListener('dequeue', resolve, { once: true }));
  try {
    await output.start();
    encoder.configure(config);
    const pose = new Float32Array(9);
    const frameOf = framer(canvas, width, height, tuning.canvasFrames);
    for (let i = 0; i < total; i++) {
      if (signal && signal.aborted)
        throw new DOMException('cancelled', 'AbortError');
      packets.check();
      const n = from + i;
      pose.set(core.poses().subarray(n * 9, n * 9 + 9));
      core.draw(n, pose, false, width, height);
      const frame = frameOf(i * microseconds, microseconds);
      encoder.encode(frame, { keyFrame: i % keyEvery === 0 });
      frame.close();
      while (encoder.encodeQueueSize > QUEUE)
        await waitForQueue();
      await packets.muxed();
      if ((i + 1) % perSecond === 0)
        await hear(i + 1);  // a second of sound beside its frames
      if (progress)
        progress(i + 1, total);
      if (i % 4 === 3)
        await new Promise(resolve => setTimeout(resolve, 0));  // the page's own events between frames
    }
    await hear(total);
    await encoder.flush();
    await packets.muxed();
    packets.check();
    source.close();
    if (audio)
      audio.source.close();
    await output.finalize();
    return { file: await out.file(), remove: out.remove, inMemory: out.inMemory };
  } catch (error) {
    if (encoder.state !== 'closed')
      encoder.close();
    await output.cancel().catch(() => {});
    await out.remove();
    if (error && error.name === 'AbortError')
      throw error;
    throw new Error(`The video was not made: ${why(error)}.`);
  }
}
