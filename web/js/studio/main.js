// The studio's page: starts the program on the picture's canvas, learns which tab
// writes the draft, opens the text (the last draft, else a shared link's, else
// the bundled shot list) in one editor state that holds the studio's whole state
// (store.js), and subscribes the picture, the timeline, the bars, the problems,
// the autosave and the music to it. Frame numbers are the story's.
import { EditorState } from '@codemirror/state';
import { EditorView } from '@codemirror/view';
import { startCore } from '../shared/core.js';
import { removeLeftovers } from '../shared/export_file.js';
import { keepForOffline } from '../shared/offline.js';
import { $ } from '../shared/page.js';
import { draftLine, draftUpdates, initAutosave, loadDraft, saveNow } from './autosave.js';
import { barUpdates, showAllBars, wireBars } from './bars.js';
import { filmExtensions, keysOf } from './film.js';
import { initKeyboard } from './keyboard.js';
import { deleteKey, keyFromView } from './edits.js';
import { dropFragment, openLink, question, readLink } from './opening.js';
import { initMusic, musicUpdates } from './music.js';
import { musicBarUpdates } from './music_panel.js';
import { claimDraft } from './owner.js';
import { snapped } from './snap.js';
import { INITIAL, change, say, saying, services, studioField, studioOf } from './store.js';
import { offerLastTake, takeHandlers } from './take.js';
import { exposeForTests } from './test_interface.js';
import { follow as followText, textExtensions } from './text.js';
import { initTimelinePaint, scale, timelineUpdates } from './timeline.js';
import { initTimelineInput, paintDragged } from './timeline_input.js';
import { endTake, grain, initTransport, togglePlay, toggleTake } from './transport.js';
import { soundWanted } from '../shared/sound.js';
import { following, freeOf, initPicture, pictureUpdates, seeking } from './views.js';

const BUNDLED = 'camarabuena.shots';

// ---- The studio's own actions ------------------------------------------------------

function actions(view) {
  const seek = n => {
    const s = studioOf(view.state);
    if (s.running === 'take' || n === s.frame)
      return;
    view.dispatch({ effects: change.of(seeking(view.state, n)) });
    if (!s.running)
      grain(view, n);
  };
  return {
    seek,
    seekKey(direction) {
      const frame = studioOf(view.state).frame, keys = keysOf(view.state);
      const key = direction < 0 ? keys.filter(k => k.frame < frame).pop() : keys.find(k => k.frame > frame);
      if (key)
        seek(key.frame);
      else
        say(view, direction < 0 ? 'No key before the playhead.' : 'No key after the playhead.');
    },
    toggleView() {
      const s = studioOf(view.state);
      view.dispatch({ effects: change.of({ view: s.view === 'film' ? 'free' : 'film', free: freeOf(view.state) }) });
    },
    follow: actor => view.dispatch({ effects: change.of(following(view.state, actor)) }),
    togglePlay: () => togglePlay(view),
    toggleTake: () => toggleTake(view),
    key() {
      const s = studioOf(view.state), perFrame = scale(view.state, $('timeline').clientWidth).perFrame;
      const n = snapped(view.state, s.frame, perFrame);
      if (n !== s.frame && !s.running)
        view.dispatch({ effects: change.of(seeking(view.state, n)) });
      keyFromView(view);
    },
    toggleSnap() {
      const on = !studioOf(view.state).snap;
      view.dispatch({ effects: [change.of({ snap: on }), saying(on ? 'Snap on: the playhead, K and key drags snap to ' +
                                'the nearest music or story beat (N turns it off).' : 'Snap off.')] });
    },
    deleteKey: () => deleteKey(view),
    leaveText: () => $('picture').focus(),
  };
}

// ---- Which tab writes the draft -------------------------------------------------------

// What this tab does as the draft changes hands; ready resolves to the studio's
// editor view once it holds the studio's state.
function ownership(ready) {
  return {
    // This tab writes the draft now (the other closed, or handed it over): the
    // draft as the other tab stored it, editable.
    gained: async () => {
      const view = await ready, draft = await loadDraft();
      followText(view, draft ? draft.text : view.state.doc.toString(),
                 [change.of({ writing: true }), saying('This tab edits the draft now.')]);
      await openLink(view);
      await offerLastTake(view, question);
    },
    // Another tab asked for the draft: stored first (a take running ends), then handed over.
    before: async () => {
      const view = await ready;
      await endTake(view);
      await saveNow();
    },
    lost: async () => (await ready).dispatch({ effects: [change.of({ writing: false }), saying(
      'Another tab edits the draft now: this one only shows it (Edit here takes it back).')] }),
    // The tab that writes the draft stored it: this one shows it as stored.
    stored: async () => {
      const view = await ready, draft = await loadDraft();
      if (draft)
        followText(view, draft.text, typeof draft.name === 'string' && draft.name ? [change.of({ name: draft.name })] : []);
    },
  };
}

// ---- Start -------------------------------------------------------------------------------

function pictureSize() {
  const m = /^(\d{2,4})x(\d{2,4})$/.exec(new URLSearchParams(location.search).get('picture') || '');
  return m ? [Number(m[1]), Number(m[2])] : null;
}

async function bundledText() {
  const response = await fetch(BUNDLED, { cache: 'no-cache' });
  if (!response.ok)
    throw new Error(`${BUNDLED} cannot be fetched (HTTP ${response.status})`);
  return response.text();
}

// The studio's fields as the draft left them (or as a first visit has them).
function fieldsOf(draft, facts, writing) {
  if (!draft)
    return { ...INITIAL, writing, sound: soundWanted() };
  return { ...INITIAL, writing, sound: soundWanted(), frame: Math.max(0, Math.min(facts.frames - 1, draft.frame | 0)),
           view: draft.view === 'free' ? 'free' : 'film', free: draft.free || null,
           name: typeof draft.name === 'string' && draft.name ? draft.name : INITIAL.name };
}

async function start() {
  const core = await startCore($('picture'));
  let viewReady;
  const ready = new Promise(resolve => { viewReady = resolve; });
  const writing = await claimDraft(ownership(ready));
  const draft = await loadDraft();
  const link = writing && !draft ? await readLink(core) : null;  // a first visit opens a link's list at once
  const text = draft ? draft.text : link && link.text ? link.text : await bundledText();
  if (link)
    dropFragment();
  const view = new EditorView({
    parent: $('editor'),
    state: EditorState.create({
      doc: text,
      extensions: [services.of({ core, facts: core.facts }), studioField.init(() => fieldsOf(draft, core.facts, writing)),
                   textExtensions(core.facts), filmExtensions($('problems')), pictureUpdates, timelineUpdates,
                   barUpdates, draftUpdates, draftLine, musicUpdates, musicBarUpdates],
    }),
  });
  const act = actions(view);
  initPicture(view, $('picture'), pictureSize());
  console.log(`studio: first picture ${Math.round(performance.now())} ms after the page was opened`);
  initTimelinePaint(view, $('timeline'), paintDragged);
  initTimelineInput(view, $('timeline'), act.seek);
  wireBars(view, act);
  initKeyboard(view, act);
  initTransport(takeHandlers(view, () => Number($('tolerance-select').value)));
  initAutosave(view);
  showAllBars(view.state);
  initMusic(view);
  if (link && link.error)
    say(view, link.error, 'error');
  else
    say(view, !writing ? 'This tab only shows the draft.' : draft ? 'The last draft, as it was left.'
                       : link ? 'The shot list the link carries.' : 'The bundled shot list.');
  if (!draft)
    saveNow();
  exposeForTests(view);
  viewReady(view);
  document.body.dataset.ready = 'true';
  removeLeftovers();  // what exports of closed tabs left in the browser's private files
  keepForOffline();
  window.addEventListener('hashchange', () => openLink(view));
  if (writing || location.hash)
    await openLink(view);
  if (writing)
    await offerLastTake(view, question);
}

start().catch(error => {
  $('status').textContent = `The studio cannot start: ${error.message || error}`;
  $('status').className = 'error';
  console.error(error);
});
