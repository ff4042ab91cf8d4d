// The picture: the playhead's frame drawn by the program, through the film's
// camera (the film view) or through the free camera with the film's camera and
// path drawn in it (the free view), drawn again whenever an update changes what
// it shows; and the free camera flown over the picture with the mouse and with
// held keys, each move a transaction. The canvas has its box's size in device
// pixels, or the size the address asks for (?picture=WxH), shown no larger than
// its box.
import { EditorView } from '@codemirror/view';
import { devicePixels, sizeCanvas } from '../shared/page.js';
import { asPose, behind, dolly, fly, isFlyKey, orbit, pan } from './freecam.js';
import { filmOf } from './film.js';
import { change, changedFields, services, studioOf } from './store.js';
import { spanShowing } from './timeline.js';

const ASPECT = 16 / 9;
const SOMEWHERE = [0, 50, 100, 0, 0, 0, 0, 1, 0];  // a pose to look from before there is any film

let canvas = null;
let fixedSize = null;  // [width, height] from the address, or null

// The free camera of a state: its own, or one behind the film's camera at the playhead.
export function freeOf(state) {
  const s = studioOf(state);
  return s.free || behind(state.facet(services).core.pose(s.frame) || SOMEWHERE);
}

// The pose the picture is seen through: the film's at the playhead, or the free
// camera's; null when there is no film yet.
export function viewPose(state) {
  const s = studioOf(state);
  if (s.view === 'free')
    return asPose(freeOf(state));
  return filmOf(state).shown ? state.facet(services).core.pose(s.frame) : null;
}

// The studio's fields that move the playhead to n: with an actor followed, the
// free camera travels by as much as the actor moves meanwhile, so that what the
// camera is flown to stays relative to it.
export function seeking(state, n) {
  const s = studioOf(state);
  if (!s.follow || n === s.frame)
    return { frame: n, span: spanShowing(state, n) };
  const now = state.facet(services).core.actorsAt(n)[s.follow.actor];
  const move = now.map((v, i) => v - s.follow.at[i]);
  const camera = freeOf(state), moved = p => p.map((v, i) => v + move[i]);
  return { frame: n, span: spanShowing(state, n), follow: { actor: s.follow.actor, at: now },
           free: { ...camera, eye: moved(camera.eye), centre: moved(camera.centre) } };
}

// The fields that make the free camera travel with an actor (null: with nothing):
// looking at it now, in the free view. A take of it gives keys that name the actor.
export function following(state, actor) {
  if (!actor)
    return { follow: null };
  const s = studioOf(state);
  const at = state.facet(services).core.actorsAt(s.frame)[actor];
  const camera = freeOf(state);
  const move = at.map((v, i) => v - camera.centre[i]);
  return { follow: { actor, at }, view: 'free',
           free: { ...camera, eye: camera.eye.map((v, i) => v + move[i]), centre: at.slice() } };
}

// The picture of a state's playhead, drawn now.
function draw(state) {
  if (!canvas)
    return;
  const s = studioOf(state), free = s.view === 'free';
  const pose = viewPose(state);
  if (pose)
    state.facet(services).core.draw(s.frame, pose, free, canvas.width, canvas.height);
}

// The picture's subscription: drawn again when the playhead, the view, the free
// camera or the film shown changes.
export const pictureUpdates = EditorView.updateListener.of(update => {
  const fields = changedFields(update);
  if (fields.has('frame') || fields.has('view') || fields.has('free') ||
      filmOf(update.startState).shown !== filmOf(update.state).shown)
    draw(update.state);
});

function fit() {
  const [boxWidth, boxHeight] = devicePixels(canvas.parentElement);
  const fitting = Math.min(boxWidth, boxHeight * ASPECT);
  const size = fixedSize || [Math.max(16, Math.round(fitting / 2) * 2), Math.max(9, Math.round(fitting / ASPECT / 2) * 2)];
  const ratio = window.devicePixelRatio || 1;
  const shown = Math.min(1, boxWidth / size[0], boxHeight / size[1]);
  canvas.style.width = `${size[0] * shown / ratio}px`;
  canvas.style.height = `${size[1] * shown / ratio}px`;
  return sizeCanvas(canvas, size);
}

// The canvas, fitted to its box now and whenever the box changes, drawn, and
// flown over with the mouse and the keys.
export function initPicture(view, picture, size) {
  canvas = picture;
  fixedSize = size;
  new ResizeObserver(() => {
    if (fit())
      draw(view.state);
  }).observe(canvas.parentElement);
  fit();
  draw(view.state);
  flyWithPointers(view);
  window.addEventListener('blur', () => held.clear());
}

export function pictureSize() {
  return [canvas.width, canvas.height];
}

function moveFree(view, camera) {
  view.dispatch({ effects: change.of({ free: camera }) });
}

// The free camera flown by pointers, one code path for mouse, pen and touch: one
// pointer orbits about the centre (Shift or the right button: pans), two fingers
// pan by their middle and dolly by their spread; the wheel dollies.
function flyWithPointers(view) {
  const pointers = new Map();  // id -> { x, y, panning }
  let spread = null;           // the two fingers' distance at the last move
  const ratio = () => window.devicePixelRatio || 1;
  const panBy = (camera, dx, dy) => {
    const shown = canvas.getBoundingClientRect().height * ratio() / canvas.height;
    return pan(camera, dx * ratio() / shown, dy * ratio() / shown, canvas.height, view.state.facet(services).facts.fieldOfView);
  };
  const middle = () => {
    const [a, b] = [...pointers.values()];
    return { x: (a.x + b.x) / 2, y: (a.y + b.y) / 2, spread: Math.max(1, Math.hypot(a.x - b.x, a.y - b.y)) };
  };
  canvas.addEventListener('contextmenu', event => event.preventDefault());
  canvas.addEventListener('pointerdown', event => {
    if (studioOf(view.state).view !== 'free')
      return;
    canvas.setPointerCapture(event.pointerId);
    pointers.set(event.pointerId, { x: event.clientX, y: event.clientY, panning: event.shiftKey || event.button === 2 });
    spread = pointers.size === 2 ? middle() : null;
    event.preventDefault();
  });
  canvas.addEventListener('pointermove', event => {
    const last = pointers.get(event.pointerId);
    if (!last)
      return;
    const dx = event.clientX - last.x, dy = event.clientY - last.y;
    last.x = event.clientX;
    last.y = event.clientY;
    const camera = freeOf(view.state);
    if (pointers.size === 1) {
      moveFree(view, last.panning ? panBy(camera, dx, dy) : orbit(camera, dx, dy));
    } else if (pointers.size === 2 && spread) {
      const now = middle();
      const panned = panBy(camera, now.x - spread.x, now.y - spread.y);
      moveFree(view, dolly(panned, Math.log(spread.spread / now.spread) * 10));  // apart: closer
      spread = now;
    }
  });
  const end = event => {
    pointers.delete(event.pointerId);
    spread = pointers.size === 2 ? middle() : null;
  };
  canvas.addEventListener('pointerup', end);
  canvas.addEventListener('pointercancel', end);
  canvas.addEventListener('wheel', event => {
    if (studioOf(view.state).view !== 'free')
      return;
    event.preventDefault();
    const steps = event.deltaMode === 0 ? event.deltaY / 100 : event.deltaY;
    moveFree(view, dolly(freeOf(view.state), steps));
  }, { passive: false });
}

// Held fly keys move the free camera every animation frame by the time that passed.
const held = new Set();
let fast = false;
let flying = null;  // the last animation frame's time while keys are held

// A key of the fly set pressed (down) or let go, from the studio's keyboard; false
// when it is no fly key or the view is not the free one.
export function flyKey(view, event, down) {
  const key = event.key.toLowerCase();
  if (!isFlyKey(key) || event.ctrlKey || event.altKey || event.metaKey)
    return false;
  if (down && studioOf(view.state).view !== 'free')
    return false;
  fast = event.shiftKey;
  if (down)
    held.add(key);
  else
    held.delete(key);
  if (held.size && flying === null) {
    flying = performance.now();
    const step = now => {
      const s = studioOf(view.state);
      if (!held.size || s.view !== 'free') {
        flying = null;
        return;
      }
      const seconds = Math.min(0.25, (now - flying) / 1000);
      flying = now;
      if (s.running !== 'take')  // a take flies the camera by its own steps (flown)
        moveFree(view, fly(freeOf(view.state), held, seconds, fast));
      requestAnimationFrame(step);
    };
    requestAnimationFrame(step);
  }
  return true;
}

// The free camera flown for seconds of the story with the keys held now (a take's
// step: the camera moves as far each frame of the story, however fast it is drawn).
export function flown(camera, seconds) {
  return held.size ? fly(camera, held, seconds, fast) : camera;
}
