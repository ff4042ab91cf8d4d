// The studio's keys, whenever the text view does not have the focus (Escape
// leaves it): the timeline's (Left/Right a frame, Shift a second of the story,
// PageUp/PageDown the previous/next key, Home/End), Space to play and pause, V
// the view, K a key, N snap on or off, Delete the key at the playhead, R a take, the free camera's
// fly keys (held), and undo and redo, which also work from the text view as it
// has them.
import { undo, redo } from '@codemirror/commands';
import { typing } from '../shared/page.js';
import { services, studioOf } from './store.js';
import { flyKey } from './views.js';

// actions: { seek(n), seekKey(direction), togglePlay(), toggleView(), key(), deleteKey(), leaveText(),
// toggleTake(), toggleSnap() }. While a take runs, only its own keys act: the fly keys, R and Escape.
export function initKeyboard(view, actions) {
  window.addEventListener('keydown', event => {
    if (view.hasFocus) {
      if (event.key === 'Escape') {
        event.preventDefault();
        actions.leaveText();
      }
      return;
    }
    if (typing(event))
      return;
    const ctrl = event.ctrlKey || event.metaKey, key = event.key, s = studioOf(view.state);
    if (ctrl && (key === 'z' || key === 'Z' || key === 'y')) {
      event.preventDefault();
      (key === 'y' || event.shiftKey ? redo : undo)(view);
      return;
    }
    if (flyKey(view, event, true)) {
      event.preventDefault();
      return;
    }
    if (ctrl || event.altKey)
      return;
    if (key === 'r' || key === 'R' || (s.running === 'take' && key === 'Escape')) {
      event.preventDefault();
      if (!event.repeat)
        actions.toggleTake();
      return;
    }
    if (s.running === 'take')
      return;
    const { frames, pace } = view.state.facet(services).facts;
    const step = event.shiftKey ? Math.round(1000 / pace) : 1;  // a second of the story
    const done = {
      ArrowLeft: () => actions.seek(Math.max(0, s.frame - step)),
      ArrowRight: () => actions.seek(Math.min(frames - 1, s.frame + step)),
      PageUp: () => actions.seekKey(-1),
      PageDown: () => actions.seekKey(1),
      Home: () => actions.seek(0),
      End: () => actions.seek(frames - 1),
      ' ': () => { if (!event.repeat) actions.togglePlay(); },
      v: actions.toggleView,
      V: actions.toggleView,
      k: actions.key,
      K: actions.key,
      n: actions.toggleSnap,
      N: actions.toggleSnap,
      Delete: actions.deleteKey,
    }[key];
    if (done) {
      event.preventDefault();
      done();
    }
  });
  window.addEventListener('keyup', event => flyKey(view, event, false));
}
