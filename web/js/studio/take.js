// Takes made into keys. The transport flies a take (R starts one at the playhead;
// R, Escape or the story's last frame ends it); its poses, one a frame, are kept
// in the browser as it goes (a crash mid-take keeps what was flown: the next
// visit offers it), then reduced to keys by the program's own reducer, within
// the chosen tolerance, and spliced into the shot list in place of the keys
// inside the take's frames, as one edit. A take never removes the key that shapes
// the frames after it: where it flew past keys, the last of them stays, the take
// ends on the frame before it, and its last pose holds until it.
import { forget, keep, recall } from '../shared/storage.js';
import { spliceTake } from './edits.js';
import { keysOf } from './film.js';
import { say, services } from './store.js';

const KEY = 'studio-take';
const KEEP_EVERY = 20;  // frames between two stores of the take's poses (half a second)

let tolerance = () => 0.05;
let kept = 0;  // frames of the take running that a completed store holds

function store(view, from, poses) {
  return keep(KEY, { from, poses, time: Date.now() })
    .then(() => { kept = poses.length / 9; })
    .catch(error => say(view, `The take is not kept as it goes: ${error.message}.`, 'error'));
}

// What the transport's takes do: stored as they go, made into keys when they end.
export function takeHandlers(view, toleranceOf) {
  tolerance = toleranceOf;
  return {
    stepped: (from, poses) => {
      if (poses.length === 9)
        kept = 0;
      if (poses.length / 9 % KEEP_EVERY === 0)
        store(view, from, poses.slice());
    },
    ended: async (from, poses) => {
      await store(view, from, poses);
      makeKeys(view, from, poses);
    },
  };
}

// How many frames of the take running (or the last one) are stored.
export function takeKept() {
  return kept;
}

// "the key at frame 10 (line 3)", "the keys at frames 10 (line 3) and 20 (line 4)".
function keysWord(keys) {
  const each = keys.map(k => `${k.frame} (line ${k.line})`);
  const list = each.length < 2 ? each[0] : `${each.slice(0, -1).join(', ')} and ${each[each.length - 1]}`;
  return `the key${keys.length === 1 ? '' : 's'} at frame${keys.length === 1 ? '' : 's'} ${list}`;
}

function makeKeys(view, from, poses) {
  const flown = poses.length / 9;
  if (flown < 1)
    return;
  let to = from + flown - 1;
  const inside = keysOf(view.state).filter(k => k.frame >= from && k.frame <= to);
  const stays = inside.length && inside[inside.length - 1].frame > from ? inside[inside.length - 1] : null;
  if (stays) {
    to = stays.frame - 1;  // the key shapes the frames after the take: the take ends before it
    poses = poses.slice(0, (to - from + 1) * 9);
  }
  const answer = view.state.facet(services).core.takeKeys(Float32Array.from(poses), from, tolerance());
  if (answer.error) {
    say(view, `The take of frames ${from} to ${to} gives no keys: ${answer.error}.`, 'error');
    return;
  }
  const replaced = keysOf(view.state).filter(k => k.frame >= from && k.frame <= to);
  const n = answer.lines.length;
  const words = `The take of frames ${from} to ${to} became ${n} key${n === 1 ? '' : 's'} ` +
    `(within ${answer.deviation} of what was flown)` + (replaced.length ? `, in place of ${keysWord(replaced)}` : '');
  const kept = stays ? `; ${keysWord([stays])} stays, and the take's last pose holds until it ` +
                       `(frames ${stays.frame} to ${from + flown - 1} of the take are left out)` : '';
  if (spliceTake(view, from, to, answer.lines, cut => words + (cut ? '; the key before it now cuts to it (step)' : '') +
                                                      kept + '. Ctrl+Z takes it back.'))
    forget(KEY);
}

// A take that a former visit flew and did not finish, offered: ask(question, yes, no).
export async function offerLastTake(view, ask) {
  const last = await recall(KEY);
  if (!last || !Array.isArray(last.poses) || last.poses.length < 9 || !Number.isInteger(last.from))
    return;
  const count = Math.floor(last.poses.length / 9);
  const answer = await ask(`A take from your last visit (frames ${last.from} to ${last.from + count - 1}) was not ` +
                           'made into keys.', 'Make keys of it', 'Discard it');
  if (answer)
    makeKeys(view, last.from, last.poses.slice(0, count * 9));
  else if (answer === false)
    forget(KEY);
}
