// The draft kept in the browser: the text, the playhead, the view and the free
// camera, stored within DELAY of every change (and at once when the page is
// hidden), so that a closed tab or a killed browser loses at most that. Only the
// tab that writes the draft stores it (owner.js); the others show it read-only
// and follow it. A store counts once the browser says it is written; one that
// fails is said at once, and the draft's line beside the status line says so
// until a store succeeds. What became of the stores is the studio's `draft`
// field; the line is its subscriber.
import { EditorView } from '@codemirror/view';
import { askToPersist, keep, onFallback, recall } from '../shared/storage.js';
import { $ } from '../shared/page.js';
import { toldStored } from './owner.js';
import { change, changedFields, saying, studioOf } from './store.js';

const KEY = 'studio-draft';
const DELAY = 300;  // milliseconds from a change to its store

let view = null;
let timer = null;
let changes = 0;                  // changes of the draft so far, this visit
let storing = Promise.resolve();  // stores, one after another

export async function loadDraft() {
  const draft = await recall(KEY);
  return draft && typeof draft.text === 'string' ? draft : null;
}

function draftOf(state) {
  return studioOf(state).draft;
}

function setDraft(fields, effects = []) {
  view.dispatch({ effects: [change.of({ draft: { ...draftOf(view.state), ...fields } }), ...effects] });
}

function notSaved(error) {
  return error.quota ? 'Not saved: the browser\'s storage for this site is full. Save shots keeps your work.'
    : 'Not saved: the browser refused to store the draft (is the disk full?). Save shots keeps your work.';
}

function store(counted) {
  const s = studioOf(view.state);
  const draft = { text: view.state.doc.toString(), frame: s.frame, view: s.view, free: s.free, name: s.name,
                  time: Date.now() };
  return keep(KEY, draft).then(() => {
    setDraft({ stored: Math.max(draftOf(view.state).stored, counted), failing: null });
    toldStored();
  }, error => {
    const sentence = notSaved(error), first = !draftOf(view.state).failing;
    setDraft({ failing: sentence, reason: error.detail || error.message }, first ? [saying(sentence, 'error')] : []);
  });
}

// Stores the draft now; resolves once the store has completed or failed.
export function saveNow() {
  clearTimeout(timer);
  timer = null;
  if (!view || !studioOf(view.state).writing)
    return storing;
  askToPersist();
  const counted = changes;
  storing = storing.then(() => store(counted));
  return storing;
}

// The autosave's subscription: a change of the draft is stored within DELAY.
export const draftUpdates = EditorView.updateListener.of(update => {
  const fields = changedFields(update);
  if (!studioOf(update.state).writing || !(update.docChanged || fields.has('frame') || fields.has('view') ||
                                           fields.has('free') || fields.has('name')))
    return;
  changes++;
  if (timer === null)
    timer = setTimeout(saveNow, DELAY);
});

// The draft's line beside the status line, kept to the state.
export const draftLine = EditorView.updateListener.of(update => {
  if (changedFields(update).has('draft') || changedFields(update).has('writing'))
    showDraft(update.state);
});

function showDraft(state) {
  const s = studioOf(state), d = s.draft, line = $('draft-state');
  $('edit-here').hidden = s.writing;
  if (!s.writing) {
    line.textContent = 'Read-only: the studio is open in another tab, which edits this draft.';
    line.className = 'note';
  } else if (d.failing) {
    line.textContent = d.failing;
    line.title = d.reason;
    line.className = 'error';
  } else {
    line.textContent = d.stored < changes ? 'Saving…' : d.standIn ? 'Draft kept (localStorage)' : 'Draft kept';
    line.title = d.standIn ? `The browser's database stands aside: ${d.standIn}.` : 'Kept in this browser.';
    line.className = '';
  }
}

// How many changes of the draft this visit, and how many a completed store holds.
export function draftCounts() {
  return { changes, stored: view ? draftOf(view.state).stored : 0 };
}

export function initAutosave(editorView) {
  view = editorView;
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden')
      saveNow();
  });
  onFallback(why => setDraft({ standIn: why }, [saying(`The browser's database stands aside (${why}): the draft ` +
                                                        'is kept in localStorage instead.', 'error')]));
  showDraft(view.state);
}
