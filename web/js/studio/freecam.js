// The free camera: a look-at camera of the user's own (eye, centre, up), flown
// with the mouse over the picture (drag: orbit about the centre; Shift+drag or
// right drag: pan; wheel: dolly) and with held keys (W/A/S/D forward, left, back,
// right; Q/E down, up) at a speed per second, not per key repeat. Distances are
// world units; the speed is the eye's distance from its centre each second
// (five times that with Shift).

const ORBIT_DEGREES_PER_PIXEL = 0.3;
const NEAREST = 0.5;         // the eye's least distance from its centre
const STEEPEST = 2;          // degrees the line of sight keeps from the up vector
const FLY_KEYS = { w: [1, 0, 0], s: [-1, 0, 0], d: [0, 1, 0], a: [0, -1, 0], e: [0, 0, 1], q: [0, 0, -1] };

const add = (a, b) => a.map((v, i) => v + b[i]);
const sub = (a, b) => a.map((v, i) => v - b[i]);
const scale = (a, s) => a.map(v => v * s);
const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
const length = a => Math.sqrt(dot(a, a));
const unit = a => scale(a, 1 / (length(a) || 1));

// a turned by angle (radians) about the unit axis (Rodrigues).
function turn(a, axis, angle) {
  const c = Math.cos(angle), s = Math.sin(angle);
  return add(add(scale(a, c), scale(cross(axis, a), s)), scale(axis, dot(axis, a) * (1 - c)));
}

// A free camera behind and above the film's pose, so that the film's camera is in view.
export function behind(pose) {
  const eye = pose.slice(0, 3), centre = pose.slice(3, 6), up = unit(pose.slice(6, 9));
  const back = sub(eye, centre);
  const distance = Math.max(length(back), 4);
  return { eye: add(add(centre, scale(unit(back), distance * 1.8)), scale(up, distance * 0.5)), centre,
           up: up.every(v => Number.isFinite(v)) && length(up) > 0 ? up : [0, 1, 0] };
}

export function asPose(camera) {
  return [...camera.eye, ...camera.centre, ...camera.up];
}

// Turned about the centre: dx pixels about the up vector, dy about the camera's side.
export function orbit(camera, dx, dy) {
  const up = unit(camera.up);
  let offset = turn(sub(camera.eye, camera.centre), up, -dx * ORBIT_DEGREES_PER_PIXEL * Math.PI / 180);
  const side = unit(cross(offset, up));
  const turned = turn(offset, side, dy * ORBIT_DEGREES_PER_PIXEL * Math.PI / 180);
  const angle = Math.acos(Math.max(-1, Math.min(1, dot(unit(turned), up)))) * 180 / Math.PI;
  if (angle > STEEPEST && angle < 180 - STEEPEST)
    offset = turned;
  return { ...camera, eye: add(camera.centre, offset) };
}

// Moved across the view by dx, dy pixels of a picture height pixels tall, so that
// the centre follows the pointer.
export function pan(camera, dx, dy, height, fieldOfView) {
  const view = sub(camera.centre, camera.eye);
  const perPixel = 2 * length(view) * Math.tan(fieldOfView * Math.PI / 360) / Math.max(1, height);
  const side = unit(cross(view, camera.up)), upward = unit(cross(side, view));
  const move = add(scale(side, -dx * perPixel), scale(upward, dy * perPixel));
  return { ...camera, eye: add(camera.eye, move), centre: add(camera.centre, move) };
}

// Moved towards the centre (steps < 0) or away from it, by a share of the distance.
export function dolly(camera, steps) {
  const back = sub(camera.eye, camera.centre);
  const distance = Math.max(NEAREST, length(back) * Math.exp(steps * 0.1));
  return { ...camera, eye: add(camera.centre, scale(unit(back), distance)) };
}

// Flown for seconds with the held keys (a Set of lower-case letters); fast with Shift.
export function fly(camera, held, seconds, fast) {
  const forward = unit(sub(camera.centre, camera.eye)), side = unit(cross(forward, camera.up));
  let move = [0, 0, 0];
  for (const key of held) {
    const [f, s, u] = FLY_KEYS[key] || [0, 0, 0];
    move = add(move, add(add(scale(forward, f), scale(side, s)), scale(unit(camera.up), u)));
  }
  const speed = Math.max(2, length(sub(camera.centre, camera.eye))) * (fast ? 5 : 1);
  move = scale(move, speed * seconds);
  return { ...camera, eye: add(camera.eye, move), centre: add(camera.centre, move) };
}

export function isFlyKey(key) {
  return Object.prototype.hasOwnProperty.call(FLY_KEYS, key);
}
