// The transport: the story played from the playhead at its pace (a step, its
// picture, the story's wait), either to watch it (play) or to fly a take through
// the free camera. One loop drives both: each step is one transaction that moves
// the playhead (and, in a take, the free camera flown meanwhile), so that the
// picture is drawn once a step. A take's poses, one a frame, are kept here as it
// runs and handed on when it ends.
import { asPose } from './freecam.js';
import { change, saying, services, studioOf } from './store.js';
import { flown, freeOf, seeking } from './views.js';

let timer = null;
let poses = [];           // the take's poses so far, nine numbers a frame
let onStep = () => {};    // called after each step of a take, with its poses
let onEnd = () => {};     // called when a take ends, with its first frame and its poses

// What a take does as it runs and when it ends: stepped(poses), ended(from, poses).
export function initTransport({ stepped, ended }) {
  onStep = stepped;
  onEnd = ended;
}

function pace(view) {
  return view.state.facet(services).facts.pace;
}

function last(view) {
  return view.state.facet(services).facts.frames - 1;
}

function stop(view, effects = []) {
  clearTimeout(timer);
  timer = null;
  view.dispatch({ effects: [change.of({ running: null }), ...effects] });
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
  const from = s.frame >= last(view) ? 0 : s.frame;
  view.dispatch({ effects: change.of({ running: 'play', ...seeking(view.state, from) }) });
  const step = () => {
    const n = studioOf(view.state).frame + 1;
    if (studioOf(view.state).running !== 'play')
      return;
    view.dispatch({ effects: change.of(seeking(view.state, n)) });
    if (n >= last(view))
      stop(view);
    else
      timer = setTimeout(step, pace(view));
  };
  timer = setTimeout(step, pace(view));
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
  poses = [];
  const from = s.frame;
  view.dispatch({ effects: [change.of({ running: 'take', view: 'free', free: freeOf(view.state), take: { from, frames: 0 } }),
                            saying(`Take from frame ${from}: fly the camera (drag, W A S D Q E); R or Escape ends it.`)] });
  const step = first => {
    const state = view.state, t = studioOf(state);
    if (t.running !== 'take')
      return;
    const moved = first ? {} : seeking(state, t.frame + 1);
    const camera = first ? freeOf(state) : flown(moved.free || freeOf(state), pace(view) / 1000);
    poses.push(...asPose(camera));
    view.dispatch({ effects: change.of({ ...moved, free: camera, take: { from, frames: poses.length / 9 } }) });
    onStep(from, poses);
    if (studioOf(view.state).frame >= last(view))
      endTake(view);
    else
      timer = setTimeout(() => step(false), pace(view));
  };
  step(true);
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
