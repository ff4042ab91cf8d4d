// Takes: R starts one at the playhead; the story plays at its pace (a step, its
// picture, 25 ms) through the free camera, flown meanwhile with the mouse and the
// held keys; R or Escape ends it, and so does the story's last frame. The take's
// poses, one a frame, are kept in the browser as it goes (a crash mid-take keeps
// what was flown: the next visit offers it), then reduced to keys by the
// program's own reducer, within the chosen tolerance, and spliced into the shot
// list in place of the keys inside the take's frames, as one edit.
import { forget, keep, recall } from '../shared/storage.js';
import { spliceTake } from './edits.js';
import { asPose } from './freecam.js';
import { say, set, studio } from './state.js';
import { draw, flyFor, freeCamera } from './views.js';

const KEY = 'studio-take';
const KEEP_EVERY = 20;  // frames between two stores of the take's poses (half a second)

let timer = null;
let tolerance = () => 0.05;

export function initTakes(toleranceOf) {
  tolerance = toleranceOf;
}

function store(take) {
  return keep(KEY, { from: take.from, poses: take.poses, time: Date.now() })
    .then(() => { document.body.dataset.takeKept = String(take.poses.length / 9); })
    .catch(error => say(`The take is not kept as it goes: ${error.message}.`, 'error'));
}

// R: a take from the playhead, or the end of the one running.
export function toggleTake() {
  if (studio.take) {
    endTake();
    return;
  }
  if (studio.playing)
    return;
  if (studio.view !== 'free') {
    freeCamera();
    set({ view: 'free' });
  }
  const take = { from: studio.frame, poses: [] };
  document.body.dataset.takeKept = '0';
  set({ take });
  say(`Take from frame ${take.from}: fly the camera (drag, W A S D Q E); R or Escape ends it.`);
  const step = () => {
    if (studio.take !== take)
      return;
    if (take.poses.length)
      flyFor(studio.facts.pace / 1000);
    take.poses.push(...asPose(freeCamera()));
    draw();
    if (take.poses.length / 9 % KEEP_EVERY === 0)
      store(take);
    if (studio.frame >= studio.facts.frames - 1) {
      endTake();
      return;
    }
    set({ frame: studio.frame + 1 });
    timer = setTimeout(step, studio.facts.pace);
  };
  step();
}

// The take ended: its poses made into keys in the text.
export async function endTake() {
  const take = studio.take;
  if (!take)
    return;
  clearTimeout(timer);
  set({ take: null, frame: take.from + Math.max(0, take.poses.length / 9 - 1) });  // the take's last frame
  await store(take);
  makeKeys(take.from, take.poses);
}

function makeKeys(from, poses) {
  const count = poses.length / 9;
  if (count < 1)
    return;
  const to = from + count - 1;
  const answer = studio.core.takeKeys(Float32Array.from(poses), from, tolerance());
  if (answer.error) {
    say(`The take of frames ${from} to ${to} gives no keys: ${answer.error}.`, 'error');
    return;
  }
  const done = spliceTake(from, to, answer.lines);
  forget(KEY);
  say(`The take of frames ${from} to ${to} became ${answer.lines.length} key${answer.lines.length === 1 ? '' : 's'} ` +
      `(within ${answer.deviation} of what was flown)` + (done.replaced ? `, in place of ${done.replaced}` : '') +
      (done.cut ? '; the key before it now cuts to it (step)' : '') + '. Ctrl+Z takes it back.');
}

// A take that a former visit flew and did not finish, offered in the bar.
export async function offerLastTake(ask) {
  const last = await recall(KEY);
  if (!last || !Array.isArray(last.poses) || last.poses.length < 9 || !Number.isInteger(last.from))
    return;
  const count = Math.floor(last.poses.length / 9);
  if (await ask(`A take from your last visit (frames ${last.from} to ${last.from + count - 1}) was not made into keys.`,
                'Make keys of it', 'Discard it'))
    makeKeys(last.from, last.poses.slice(0, count * 9));
  else
    forget(KEY);
}
