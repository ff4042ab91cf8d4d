// The studio's keys, whenever the text view does not have the focus (Escape
// leaves it): the timeline's (Left/Right a frame, Shift a second of the story,
// PageUp/PageDown the previous/next key, Home/End), Space to play and pause, V
// the view, K a key, Delete the key at the playhead, the free camera's fly keys
// (held), and undo and redo, which also work from the text view as it has them.
import { undo, redo } from '@codemirror/commands';
import { studio } from './state.js';
import { flyKey } from './views.js';

function typing(target) {
  return target instanceof HTMLInputElement || target instanceof HTMLSelectElement ||
         target instanceof HTMLTextAreaElement;
}

// actions: { seek(n), seekKey(direction), togglePlay(), toggleView(), key(), deleteKey(), leaveText(),
// toggleTake() }. While a take runs, only its own keys act: the fly keys, R and Escape.
export function initKeyboard(actions) {
  window.addEventListener('keydown', event => {
    if (studio.editor.hasFocus) {
      if (event.key === 'Escape') {
        event.preventDefault();
        actions.leaveText();
      }
      return;
    }
    if (typing(event.target))
      return;
    const ctrl = event.ctrlKey || event.metaKey;
    const key = event.key;
    if (ctrl && (key === 'z' || key === 'Z' || key === 'y')) {
      event.preventDefault();
      (key === 'y' || event.shiftKey ? redo : undo)(studio.editor);
      return;
    }
    if (flyKey(event, true)) {
      event.preventDefault();
      return;
    }
    if (ctrl || event.altKey)
      return;
    if (key === 'r' || key === 'R' || (studio.take && key === 'Escape')) {
      event.preventDefault();
      if (!event.repeat)
        actions.toggleTake();
      return;
    }
    if (studio.take)
      return;
    const last = studio.facts.frames - 1;
    const step = event.shiftKey ? Math.round(1000 / studio.facts.pace) : 1;  // a second of the story
    const done = {
      ArrowLeft: () => actions.seek(Math.max(0, studio.frame - step)),
      ArrowRight: () => actions.seek(Math.min(last, studio.frame + step)),
      PageUp: () => actions.seekKey(-1),
      PageDown: () => actions.seekKey(1),
      Home: () => actions.seek(0),
      End: () => actions.seek(last),
      ' ': () => { if (!event.repeat) actions.togglePlay(); },
      v: actions.toggleView,
      V: actions.toggleView,
      k: actions.key,
      K: actions.key,
      Delete: actions.deleteKey,
    }[key];
    if (done) {
      event.preventDefault();
      done();
    }
  });
  window.addEventListener('keyup', event => flyKey(event, false));
}
