// The beats the playhead, K and key drags snap to while Snap is on: the music's
// (a beat every 60 / tempo seconds from its offset on, where the music line gives
// a tempo; while the music is loaded, only as long as it lasts) and the story's.
// A beat stands on the whole frame nearest its time.
import { musicLineOf } from './music.js';
import { services, studioOf } from './store.js';

export const SNAP_PIXELS = 8;  // how near on the timeline a beat must be to be snapped to

function perSecondOf(state) {
  return 1000 / state.facet(services).facts.pace;
}

// The music's beats from frame first to frame last: [{ frame, index }] (index from
// the music's first beat: every fourth begins a bar).
export function musicBeats(state, first, last) {
  const line = musicLineOf(state);
  if (!line || !line.tempo)
    return [];
  const perSecond = perSecondOf(state), period = 60 / line.tempo, track = studioOf(state).track;
  const end = Math.min(last, track && track.name === line.name ? (line.offset + track.seconds) * perSecond : Infinity);
  const beats = [];
  for (let k = Math.max(0, Math.ceil((first / perSecond - line.offset) / period)); ; k++) {
    const frame = Math.round((line.offset + k * period) * perSecond);
    if (frame > end)
      break;
    if (frame >= first)
      beats.push({ frame, index: k });
  }
  return beats;
}

// The beat nearest frame n within within frames (music or story), or null.
export function nearestBeat(state, n, within) {
  const frames = state.facet(services).facts.frames;
  const near = musicBeats(state, Math.max(0, Math.floor(n - within)), Math.min(frames - 1, Math.ceil(n + within)))
    .map(b => b.frame).concat(state.facet(services).facts.beats.map(b => b.frame));
  let best = null;
  for (const frame of near)
    if (Math.abs(frame - n) <= within && (best === null || Math.abs(frame - n) < Math.abs(best - n)))
      best = frame;
  return best;
}

// Frame n, snapped to the nearest beat within SNAP_PIXELS of it at perFrame pixels
// a frame when Snap is on.
export function snapped(state, n, perFrame) {
  if (!studioOf(state).snap)
    return n;
  const beat = nearestBeat(state, n, Math.max(1, SNAP_PIXELS / perFrame));
  return beat === null ? n : beat;
}

// Whether frame n is on a beat (what the timeline highlights while Snap is on).
export function onBeat(state, n) {
  return nearestBeat(state, n, 0) !== null;
}
