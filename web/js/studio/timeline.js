// The timeline under the picture: the story's frames from 0 to the last, the
// story's beats labelled (the program's own list), the shots' spans (a shot ends
// with a held key, a step), the film check's findings, a mark for each key shaped
// by its motion (step: square, linear: diamond, smooth: circle), and the playhead.
// A click or a drag scrubs; dragging a key's mark moves its frame. It is painted
// again whenever an update changes the playhead or the film.
import { EditorView } from '@codemirror/view';
import { moveKey, whyNotMove } from './edits.js';
import { filmOf, keysOf } from './film.js';
import { changedFields, services, studioOf } from './store.js';

const MARGIN = 10;  // pixels left and right of the frames
const LANES = { beats: [0, 40], shots: [40, 52], findings: [52, 58], keys: [58, 84], height: 84 };
const MOTION_COLOURS = { step: '#ff8a5c', linear: '#5cc8ff', smooth: '#9cff7a' };

let canvas = null;
let view = null;        // the studio's editor view: its state, and where its transactions go
let seek = null;        // seek(frame): the studio's scrub
let dragging = null;    // { key, frame, why } while a key's mark is dragged
let scrubbing = false;

export function initTimeline(editorView, element, onSeek) {
  view = editorView;
  canvas = element;
  seek = onSeek;
  new ResizeObserver(() => paint()).observe(canvas);
  canvas.addEventListener('pointerdown', down);
  canvas.addEventListener('pointermove', move);
  canvas.addEventListener('pointerup', up);
  canvas.addEventListener('pointercancel', () => { dragging = null; scrubbing = false; paint(); });
  paint();
}

// The timeline's subscription.
export const timelineUpdates = EditorView.updateListener.of(update => {
  if (changedFields(update).has('frame') || filmOf(update.startState) !== filmOf(update.state))
    paint();
});

function facts() {
  return view.state.facet(services).facts;
}

function width() {
  return canvas.clientWidth;
}

function xOf(frame) {
  return MARGIN + frame / Math.max(1, facts().frames - 1) * (width() - 2 * MARGIN);
}

function frameAt(x) {
  const last = facts().frames - 1;
  return Math.max(0, Math.min(last, Math.round((x - MARGIN) / (width() - 2 * MARGIN) * last)));
}

// The key whose mark is under x, if any.
function keyUnder(x, y) {
  if (y < LANES.keys[0] - 4)
    return null;
  let best = null;
  for (const key of keysOf(view.state)) {
    const d = Math.abs(xOf(key.frame) - x);
    if (d <= 6 && (!best || d < best.d))
      best = { key, d };
  }
  return best && best.key;
}

function local(event) {
  const box = canvas.getBoundingClientRect();
  return [event.clientX - box.left, event.clientY - box.top];
}

function down(event) {
  if (event.button !== 0)
    return;
  canvas.setPointerCapture(event.pointerId);
  const [x, y] = local(event);
  const key = keyUnder(x, y);
  if (key) {
    dragging = { key, frame: key.frame, why: null };
    seek(key.frame);
  } else {
    scrubbing = true;
    seek(frameAt(x));
  }
}

function move(event) {
  const [x, y] = local(event);
  if (dragging) {
    dragging.frame = frameAt(x);
    dragging.why = whyNotMove(view.state, dragging.key, dragging.frame);
    paint();
  } else if (scrubbing) {
    seek(frameAt(x));
  } else {
    const key = keyUnder(x, y);
    canvas.style.cursor = key ? 'ew-resize' : 'pointer';
    canvas.title = key ? `key at frame ${key.frame}, line ${key.line}, ${key.motion}: drag to move it` : '';
  }
}

function up() {
  scrubbing = false;
  if (!dragging)
    return;
  const { key, frame } = dragging;
  dragging = null;
  if (moveKey(view, key, frame) && frame !== key.frame)
    seek(frame);
  paint();
}

// The shots: from a key after a step (or the first key) to the frame before the next such key.
function shots(keys) {
  const starts = keys.filter((k, i) => i === 0 || keys[i - 1].motion === 'step').map(k => k.frame);
  if (starts.length)
    starts[0] = 0;
  return starts.map((from, i) => [from, i + 1 < starts.length ? starts[i + 1] - 1 : facts().frames - 1]);
}

function mark(g, shape, x, y, r) {
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

function paint() {
  if (!canvas)
    return;
  const state = view.state, frame = studioOf(state).frame;
  const ratio = window.devicePixelRatio || 1;
  const w = width(), h = LANES.height;
  if (canvas.width !== Math.round(w * ratio) || canvas.height !== Math.round(h * ratio)) {
    canvas.width = Math.round(w * ratio);
    canvas.height = Math.round(h * ratio);
  }
  const g = canvas.getContext('2d');
  g.setTransform(ratio, 0, 0, ratio, 0, 0);
  g.clearRect(0, 0, w, h);
  g.fillStyle = '#181818';
  g.fillRect(0, 0, w, h);
  g.font = '11px sans-serif';
  g.textBaseline = 'top';

  // Beats, labels staggered on three rows so that neighbours do not overlap.
  const rowEnds = [-Infinity, -Infinity, -Infinity];
  for (const beat of facts().beats) {
    const x = xOf(beat.frame);
    const textWidth = g.measureText(beat.name).width;
    const left = Math.min(x + 3, w - textWidth - 2);  // a label near the end stands left of its tick
    let row = rowEnds.findIndex(end => end < left);
    if (row < 0)
      row = rowEnds.indexOf(Math.min(...rowEnds));
    rowEnds[row] = left + textWidth + 8;
    g.fillStyle = '#555';
    g.fillRect(Math.round(x), 1 + row * 12, 1, LANES.beats[1] - 1 - row * 12);
    g.fillStyle = '#bbb';
    g.fillText(beat.name, left, 1 + row * 12);
  }

  const keys = keysOf(state);
  shots(keys).forEach(([from, to], i) => {
    g.fillStyle = i % 2 ? '#2e4052' : '#3b5670';
    g.fillRect(xOf(from), LANES.shots[0], Math.max(1, xOf(to + 1) - xOf(from) - 1), LANES.shots[1] - LANES.shots[0]);
  });

  const shown = filmOf(state).shown;
  for (const span of (shown && shown.findingSpans) || []) {
    g.fillStyle = span.severity === 'error' ? '#ff4040' : '#ffc840';
    g.fillRect(xOf(span.from) - 1, LANES.findings[0], Math.max(2, xOf(span.to) - xOf(span.from) + 2),
               LANES.findings[1] - LANES.findings[0]);
  }

  // Keys: the line from each key to the next in its motion's colour, then the marks.
  const y = (LANES.keys[0] + LANES.keys[1]) / 2;
  keys.forEach((key, i) => {
    const next = keys[i + 1];
    g.strokeStyle = MOTION_COLOURS[key.motion];
    g.lineWidth = 2;
    g.beginPath();
    g.moveTo(xOf(key.frame), y);
    g.lineTo(next ? xOf(next.frame) : w - MARGIN, y);
    g.stroke();
  });
  g.lineWidth = 1;
  for (const key of keys) {
    g.fillStyle = MOTION_COLOURS[key.motion];
    g.strokeStyle = key.frame === frame ? '#fff' : '#000';
    mark(g, key.motion, xOf(key.frame), y, 4.5);
  }
  if (dragging) {
    const x = xOf(dragging.frame);
    g.globalAlpha = 0.7;
    g.fillStyle = dragging.why ? '#f44' : '#fff';
    g.strokeStyle = '#000';
    mark(g, dragging.key.motion, x, y, 5);
    g.globalAlpha = 1;
    g.fillStyle = dragging.why ? '#f88' : '#fff';
    const label = dragging.why ? `${dragging.frame}: ${dragging.why}` : String(dragging.frame);
    g.fillText(label, Math.min(x + 8, w - g.measureText(label).width - 2), LANES.keys[0] - 13);
  }

  // The playhead.
  const x = Math.round(xOf(frame)) + 0.5;
  g.strokeStyle = '#ff3d3d';
  g.lineWidth = 1.5;
  g.beginPath();
  g.moveTo(x, 0);
  g.lineTo(x, h);
  g.stroke();
}
