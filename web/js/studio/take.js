// Takes: R starts one at the playhead; the story plays at its pace (a step, its
// picture, 25 ms) through the free camera, flown meanwhile with the mouse and the
// held keys; R or Escape ends it, and so does the story's last frame. The take's
// poses, one a frame, are kept in the browser as it goes (a crash mid-take keeps
// what was flown: the next visit offers it), then reduced to keys by the
// program's own reducer, within the chosen tolerance, and spliced into the shot
// list in place of the keys inside the take's frames, as one edit. A take never
// removes the key that shapes the frames after it: where it flew past keys, the
// last of them stays, the take ends on the frame before it, and its last pose
// holds until it.
import { forget, keep, recall } from '../shared/storage.js';
import { keysNow } from './compile.js';
import { spliceTake } from './edits.js';
import { isWriter } from './owner.js';
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
  if (!isWriter()) {
    say('No take: this tab only shows the draft, which another tab edits (Edit here takes it over).', 'error');
    return;
  }
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

// "the key at frame 10 (line 3)", "the keys at frames 10 (line 3) and 20 (line 4)".
function keysWord(keys) {
  const each = keys.map(k => `${k.frame} (line ${k.line})`);
  const list = each.length < 2 ? each[0] : `${each.slice(0, -1).join(', ')} and ${each[each.length - 1]}`;
  return `the key${keys.length === 1 ? '' : 's'} at frame${keys.length === 1 ? '' : 's'} ${list}`;
}

function makeKeys(from, poses) {
  const flown = poses.length / 9;
  if (flown < 1)
    return;
  let to = from + flown - 1;
  const inside = keysNow().filter(k => k.frame >= from && k.frame <= to);
  const stays = inside.length && inside[inside.length - 1].frame > from ? inside[inside.length - 1] : null;
  if (stays) {
    to = stays.frame - 1;  // the key shapes the frames after the take: the take ends before it
    poses = poses.slice(0, (to - from + 1) * 9);
  }
  const answer = studio.core.takeKeys(Float32Array.from(poses), from, tolerance());
  if (answer.error) {
    say(`The take of frames ${from} to ${to} gives no keys: ${answer.error}.`, 'error');
    return;
  }
  const replaced = keysNow().filter(k => k.frame >= from && k.frame <= to);
  const done = spliceTake(from, to, answer.lines);
  if (!done)
    return;  // refused, and said why
  forget(KEY);
  const n = answer.lines.length;
  say(`The take of frames ${from} to ${to} became ${n} key${n === 1 ? '' : 's'} ` +
      `(within ${answer.deviation} of what was flown)` + (replaced.length ? `, in place of ${keysWord(replaced)}` : '') +
      (done.cut ? '; the key before it now cuts to it (step)' : '') +
      (stays ? `; ${keysWord([stays])} stays, and the take's last pose holds until it ` +
               `(frames ${stays.frame} to ${from + flown - 1} of the take are left out)` : '') +
      '. Ctrl+Z takes it back.');
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
