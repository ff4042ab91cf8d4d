// The studio's state in one place: CodeMirror's own editor state, which holds the
// document (the shot list's text, with its undo history) and, in fields of the
// studio's, everything else the studio shows: the playhead, the view, the free
// camera and the actor it follows, the transport (playing, or flying a take),
// the shot list's name and the last word to the user. The compiled film is
// derived from the document (film.js). Every change is a transaction, dispatched
// to the view; the picture, the timeline, the bars and the autosave subscribe to
// the updates. The program's calls and the page's facts are services, passed in
// through a facet, never held in the state.
import { Facet, StateEffect, StateField } from '@codemirror/state';

// The services: { core (the program's calls, shared/core.js), facts (what the
// program says once: actors, motions, frames, beats, pace, field of view) }.
export const services = Facet.define({ combine: values => values[0] });

// The studio's fields, changed together by one effect with the fields that change.
export const INITIAL = {
  name: 'camarabuena', // the shot list's name, for downloads
  frame: 0,            // the playhead
  span: null,          // the frames the timeline shows, { first, last }; null: the whole story
  view: 'film',        // 'film': through the film's camera; 'free': through the free camera
  free: null,          // the free camera: { eye, centre, up }, arrays of three numbers; null until first used
  follow: null,        // the actor the free camera travels with: { actor, at (where it was when last followed) }
  running: null,       // the transport: null, 'play', or 'take'
  take: null,          // the take being flown: { from (its first frame), frames (flown so far) }
  sound: true,         // the transport plays the film's sound (false: muted)
  message: null,       // the last word to the user: { text, kind: 'info' | 'error' }
  writing: true,       // this tab writes the draft (false: another tab does, and this one only shows it)
  draft: { stored: 0, failing: null, reason: '', standIn: null },  // what became of the draft's stores
};

export const change = StateEffect.define();

export const studioField = StateField.define({
  create: () => INITIAL,
  update(value, tr) {
    for (const e of tr.effects)
      if (e.is(change))
        value = { ...value, ...e.value };
    return value;
  },
});

// The studio's fields in a state.
export function studioOf(state) {
  return state.field(studioField);
}

// A word to the user, as an effect of a transaction.
export function saying(text, kind = 'info') {
  return change.of({ message: { text, kind } });
}

// Says it now, in a transaction of its own.
export function say(view, text, kind = 'info') {
  view.dispatch({ effects: saying(text, kind) });
}

// Which of the studio's fields an update changed: a Set of their names.
export function changedFields(update) {
  const before = studioOf(update.startState), after = studioOf(update.state);
  return new Set(Object.keys(after).filter(name => before[name] !== after[name]));
}
