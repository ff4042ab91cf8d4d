// The timeline's input, one code path for mouse, pen and touch (Pointer Events):
// one pointer scrubs, or drags a key's mark to move its frame; two fingers pinch
// to zoom (down to 24 pixels a frame) and drag to pan; with a mouse, Ctrl+wheel
// zooms about the pointer and the wheel pans. A second finger cancels a drag
// under way: nothing moves, and the timeline is left as the keyboard knows it.
import { moveKey, whyNotMove } from './edits.js';
import { keysOf } from './film.js';
import { change, services, studioOf } from './store.js';
import { LANES, MARGIN, mark, paint, scale } from './timeline.js';

const MOST_PER_FRAME = 24;  // pixels a frame at the closest zoom

let canvas = null, view = null, seek = null;
const pointers = new Map();  // id -> { x, y } of each pointer down on the timeline
let dragging = null;         // { key, frame, why } while a key's mark is dragged
let scrubbing = false;
let pinch = null;            // { distance, frame (under the middle), perFrame } while two fingers are down

function frames() {
  return view.state.facet(services).facts.frames;
}

function local(event) {
  const box = canvas.getBoundingClientRect();
  return { x: event.clientX - box.left, y: event.clientY - box.top };
}

// The span that shows frames first.. at perFrame pixels a frame, kept in the story.
function spanOf(first, perFrame) {
  const width = canvas.clientWidth - 2 * MARGIN, last = frames() - 1;
  const count = Math.min(last, width / Math.min(MOST_PER_FRAME, Math.max(perFrame, width / last)));
  const start = Math.max(0, Math.min(last - count, first));
  return count >= last ? null : { first: start, last: start + count };
}

function setSpan(span) {
  view.dispatch({ effects: change.of({ span }) });
}

// The span, zoomed by factor about the frame at pixel x.
function zoomAbout(x, factor) {
  const s = scale(view.state, canvas.clientWidth), frame = s.first + (x - MARGIN) / s.perFrame;
  const perFrame = s.perFrame * factor;
  setSpan(spanOf(frame - (x - MARGIN) / perFrame, perFrame));
}

// The key whose mark is under a point, if any (a finger is given more room).
function keyUnder({ x, y }, touch) {
  if (y < LANES.keys[0] - 4)
    return null;
  const s = scale(view.state, canvas.clientWidth), room = touch ? 14 : 6;
  let best = null;
  for (const key of keysOf(view.state)) {
    const d = Math.abs(s.xOf(key.frame) - x);
    if (d <= room && (!best || d < best.d))
      best = { key, d };
  }
  return best && best.key;
}

function startPinch() {
  const [a, b] = [...pointers.values()], s = scale(view.state, canvas.clientWidth);
  const middle = (a.x + b.x) / 2;
  pinch = { distance: Math.max(1, Math.hypot(a.x - b.x, a.y - b.y)), frame: s.first + (middle - MARGIN) / s.perFrame,
            perFrame: s.perFrame };
  dragging = null;  // a second finger cancels a drag: the key stays
  scrubbing = false;
  paint();
}

function movePinch() {
  const [a, b] = [...pointers.values()];
  const perFrame = pinch.perFrame * Math.max(1, Math.hypot(a.x - b.x, a.y - b.y)) / pinch.distance;
  setSpan(spanOf(pinch.frame - ((a.x + b.x) / 2 - MARGIN) / perFrame, perFrame));
}

function down(event) {
  if (event.pointerType === 'mouse' && event.button !== 0)
    return;
  canvas.setPointerCapture(event.pointerId);
  const at = local(event);
  pointers.set(event.pointerId, at);
  if (pointers.size === 2) {
    startPinch();
    return;
  }
  if (pointers.size > 2 || pinch)
    return;
  const key = keyUnder(at, event.pointerType === 'touch');
  const s = scale(view.state, canvas.clientWidth);
  if (key) {
    dragging = { key, frame: key.frame, why: null };
    seek(key.frame);
  } else {
    scrubbing = true;
    seek(s.frameAt(at.x));
  }
}

function move(event) {
  const at = local(event);
  if (pointers.has(event.pointerId))
    pointers.set(event.pointerId, at);
  const s = scale(view.state, canvas.clientWidth);
  if (pinch && pointers.size === 2) {
    movePinch();
  } else if (dragging) {
    dragging.frame = s.frameAt(at.x);
    dragging.why = whyNotMove(view.state, dragging.key, dragging.frame);
    paint();
  } else if (scrubbing) {
    seek(s.frameAt(at.x));
  } else if (!pointers.size) {
    const key = keyUnder(at, false);
    canvas.style.cursor = key ? 'ew-resize' : 'pointer';
    canvas.title = key ? `key at frame ${key.frame}, line ${key.line}, ${key.motion}: drag to move it` : '';
  }
}

function up(event) {
  pointers.delete(event.pointerId);
  if (pinch) {
    if (!pointers.size)
      pinch = null;  // the gesture ends with its last finger
    return;
  }
  scrubbing = false;
  if (!dragging)
    return;
  const { key, frame } = dragging;
  dragging = null;
  if (event.type === 'pointerup' && moveKey(view, key, frame) && frame !== key.frame)
    seek(frame);
  paint();
}

function wheel(event) {
  event.preventDefault();
  const pixels = event.deltaMode === 0 ? 1 : 40;
  if (event.ctrlKey) {
    zoomAbout(local(event).x, Math.exp(-event.deltaY * pixels * 0.002));
  } else {
    const s = scale(view.state, canvas.clientWidth);
    const move = (Math.abs(event.deltaX) > Math.abs(event.deltaY) ? event.deltaX : event.deltaY) * pixels;
    if (studioOf(view.state).span)
      setSpan(spanOf(s.first + move / s.perFrame, s.perFrame));
  }
}

// What the input shows over the painted timeline: the key being dragged, and
// where it would go (or why it cannot).
export function paintDragged(g, s, w) {
  if (!dragging)
    return;
  const x = s.xOf(dragging.frame), y = (LANES.keys[0] + LANES.keys[1]) / 2;
  g.globalAlpha = 0.7;
  g.fillStyle = dragging.why ? '#f44' : '#fff';
  g.strokeStyle = '#000';
  mark(g, dragging.key.motion, x, y, 5);
  g.globalAlpha = 1;
  g.fillStyle = dragging.why ? '#f88' : '#fff';
  const label = dragging.why ? `${dragging.frame}: ${dragging.why}` : String(dragging.frame);
  g.fillText(label, Math.min(x + 8, w - g.measureText(label).width - 2), LANES.keys[0] - 13);
}

export function initTimelineInput(editorView, element, onSeek) {
  view = editorView;
  canvas = element;
  seek = onSeek;
  canvas.addEventListener('pointerdown', down);
  canvas.addEventListener('pointermove', move);
  canvas.addEventListener('pointerup', up);
  canvas.addEventListener('pointercancel', up);
  canvas.addEventListener('wheel', wheel, { passive: false });
}
