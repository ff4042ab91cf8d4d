// The picture: frame studio.frame drawn by the program, through the film's camera
// (the film view) or through the free camera with the film's camera and path drawn
// in it (the free view); and the free camera flown over the picture with the mouse
// and with held keys. The canvas has its box's size in device pixels, or the size
// the address asks for (?picture=WxH), shown no larger than its box.
import { studio, set, watch } from './state.js';
import { asPose, behind, dolly, fly, isFlyKey, orbit, pan } from './freecam.js';

let canvas = null;
let fixedSize = null;  // [width, height] from the address, or null
const ASPECT = 16 / 9;

// The canvas, fitted to its box now and whenever the box changes.
export function initViews(picture, size) {
  canvas = picture;
  fixedSize = size;
  new ResizeObserver(() => {
    if (fit())
      draw();
  }).observe(canvas.parentElement);
  fit();
  flyWithMouse();
  flyWithKeys();
  watch(changes => {
    if ('frame' in changes && studio.follow)
      travel();
  });
}

// The free camera travels with an actor (null: with nothing): looking at it now,
// and moved by as much as it moves from frame to frame, so that what the camera
// is flown to stays relative to it. A take of it gives keys that name the actor.
export function follow(actor) {
  if (!actor) {
    set({ follow: null });
    return;
  }
  const at = studio.core.actorsAt(studio.frame)[actor];
  const camera = freeCamera();
  const move = at.map((v, i) => v - camera.centre[i]);
  set({ follow: { actor, at }, free: { ...camera, eye: camera.eye.map((v, i) => v + move[i]), centre: at.slice() },
        view: 'free' });
  draw();
}

function travel() {
  const { actor, at } = studio.follow;
  const now = studio.core.actorsAt(studio.frame)[actor];
  const move = now.map((v, i) => v - at[i]);
  const camera = freeCamera();
  const moved = p => p.map((v, i) => v + move[i]);
  set({ follow: { actor, at: now }, free: { ...camera, eye: moved(camera.eye), centre: moved(camera.centre) } });
}

function fit() {
  const box = canvas.parentElement.getBoundingClientRect();
  const ratio = window.devicePixelRatio || 1;
  const fitting = Math.min(box.width * ratio, box.height * ratio * ASPECT);
  const [width, height] = fixedSize || [Math.max(16, Math.round(fitting / 2) * 2), Math.max(9, Math.round(fitting / ASPECT / 2) * 2)];
  const shown = Math.min(1, box.width * ratio / width, box.height * ratio / height);
  canvas.style.width = `${width * shown / ratio}px`;
  canvas.style.height = `${height * shown / ratio}px`;
  if (canvas.width === width && canvas.height === height)
    return false;
  canvas.width = width;
  canvas.height = height;
  return true;
}

// The pose the picture is seen through now: the film's at the playhead, or the
// free camera's; null when there is no film yet.
export function viewPose() {
  if (studio.view === 'free' && studio.free)
    return asPose(studio.free);
  return studio.core.pose(studio.frame);
}

// The free camera, made behind the film's camera at the playhead when there is none yet.
export function freeCamera() {
  if (!studio.free) {
    const pose = studio.core.pose(studio.frame);
    set({ free: behind(pose || [0, 50, 100, 0, 0, 0, 0, 1, 0]) });
  }
  return studio.free;
}

// The picture of the playhead's frame, drawn now.
export function draw() {
  const free = studio.view === 'free';
  const pose = free ? asPose(freeCamera()) : studio.core.pose(studio.frame);
  if (pose)
    studio.core.draw(studio.frame, pose, free, canvas.width, canvas.height);
}

export function pictureSize() {
  return [canvas.width, canvas.height];
}

function moveFree(camera) {
  set({ free: camera });
  draw();
}

function flyWithMouse() {
  let last = null;  // the pointer's last place while dragging, and how it drags
  canvas.addEventListener('contextmenu', event => event.preventDefault());
  canvas.addEventListener('pointerdown', event => {
    if (studio.view !== 'free')
      return;
    canvas.setPointerCapture(event.pointerId);
    last = { x: event.clientX, y: event.clientY, panning: event.shiftKey || event.button === 2 };
    event.preventDefault();
  });
  canvas.addEventListener('pointermove', event => {
    if (!last)
      return;
    const ratio = window.devicePixelRatio || 1;
    const dx = event.clientX - last.x, dy = event.clientY - last.y;
    last.x = event.clientX;
    last.y = event.clientY;
    const camera = freeCamera();
    const shown = canvas.getBoundingClientRect().height * ratio / canvas.height;
    moveFree(last.panning ? pan(camera, dx * ratio / shown, dy * ratio / shown, canvas.height, studio.facts.fieldOfView)
                          : orbit(camera, dx, dy));
  });
  const end = () => { last = null; };
  canvas.addEventListener('pointerup', end);
  canvas.addEventListener('pointercancel', end);
  canvas.addEventListener('wheel', event => {
    if (studio.view !== 'free')
      return;
    event.preventDefault();
    const steps = event.deltaMode === 0 ? event.deltaY / 100 : event.deltaY;
    moveFree(dolly(freeCamera(), steps));
  }, { passive: false });
}

// Held fly keys move the free camera every animation frame by the time that passed.
const held = new Set();
let fast = false;
let flying = null;  // the last animation frame's time while keys are held

// A key of the fly set pressed (true) or let go, from the studio's keyboard; false
// when it is no fly key or the view is not the free one.
export function flyKey(event, down) {
  const key = event.key.toLowerCase();
  if (!isFlyKey(key) || event.ctrlKey || event.altKey || event.metaKey)
    return false;
  if (down && studio.view !== 'free')
    return false;
  fast = event.shiftKey;
  if (down)
    held.add(key);
  else
    held.delete(key);
  if (held.size && flying === null) {
    flying = performance.now();
    requestAnimationFrame(step);
  }
  return true;
}

function step(now) {
  if (!held.size || studio.view !== 'free') {
    flying = null;
    return;
  }
  const seconds = Math.min(0.25, (now - flying) / 1000);
  flying = now;
  if (!studio.take)  // a take flies the camera by its own steps (flyFor)
    moveFree(fly(freeCamera(), held, seconds, fast));
  requestAnimationFrame(step);
}

// The free camera flown for seconds of the story with the keys held now (a take's
// step: the camera moves as far each frame of the story, however fast it is drawn).
export function flyFor(seconds) {
  if (held.size)
    set({ free: fly(freeCamera(), held, seconds, fast) });
}

function flyWithKeys() {
  window.addEventListener('blur', () => held.clear());
}

