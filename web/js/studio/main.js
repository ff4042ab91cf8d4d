// The studio's page: starts the program on the picture's canvas, opens the text
// (a shared link's, else the last draft, else the bundled shot list), and wires
// the text view, the compiler, the picture, the timeline, the tool bar, the keys,
// the autosave and the way out (downloads, Play, Share). Frame numbers are the
// story's; the picture is drawn at once for every input, so that what is shown is
// always the playhead's frame.
import { redo, undo } from '@codemirror/commands';
import { download } from '../shared/download.js';
import { onFileDropped } from '../shared/drop.js';
import { exportPanel } from '../shared/export_panel.js';
import { removeLeftovers } from '../shared/export.js';
import { keep } from '../shared/storage.js';
import { shownName, textOfBytes } from '../shared/text_file.js';
import { changed, initAutosave, loadDraft, ownerChanged, saveNow } from './autosave.js';
import { compileNow, compiledNow, initCompile, keysNow, scheduleCompile } from './compile.js';
import { startCore } from '../shared/core.js';
import { aimAt, deleteKey, keyAt, keyFromView, replaceText, rideWith, setMotion } from './edits.js';
import { initKeyboard } from './keyboard.js';
import { askToWrite, claimDraft, isWriter } from './owner.js';
import { linkFor, textFromFragment } from './share.js';
import { endTake, initTakes, offerLastTake, toggleTake } from './take.js';
import { say, set, studio, watch } from './state.js';
import { MOST_BYTES, createEditor, follow as followText, setShownOnly, tooBig } from './text.js';
import { initTimeline } from './timeline.js';
import { draw, follow, freeCamera, initViews } from './views.js';

const BUNDLED = 'camarabuena.shots';

const $ = id => document.getElementById(id);

// ---- The playhead ------------------------------------------------------------

function seek(n) {
  if (studio.take)
    return;  // a take plays the story itself
  if (n !== studio.frame)
    set({ frame: n });
  draw();
}

function seekKey(direction) {
  const keys = keysNow();
  const key = direction < 0 ? keys.filter(k => k.frame < studio.frame).pop() : keys.find(k => k.frame > studio.frame);
  if (key)
    seek(key.frame);
  else
    say(direction < 0 ? 'No key before the playhead.' : 'No key after the playhead.');
}

let playTimer = null;

function togglePlay() {
  if (studio.take)
    return;
  if (studio.playing) {
    clearTimeout(playTimer);
    set({ playing: false });
    return;
  }
  if (studio.frame >= studio.facts.frames - 1)
    seek(0);
  set({ playing: true });
  const step = () => {
    if (!studio.playing)
      return;
    seek(studio.frame + 1);
    if (studio.frame >= studio.facts.frames - 1)
      set({ playing: false });
    else
      playTimer = setTimeout(step, studio.facts.pace);  // the story's pace: a step, its picture, the wait
  };
  playTimer = setTimeout(step, studio.facts.pace);
}

function toggleView() {
  if (studio.view === 'film')
    freeCamera();
  set({ view: studio.view === 'film' ? 'free' : 'film' });
  draw();
}

function leaveText() {
  $('picture').focus();
}

// ---- What the page shows of the state -------------------------------------------

function showState(changes) {
  if ('frame' in changes || 'compiled' in changes) {
    $('frame-label').textContent = `frame ${studio.frame} / ${studio.facts.frames - 1}`;
    const beat = studio.facts.beats.filter(b => b.frame <= studio.frame).pop();
    $('beat-label').textContent = beat ? `${beat.name} (from ${beat.frame})` : '';
    const key = keyAt(studio.frame);
    $('key-label').textContent = key ? `key, line ${key.line}, ${key.motion}` : '';
    $('delete-button').disabled = !key;
    $('motion-select').value = '';
  }
  if ('follow' in changes)
    $('follow-select').value = studio.follow ? studio.follow.actor : '';
  if ('view' in changes) {
    $('view-button').firstChild.textContent = `View: ${studio.view} `;
    document.body.dataset.view = studio.view;
  }
  if ('playing' in changes)
    $('play-pause').firstChild.textContent = studio.playing ? '❚❚ Pause ' : '▶ Play ';
  if ('take' in changes) {
    $('take-button').firstChild.textContent = studio.take ? 'End take ' : 'Take ';
    document.body.dataset.take = studio.take ? 'on' : 'off';
  }
  if ('message' in changes) {
    $('status').textContent = studio.message ? studio.message.text : '';
    $('status').className = studio.message ? studio.message.kind : '';
  }
}

// ---- Opening a text -----------------------------------------------------------------

// What a file holds as a shot list's text; an Error saying why it is none.
async function textOfFile(file) {
  const name = shownName(file.name);
  if (file.size > MOST_BYTES)
    throw new Error(`${name} is not opened: it is over 1 MB (${file.size.toLocaleString('en')} bytes).`);
  let text;
  try {
    text = textOfBytes(new Uint8Array(await file.arrayBuffer()));
  } catch (error) {
    throw new Error(`${name} is not opened: ${error.message}.`);
  }
  const why = tooBig(text);
  if (why)
    throw new Error(`${name} is not opened: ${why}.`);
  return text;
}

// The first reading error of a text as a shot list, as { line, column, message,
// more } (more: how many other lines have errors), or null when it reads.
function readingError(text) {
  const answer = studio.core.compile(text, false);
  return answer.ok ? null : { ...answer.errors[0], more: answer.errorCount - 1 };
}

function others(e) {
  return e.more > 0 ? ` (and ${e.more} more lines with errors)` : '';
}

function baseName(fileName) {
  return fileName.replace(/\.(shots|txt)$/i, '') || 'shots';
}

async function openFile(file) {
  if (!file)
    return;
  const name = shownName(file.name);
  try {
    const text = await textOfFile(file);
    const e = readingError(text);
    if (e)
      throw new Error(`${name} is not opened: ${name}:${e.line}:${e.column}: ${e.message}${others(e)}.`);
    if (replaceText(text)) {
      set({ name: baseName(file.name) });
      say(`Opened ${name} (Ctrl+Z takes the last text back).`);
    }
  } catch (error) {
    say(error.message, 'error');
  }
}

// A question in the bar under the tool bar; resolves to true for yes, false for
// no, null when another question took its place.
let asked = null;  // resolves the question shown
function ask(question, yes, no) {
  if (asked)
    asked(null);
  $('ask-text').textContent = question;
  $('ask-yes').textContent = yes;
  $('ask-no').textContent = no;
  $('ask').hidden = false;
  return new Promise(resolve => {
    asked = resolve;
    const answer = value => () => {
      $('ask').hidden = true;
      asked = null;
      resolve(value);
    };
    $('ask-yes').onclick = answer(true);
    $('ask-no').onclick = answer(false);
  });
}

// The shot list the address's fragment carries: its text, null when it carries
// none, undefined when it cannot be opened (said why, and the fragment dropped).
async function linkedText() {
  if (!location.hash)
    return null;
  try {
    const text = await textFromFragment(location.hash, MOST_BYTES);
    if (text === null)
      return null;
    const big = tooBig(text);
    if (big)
      throw new Error(`The link's shot list cannot be opened: ${big}.`);
    const e = readingError(text);
    if (e)
      throw new Error(`The link's shot list cannot be opened: line ${e.line}, column ${e.column}: ${e.message}${others(e)}.`);
    return text;
  } catch (error) {
    say(error.message, 'error');
    dropFragment();
    return undefined;
  }
}

function dropFragment() {
  if (location.hash)
    history.replaceState(null, '', location.href.replace(/#.*$/, ''));
}

// The address's link answered: its shot list opened in place of the draft, when
// the draft differs and the user agrees; the link stays in the address until then.
let linking = false;
async function openLink() {
  if (linking)
    return;
  linking = true;
  try {
    const text = await linkedText();
    if (text === null || text === undefined)
      return;
    if (!isWriter()) {
      say('This link carries a shot list, and another tab edits the draft: Edit here, and the link is offered.');
      return;
    }
    if (text === studio.editor.state.doc.toString()) {
      say('The link carries the shot list you have.');
      dropFragment();
      return;
    }
    const answer = await ask('This link carries a shot list that differs from your draft. Open it in place of the draft?',
                             'Open the link\'s shot list', 'Keep my draft');
    if (answer === null)
      return;  // another link asks now
    if (answer && replaceText(text))
      say('Opened the shot list the link carries (Ctrl+Z takes your draft back).');
    else if (!answer)
      say('Kept your draft; the link\'s shot list was not opened.');
    await saveNow();  // a reload from here on finds the draft as answered
    dropFragment();
  } finally {
    linking = false;
  }
}

// ---- The way out ---------------------------------------------------------------------

function plural(n, word) {
  return `${n.toLocaleString('en')} ${word}${n === 1 ? '' : 's'}`;
}

function bytes(text) {
  return plural(new TextEncoder().encode(text).length, 'byte');
}

// The film of the text as it stands, when film compile would write it; else an
// Error saying why there is none.
function filmOfText() {
  const answer = compiledNow();
  if (!answer.ok)
    throw new Error(`No film: the shot list has errors (line ${answer.errors[0].line}).`);
  const film = studio.core.filmText();
  if (!film.sound) {
    const first = answer.findings.find(f => f.severity === 'error');
    throw new Error(`No film: film compile would write nothing, the film has errors${first ? ` (${first.message})` : ''}.`);
  }
  return film.text;
}

// The same, or null when there is none (said why).
function soundFilm() {
  try {
    return filmOfText();
  } catch (error) {
    say(error.message, 'error');
    return null;
  }
}

async function playFilm() {
  const text = soundFilm();
  if (text === null)
    return;
  try {
    await keep('play', { name: `${studio.name}.txt`, text, time: Date.now() });
    window.open('index.html?play=studio', '_blank');
  } catch (error) {
    say(`The film cannot be handed to the main page: ${error.message}. Save the film and open it there.`, 'error');
  }
}

async function share() {
  $('share-link').value = await linkFor(studio.editor.state.doc.toString());
  $('share-box').hidden = false;
  $('share-link').select();
}

// ---- Start -----------------------------------------------------------------------------

function pictureSize(params) {
  const m = /^(\d{2,4})x(\d{2,4})$/.exec(params.get('picture') || '');
  return m ? [Number(m[1]), Number(m[2])] : null;
}

async function initialText(draft) {
  if (draft)
    return draft.text;
  const response = await fetch(BUNDLED, { cache: 'no-cache' });
  if (!response.ok)
    throw new Error(`${BUNDLED} cannot be fetched (HTTP ${response.status})`);
  return response.text();
}

function wireToolbar() {
  for (const control of document.querySelectorAll('#toolbar button, #transport button'))
    control.addEventListener('mousedown', event => event.preventDefault());  // the keys stay the studio's
  for (const name of studio.facts.actors) {
    $('aim-select').append(new Option(name, name));
    $('ride-select').append(new Option(name, name));
    $('follow-select').append(new Option(`Follow: ${name}`, name));
  }
  $('follow-select').onchange = () => {
    follow($('follow-select').value || null);
    leaveText();
  };
  for (const name of studio.facts.motions)
    $('motion-select').append(new Option(name, name));
  const choose = (id, action) => {
    $(id).onchange = () => {
      const value = $(id).value;
      $(id).value = '';
      if (value)
        action(value);
      leaveText();
    };
  };
  choose('aim-select', aimAt);
  choose('ride-select', rideWith);
  choose('motion-select', setMotion);
  $('key-button').onclick = keyFromView;
  $('take-button').onclick = toggleTake;
  initTakes(() => Number($('tolerance-select').value));
  $('delete-button').onclick = deleteKey;
  $('view-button').onclick = toggleView;
  $('play-pause').onclick = togglePlay;
  $('undo-button').onclick = () => undo(studio.editor);
  $('redo-button').onclick = () => redo(studio.editor);
  $('open-button').onclick = () => $('open-input').click();
  $('open-input').onchange = () => {
    openFile($('open-input').files[0]);
    $('open-input').value = '';
  };
  $('shots-button').onclick = () => {
    const text = studio.editor.state.doc.toString();
    download(`${studio.name}.shots`, text);
    say(`Saved ${shownName(studio.name)}.shots: ${plural(studio.compiled.keys.length, 'key')}, ` +
        `${bytes(text)} (the browser's downloads hold it).`);
  };
  $('film-button').onclick = () => {
    const text = soundFilm();
    if (text === null)
      return;
    download(`${studio.name}.txt`, text);
    say(`Saved ${shownName(studio.name)}.txt: the film of ${plural(studio.facts.frames, 'frame')}, ${bytes(text)}, ` +
        'as film compile writes it.');
  };
  $('edit-here').onclick = () => {
    askToWrite();
    say('Asked the other tab to hand the draft over…');
  };
  $('play-button').onclick = playFilm;
  const exporter = exportPanel($('export'), () => ({ text: filmOfText(), name: studio.name, frames: studio.facts.frames }));
  $('export-button').onclick = () => exporter.open();
  $('share-button').onclick = share;
  $('share-copy').onclick = () => navigator.clipboard.writeText($('share-link').value)
    .then(() => say('The link is copied.'), () => say('Copy the link from the box.', 'error'));
  $('share-close').onclick = () => { $('share-box').hidden = true; };
  onFileDropped($('drop'), openFile);
}

// ---- Which tab edits the draft ---------------------------------------------------

// This tab edits the draft now (the other closed, or handed it over): the draft
// as the other tab stored it, editable.
async function tookOver() {
  const draft = await loadDraft();
  if (draft)
    followText(studio.editor, draft.text);
  setShownOnly(studio.editor, false);
  ownerChanged();
  say('This tab edits the draft now.');
  await openLink();
  await offerLastTake(ask);
}

// Another tab asked to edit the draft: stored first (a take running ends), then handed over.
async function handingOver() {
  if (studio.take)
    await endTake();
  await saveNow();
}

function handedOver() {
  setShownOnly(studio.editor, true);
  ownerChanged();
  say('Another tab edits the draft now: this one only shows it (Edit here takes it back).');
}

// The tab that edits the draft stored it: this one shows it as stored.
async function followDraft() {
  const draft = await loadDraft();
  if (draft && studio.editor) {
    followText(studio.editor, draft.text);
    if (typeof draft.name === 'string' && draft.name)
      set({ name: draft.name });
  }
}

// ---- Start -----------------------------------------------------------------------------

async function start() {
  window.studio = studio;  // for a look from the browser's console, and for the page's tests
  const params = new URLSearchParams(location.search);
  const canvas = $('picture');
  studio.core = await startCore(canvas);
  studio.facts = studio.core.facts;
  watch(showState);

  const writer = await claimDraft({ gained: tookOver, lost: handedOver, stored: followDraft, before: handingOver });
  const draft = await loadDraft();
  const linked = writer && !draft ? await linkedText() : null;  // a first visit opens a link's list at once
  const text = linked ? linked : await initialText(draft);
  if (linked)
    dropFragment();
  if (draft)
    set({ frame: Math.max(0, Math.min(studio.facts.frames - 1, draft.frame | 0)), view: draft.view === 'free' ? 'free' : 'film',
          free: draft.free || null, name: typeof draft.name === 'string' && draft.name ? draft.name : studio.name });
  else
    set({ frame: 0, view: 'film' });

  studio.editor = createEditor($('editor'), text, studio.facts, {
    onChange: (view, history) => {
      scheduleCompile();
      changed();
      if (history)
        say(history === 'undo' ? 'Undone (Ctrl+Shift+Z or Ctrl+Y redoes it).' : 'Redone.');
    },
    refuse: why => say(why, 'error'),
  });
  setShownOnly(studio.editor, !writer);
  initCompile($('problems'), draw);
  initViews(canvas, pictureSize(params));
  compileNow();
  console.log(`studio: first picture ${Math.round(performance.now())} ms after the page was opened`);
  initTimeline($('timeline'), seek);
  wireToolbar();
  initKeyboard({ seek, seekKey, togglePlay, toggleView, key: keyFromView, deleteKey, leaveText, toggleTake });
  initAutosave();
  if (!studio.message)
    say(!writer ? 'This tab only shows the draft.'
        : draft ? 'The last draft, as it was left.' : linked ? 'The shot list the link carries.' : 'The bundled shot list.');
  if (!draft)
    saveNow();
  document.body.dataset.ready = 'true';
  removeLeftovers();  // what exports of closed tabs left in the browser's private files
  window.addEventListener('hashchange', openLink);
  if (writer) {
    await openLink();
    await offerLastTake(ask);
  } else if (location.hash) {
    await openLink();
  }
}

start().catch(error => {
  say(`The studio cannot start: ${error.message || error}`, 'error');
  console.error(error);
});
