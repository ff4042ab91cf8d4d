// The timeline under the picture: the story's frames (all of them, or the span
// it is zoomed to), the story's beats labelled where the labels fit, the shots'
// spans (a shot ends with a held key, a step), the film check's findings, a mark
// for each key shaped by its motion (step: square, linear: diamond, smooth:
// circle), frame numbers where there is room, and the playhead. It is painted
// again whenever an update changes the playhead, the span or the film; its input
// (scrub, key drags, zoom and pan) is timeline_input.js's.
import { EditorView } from '@codemirror/view';
import { labelsThatFit } from '../shared/beats.js';
import { filmOf, keysOf } from './film.js';
import { changedFields, services, studioOf } from './store.js';

export const MARGIN = 10;  // pixels left and right of the frames
export const LANES = { beats: [0, 30], shots: [30, 42], findings: [42, 48], keys: [48, 76], numbers: [76, 90],
                       height: 90 };
const MOTION_COLOURS = { step: '#ff8a5c', linear: '#5cc8ff', smooth: '#9cff7a' };

let canvas = null;
let view = null;         // the studio's editor view: its state
let overlay = () => {};  // paints what the input shows over the timeline (a key being dragged)

export function initTimelinePaint(editorView, element, paintOverlay) {
  view = editorView;
  canvas = element;
  overlay = paintOverlay;
  new ResizeObserver(() => paint()).observe(canvas);
  paint();
}

// The frames shown and where they stand: { first, last, xOf(frame), frameAt(x), perFrame }.
export function scale(state, width) {
  const frames = state.facet(services).facts.frames, span = studioOf(state).span;
  const first = span ? span.first : 0, last = span ? span.last : frames - 1;
  const perFrame = (width - 2 * MARGIN) / Math.max(1, last - first);
  return {
    first, last, perFrame,
    xOf: frame => MARGIN + (frame - first) * perFrame,
    frameAt: x => Math.max(0, Math.min(frames - 1, Math.round(first + (x - MARGIN) / perFrame))),
  };
}

// The span that keeps frame n in view (moved by a page when n leaves it), or the span as it is.
export function spanShowing(state, n) {
  const span = studioOf(state).span;
  if (!span || (n >= span.first && n <= span.last))
    return span;
  const count = span.last - span.first, last = state.facet(services).facts.frames - 1;
  const first = Math.max(0, Math.min(last - count, n < span.first ? n - count * 0.9 : n - count * 0.1));
  return { first, last: first + count };
}

// The timeline's subscription.
export const timelineUpdates = EditorView.updateListener.of(update => {
  const fields = changedFields(update);
  if (fields.has('frame') || fields.has('span') || filmOf(update.startState) !== filmOf(update.state))
    paint();
});

// The shots: from a key after a step (or the first key) to the frame before the next such key.
function shots(keys, frames) {
  const starts = keys.filter((k, i) => i === 0 || keys[i - 1].motion === 'step').map(k => k.frame);
  if (starts.length)
    starts[0] = 0;
  return starts.map((from, i) => [from, i + 1 < starts.length ? starts[i + 1] - 1 : frames - 1]);
}

export function mark(g, shape, x, y, r) {
  g.beginPath();
  if (shape === 'step') {
    g.rect(x - r, y - r, 2 * r, 2 * r);
  } else if (shape === 'linear') {
    g.moveTo(x, y - r - 1);
    g.lineTo(x + r + 1, y);
    g.lineTo(x, y + r + 1);
    g.lineTo(x - r - 1, y);
    g.closePath();
  } else {
    g.arc(x, y, r, 0, 2 * Math.PI);
  }
  g.fill();
  g.stroke();
}

function paintBeats(g, s, facts, w) {
  for (const beat of facts.beats) {
    g.fillStyle = '#555';
    g.fillRect(Math.round(s.xOf(beat.frame)), 1, 1, LANES.beats[1] - 1);
  }
  g.fillStyle = '#bbb';
  const fit = labelsThatFit(facts.beats.filter(b => b.frame <= s.last), {
    xOf: s.xOf, width: t => g.measureText(t).width, right: w - 2, rows: 2 });
  for (const { beat, left, row } of fit)
    g.fillText(beat.name, left, 2 + row * 13);
}

function paintKeys(g, s, keys, frame, w) {
  const y = (LANES.keys[0] + LANES.keys[1]) / 2;
  keys.forEach((key, i) => {
    const next = keys[i + 1];
    g.strokeStyle = MOTION_COLOURS[key.motion];
    g.lineWidth = 2;
    g.beginPath();
    g.moveTo(s.xOf(key.frame), y);
    g.lineTo(next ? s.xOf(next.frame) : w - MARGIN, y);
    g.stroke();
  });
  g.lineWidth = 1;
  for (const key of keys) {
    g.fillStyle = MOTION_COLOURS[key.motion];
    g.strokeStyle = key.frame === frame ? '#fff' : '#000';
    mark(g, key.motion, s.xOf(key.frame), y, 4.5);
  }
}

// Frame numbers every so many frames, as many as have room.
function paintNumbers(g, s, w) {
  const steps = [1, 5, 10, 25, 50, 100, 250, 500, 1000, 2000];
  const step = steps.find(n => n * s.perFrame >= 48) || 4000;
  g.fillStyle = '#888';
  for (let n = Math.ceil(s.first / step) * step; n <= s.last; n += step) {
    const x = s.xOf(n);
    g.fillRect(Math.round(x), LANES.numbers[0], 1, 4);
    if (x + 2 < w - 30)
      g.fillText(String(n), x + 2, LANES.numbers[0] + 2);
  }
}

export function paint() {
  if (!canvas)
    return;
  const state = view.state, frame = studioOf(state).frame, facts = state.facet(services).facts;
  const ratio = window.devicePixelRatio || 1;
  const w = canvas.clientWidth, h = LANES.height;
  if (canvas.width !== Math.round(w * ratio) || canvas.height !== Math.round(h * ratio)) {
    canvas.width = Math.round(w * ratio);
    canvas.height = Math.round(h * ratio);
  }
  const g = canvas.getContext('2d'), s = scale(state, w);
  g.setTransform(ratio, 0, 0, ratio, 0, 0);
  g.fillStyle = '#181818';
  g.fillRect(0, 0, w, h);
  g.font = '11px sans-serif';
  g.textBaseline = 'top';
  paintBeats(g, s, facts, w);
  const keys = keysOf(state);
  shots(keys, facts.frames).forEach(([from, to], i) => {
    g.fillStyle = i % 2 ? '#2e4052' : '#3b5670';
    g.fillRect(s.xOf(from), LANES.shots[0], Math.max(1, s.xOf(to + 1) - s.xOf(from) - 1), LANES.shots[1] - LANES.shots[0]);
  });
  const shown = filmOf(state).shown;
  for (const span of (shown && shown.findingSpans) || []) {
    g.fillStyle = span.severity === 'error' ? '#ff4040' : '#ffc840';
    g.fillRect(s.xOf(span.from) - 1, LANES.findings[0], Math.max(2, s.xOf(span.to) - s.xOf(span.from) + 2),
               LANES.findings[1] - LANES.findings[0]);
  }
  paintKeys(g, s, keys, frame, w);
  paintNumbers(g, s, w);
  overlay(g, s, w);
  const x = Math.round(s.xOf(frame)) + 0.5;  // the playhead
  g.strokeStyle = '#ff3d3d';
  g.lineWidth = 1.5;
  g.beginPath();
  g.moveTo(x, 0);
  g.lineTo(x, h);
  g.stroke();
}
