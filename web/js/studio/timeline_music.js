// The music along the timeline, in the beats' lane under the story's beats: its
// waveform (the least and the most of the samples under each pixel column: the
// finest zoom's made once for the music, each zoom level's merged from them,
// then only shifted as the timeline pans), its beat
// grid (a tick a beat, taller at each bar of four, every second or fourth beat
// only where they would crowd), and, while Snap is on, the beat the playhead or
// a dragged key is snapped to.
import { heardOf } from './music.js';
import { musicBeats, onBeat } from './snap.js';
import { services, studioOf } from './store.js';

const RATE = 48000;
const SPANS = 24;         // the finest waveform's spans a frame (the closest zoom's pixels a frame)
const LEVELS = 4;         // zoom levels whose columns are kept
const levels = new Map(); // `${perFrame}` -> { heard, columns (least and most, two floats a column from frame 0) }
let fine = { heard: null, bins: null };  // the least and most of each span, for the music heard

// The least and the most of the music's samples (both channels' mean) in each of
// count spans of the story, a span lasting seconds; made once for the music heard.
function extremes(heard, count, seconds) {
  const samples = heard.track.samples, pairs = samples.length / 2, out = new Float32Array(2 * count);
  const pairAt = b => Math.round((b * seconds - heard.offset) * RATE);
  for (let b = 0; b < count; b++) {
    const from = Math.max(0, pairAt(b)), to = Math.min(pairs, pairAt(b + 1));
    let least = 0, most = 0;
    for (let i = from; i < to; i++) {
      const v = (samples[2 * i] + samples[2 * i + 1]) / 2;
      if (v < least)
        least = v;
      if (v > most)
        most = v;
    }
    out[2 * b] = least;
    out[2 * b + 1] = most;
  }
  return out;
}

// The columns of the whole story at perFrame pixels a frame, for the music heard:
// merged from the finest spans, so that a pinch's every step costs only its columns.
function columnsOf(heard, perFrame, frames, perSecond) {
  const key = String(perFrame), kept = levels.get(key);
  if (kept && kept.heard === heard)
    return kept.columns;
  if (fine.heard !== heard)
    fine = { heard, bins: extremes(heard, frames * SPANS, 1 / (perSecond * SPANS)) };
  const bins = fine.bins, count = Math.ceil(frames * perFrame), columns = new Float32Array(2 * count);
  const binAt = c => Math.min(bins.length / 2, Math.floor(c * SPANS / perFrame));
  for (let c = 0; c < count; c++) {
    const from = binAt(c), to = Math.max(from + 1, binAt(c + 1));
    let least = 0, most = 0;
    for (let b = from; b < to && 2 * b + 1 < bins.length; b++) {
      least = Math.min(least, bins[2 * b]);
      most = Math.max(most, bins[2 * b + 1]);
    }
    columns[2 * c] = least;
    columns[2 * c + 1] = most;
  }
  if (levels.size >= LEVELS)
    levels.delete(levels.keys().next().value);
  levels.set(key, { heard, columns });
  return columns;
}

function paintWave(g, s, heard, facts, [top, bottom]) {
  const columns = columnsOf(heard, s.perFrame, facts.frames, 1000 / facts.pace);
  const middle = (top + bottom) / 2, half = (bottom - top) / 2 - 1, start = Math.round(s.first * s.perFrame);
  const shift = s.xOf(start / s.perFrame);
  const width = Math.ceil((s.last - s.first) * s.perFrame);
  g.fillStyle = '#2f6a82';
  for (let x = 0; x <= width; x++) {
    const c = start + x;
    if (2 * c + 1 >= columns.length)
      break;
    const least = columns[2 * c], most = columns[2 * c + 1];
    if (most > least)
      g.fillRect(shift + x, middle - most * half, 1, Math.max(1, (most - least) * half));
  }
}

function paintGrid(g, s, state, bottom) {
  const beats = musicBeats(state, Math.floor(s.first), Math.ceil(s.last));
  if (!beats.length)
    return;
  const apart = beats.length > 1 ? (beats[1].frame - beats[0].frame) * s.perFrame : Infinity;
  let every = 1;
  while (apart * every < 5 && every < 64)
    every *= 2;
  g.fillStyle = '#a8e4ff';
  for (const { frame, index } of beats)
    if (index % every === 0) {
      const tall = index % 4 === 0 ? 10 : 5;
      g.fillRect(Math.round(s.xOf(frame)), bottom - tall, 1, tall);
    }
}

// The snap's mark: a highlighted beat at frame n.
export function paintSnapMark(g, s, n, height) {
  const x = Math.round(s.xOf(n));
  g.fillStyle = 'rgba(255, 225, 64, 0.35)';
  g.fillRect(x - 2, 0, 5, height);
  g.fillStyle = '#ffe140';
  g.beginPath();
  g.moveTo(x - 5, 0);
  g.lineTo(x + 6, 0);
  g.lineTo(x + 0.5, 7);
  g.closePath();
  g.fill();
}

// The music in the lane from top to bottom (pixels), and the snap's mark at the
// playhead when it stands on a beat (unless a drag shows its own).
export function paintMusic(g, s, state, lane, height, dragging) {
  const heard = heardOf(state), facts = state.facet(services).facts;
  if (heard)
    paintWave(g, s, heard, facts, lane);
  paintGrid(g, s, state, lane[1]);
  const frame = studioOf(state).frame;
  if (studioOf(state).snap && !dragging && onBeat(state, frame))
    paintSnapMark(g, s, frame, height);
}
