// The draft kept in the browser: the text, the playhead, the view and the free
// camera, stored within half a second of every change (and at once when the page
// is hidden), so that a closed tab or a killed browser loses at most the last
// half second. Where the browser refuses to store, the studio says so once and
// goes on.
import { keep, recall } from '../shared/storage.js';
import { studio, watch, say } from './state.js';

const KEY = 'studio-draft';
const DELAY = 300;  // milliseconds from a change to its store

let timer = null;
let refused = false;
let changes = 0;  // changes of the draft so far; the page shows how many are stored (data-changes, data-saved)

export async function loadDraft() {
  const draft = await recall(KEY);
  return draft && typeof draft.text === 'string' ? draft : null;
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
}

// Something of the draft changed: stored within DELAY.
export function changed() {
  changes++;
  document.body.dataset.changes = String(changes);
  if (timer === null)
    timer = setTimeout(saveNow, DELAY);
}

export async function saveNow() {
  clearTimeout(timer);
  timer = null;
  if (!studio.editor)
    return;
  const draft = { text: studio.editor.state.doc.toString(), frame: studio.frame, view: studio.view,
                  free: studio.free, name: studio.name, time: Date.now() };
  const counted = changes;
  try {
    await keep(KEY, draft);
    document.body.dataset.saved = String(counted);  // for the page's tests, and a look in the inspector
  } catch (error) {
    if (!refused)
      say(`The draft is not kept in this browser: ${error.message}. Download the shot list to keep it.`, 'error');
    refused = true;
  }
}
