// The studio's state in one place. The document, the shot list's text, is the
// text view's (CodeMirror's state, with its undo history); everything else the
// studio shows is here, changed only through set(), which tells every watcher
// what changed.

export const studio = {
  core: null,       // the program's calls (core.js)
  facts: null,      // what the program says once: actors, motions, frames, beats, field of view
  editor: null,     // the text view (text.js)
  name: 'camarabuena', // the shot list's name, for downloads
  compiled: null,   // the program's answer for the text as it stands (core.compile)
  shown: null,      // the answer whose film is shown: the last text that read well
  frame: 0,         // the playhead
  view: 'film',     // 'film': through the film's camera; 'free': through the free camera
  free: null,       // the free camera: { eye, centre, up }, arrays of three numbers; null until first used
  follow: null,     // the actor the free camera travels with: { actor, at (where it was when last followed) }
  playing: false,   // the story plays from the playhead
  take: null,       // the take being flown: { from (its first frame), poses (nine numbers a frame) }
  message: null,    // the last word to the user: { text, kind: 'info' | 'error' }
};

const watchers = [];

// f(changes) after every set(), with the fields that were set.
export function watch(f) {
  watchers.push(f);
}

export function set(changes) {
  Object.assign(studio, changes);
  for (const f of watchers)
    f(changes);
}

// A word to the user, in the status line.
export function say(text, kind = 'info') {
  set({ message: { text, kind } });
}
