// The transport: the story played from the playhead, either to watch it (play)
// or to fly a take through the free camera, with its sound (the film's
// soundtrack, made by the program when the film has changed) unless the studio
// is muted. One loop drives both. With the sound, the sound's clock leads: each
// tick moves the playhead to the frame heard now (a take flies the camera one
// frame's worth for each frame passed, a pose a frame), and the picture is drawn
// once a tick. Muted, a step, its picture and the story's wait. A take's poses
// are kept here as it runs and handed on when it ends; a scrub plays a grain.
import { Soundtrack } from '../shared/sound.js';
import { filmOf } from './film.js';
import { asPose } from './freecam.js';
import { change, saying, services, studioOf } from './store.js';
import { flown, freeOf, seeking } from './views.js';

let timer = null;
let poses = [];           // the take's poses so far, nine numbers a frame
let onStep = () => {};    // called after each step of a take, with its poses
let onEnd = () => {};     // called when a take ends, with its first frame and its poses
const sound = new Soundtrack();

// What a take does as it runs and when it ends: stepped(poses), ended(from, poses).
export function initTransport({ stepped, ended }) {
  onStep = stepped;
  onEnd = ended;
}

function facts(view) {
  return view.state.facet(services).facts;
}

function stop(view, effects = []) {
  clearTimeout(timer);
  timer = null;
  sound.stop();
  view.dispatch({ effects: [change.of({ running: null }), ...effects] });
}

// The film's sound ready to play from frame n, when the studio is not muted and
// the browser lets it play; false otherwise (the transport then keeps the story's pace).
function soundFrom(view, n) {
  if (!studioOf(view.state).sound)
    return false;
  sound.wake();
  const film = filmOf(view.state).shown;
  if (!film || !sound.allowed())
    return false;
  sound.prepare(view.state.facet(services).core, facts(view).frames, film);
  sound.play(n);
  return true;
}

// Runs the transport: each tick, advance(to) moves the story on to frame to (the
// next frame, or the one heard); end() at the story's last frame.
function run(view, from, advance, end) {
  const heard = soundFrom(view, from), last = facts(view).frames - 1;
  const tick = () => {
    if (!studioOf(view.state).running)
      return;
    const now = studioOf(view.state).frame;
    const to = heard ? Math.min(last, Math.max(now, sound.frameNow())) : Math.min(last, now + 1);
    if (to > now)
      advance(to);
    if (studioOf(view.state).frame >= last)
      end();
    else
      timer = setTimeout(tick, heard ? 4 : facts(view).pace);
  };
  timer = setTimeout(tick, heard ? 4 : facts(view).pace);
}

// Space: plays from the playhead (from the start at the story's end), or pauses.
export function togglePlay(view) {
  const s = studioOf(view.state);
  if (s.running === 'take')
    return;
  if (s.running === 'play') {
    stop(view);
    return;
  }
  const from = s.frame >= facts(view).frames - 1 ? 0 : s.frame;
  view.dispatch({ effects: change.of({ running: 'play', ...seeking(view.state, from) }) });
  run(view, from, to => view.dispatch({ effects: change.of(seeking(view.state, to)) }), () => stop(view));
}

// The camera flown to frame to, a pose kept for each frame on the way.
function flyTo(view, from, to) {
  let state = view.state, moved = {};
  let camera = freeOf(state);
  for (let n = studioOf(state).frame + 1; n <= to; n++) {
    moved = seeking(state, n);
    camera = flown(moved.free || camera, facts(view).pace / 1000);
    poses.push(...asPose(camera));
    state = state.update({ effects: change.of({ ...moved, free: camera }) }).state;
  }
  view.dispatch({ effects: change.of({ ...moved, free: camera, take: { from, frames: poses.length / 9 } }) });
  onStep(from, poses);
}

// R: a take from the playhead, in the free view, or the end of the one running.
export function toggleTake(view) {
  const s = studioOf(view.state);
  if (s.running === 'take') {
    endTake(view);
    return;
  }
  if (s.running)
    return;
  if (!s.writing) {
    view.dispatch({ effects: saying('No take: this tab only shows the draft, which another tab edits ' +
                                    '(Edit here takes it over).', 'error') });
    return;
  }
  const from = s.frame, camera = freeOf(view.state);
  poses = [...asPose(camera)];
  view.dispatch({ effects: [change.of({ running: 'take', view: 'free', free: camera, take: { from, frames: 1 } }),
                            saying(`Take from frame ${from}: fly the camera (drag, W A S D Q E); R or Escape ends it.`)] });
  onStep(from, poses);
  run(view, from, to => flyTo(view, from, to), () => endTake(view));
}

// The take ended (R, Escape, the story's end, another tab taking the draft):
// handed on; resolves once it has been.
export async function endTake(view) {
  const t = studioOf(view.state);
  if (t.running !== 'take')
    return;
  const flownPoses = poses;
  poses = [];
  stop(view, [change.of({ take: null })]);
  await onEnd(t.take.from, flownPoses);
}

// A short grain of the sound where a scrub lands, when the film's sound is made.
export function grain(view, n) {
  if (studioOf(view.state).sound && sound.made === filmOf(view.state).shown)
    sound.grain(n);
}
