// The draft kept in the browser: the text, the playhead, the view and the free
// camera, stored within DELAY of every change (and at once when the page is
// hidden), so that a closed tab or a killed browser loses at most that. Only the
// tab that writes the draft stores it (owner.js); the others show it read-only
// and follow it. A store counts once the browser says it is written; one that
// fails is said at once, and the draft's state beside the status line says so
// until a store succeeds.
import { askToPersist, keep, onFallback, recall } from '../shared/storage.js';
import { isWriter, toldStored } from './owner.js';
import { studio, watch, say } from './state.js';

const KEY = 'studio-draft';
const DELAY = 300;  // milliseconds from a change to its store

let timer = null;
let failing = false;  // the sentence saying why the draft is not saved, while stores fail
let reason = '';      // the browser's own words for it
let changes = 0;     // changes of the draft so far; the page shows how many are stored (data-changes, data-saved)
let stored = 0;      // of those, how many a completed store holds
let standIn = null;  // why localStorage stands in for the browser's database, or null
let storing = Promise.resolve();  // stores, one after another

export async function loadDraft() {
  const draft = await recall(KEY);
  return draft && typeof draft.text === 'string' ? draft : null;
}

function notSaved(error) {
  return error.quota ? 'Not saved: the browser\'s storage for this site is full. Save shots keeps your work.'
    : 'Not saved: the browser refused to store the draft (is the disk full?). Save shots keeps your work.';
}

// The draft's state, beside the status line.
function showState() {
  const state = document.getElementById('draft-state');
  const button = document.getElementById('edit-here');
  button.hidden = isWriter();
  if (!isWriter()) {
    state.textContent = 'Read-only: the studio is open in another tab, which edits this draft.';
    state.className = 'note';
  } else if (failing) {
    state.textContent = failing;
    state.title = reason;
    state.className = 'error';
  } else {
    state.textContent = stored < changes ? 'Saving…' : standIn ? 'Draft kept (localStorage)' : 'Draft kept';
    state.title = standIn ? `The browser's database stands aside: ${standIn}.` : 'Kept in this browser.';
    state.className = '';
  }
  document.body.dataset.saved = String(stored);  // for the page's tests, and a look in the inspector
  document.body.dataset.saving = failing ? 'refused' : 'ok';
}

export function initAutosave() {
  watch(changes => {
    if ('frame' in changes || 'view' in changes || 'free' in changes || 'name' in changes)
      changed();
  });
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden')
      saveNow();
  });
  onFallback(why => {
    standIn = why;
    say(`The browser's database stands aside (${why}): the draft is kept in localStorage instead.`, 'error');
    showState();
  });
  showState();
}

// Something of the draft changed: stored within DELAY.
export function changed() {
  if (!isWriter())
    return;
  changes++;
  document.body.dataset.changes = String(changes);
  showState();
  if (timer === null)
    timer = setTimeout(saveNow, DELAY);
}

function store(counted) {
  const draft = { text: studio.editor.state.doc.toString(), frame: studio.frame, view: studio.view,
                  free: studio.free, name: studio.name, time: Date.now() };
  return keep(KEY, draft).then(() => {
    stored = Math.max(stored, counted);
    failing = false;
    toldStored();
  }, error => {
    const sentence = notSaved(error);
    if (!failing)
      say(sentence, 'error');
    failing = sentence;
    reason = error.detail || error.message;
  });
}

// Stores the draft now; resolves once the store has completed or failed.
export function saveNow() {
  clearTimeout(timer);
  timer = null;
  if (!studio.editor || !isWriter())
    return storing;
  askToPersist();
  const counted = changes;
  storing = storing.then(() => store(counted)).then(showState);
  return storing;
}

// The draft's state shown again (this tab became, or stopped being, the writer).
export function ownerChanged() {
  showState();
}
