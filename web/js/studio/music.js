// The music the film is cut to. Its name, offset, tempo and gain are the shot
// list's music line, which the program reads (the compile answer's music) and
// writes (core.musicLine): choosing a file, a setting changed, the line removed,
// each is one edit of the text, so undo, redo, the draft and share links carry
// them. The audio itself is the studio's `track`: decoded by the browser, handed
// to the program, which mixes it under the story wherever the music line names
// it, and kept with the draft in the browser (one music file at a time); a line
// whose file this browser lacks (a shared link's) asks for it, once.
import { EditorView } from '@codemirror/view';
import { decodeMusic, keepMusic, keptMusic, MOST_MUSIC_BYTES, minutes } from '../shared/music_file.js';
import { $, ask } from '../shared/page.js';
import { shownName } from '../shared/text_file.js';
import { filmOf, keysOf } from './film.js';
import { change, say, saying, services, studioOf } from './store.js';
import { edit, position } from './text.js';
import { soundChanged } from './transport.js';

const MOST_NAME = 200;       // characters of a file's name kept in the line

// The music line as the program read it, { name, offset, tempo (or null), gain,
// line, field (its music's byte columns on the line) }, or null: the text's, or,
// while the text has errors, the last film's.
export function musicLineOf(state) {
  const { answer, shown } = filmOf(state);
  return answer.music || (!answer.ok && shown ? shown.music : null) || null;
}

// What is heard under the story: { track, offset, gain } while the music line
// names the track loaded, else null; the same object while nothing changes.
let heard = null;
export function heardOf(state) {
  const line = musicLineOf(state), track = studioOf(state).track;
  const now = line && track && track.name === line.name ? { track, offset: line.offset, gain: line.gain } : null;
  if (!now !== !heard || (now && (now.track !== heard.track || now.offset !== heard.offset || now.gain !== heard.gain)))
    heard = now;
  return heard;
}

// Why the music is not heard anywhere in the film (a sentence), or null.
function outside(state) {
  const line = musicLineOf(state), track = studioOf(state).track;
  if (!line)
    return null;
  const facts = state.facet(services).facts, seconds = facts.frames * facts.pace / 1000;
  if (line.offset >= seconds)
    return `The music "${line.name}" starts at ${line.offset} s, after the film's end (${seconds.toFixed(2)} s): ` +
           'it is not heard.';
  if (track && track.name === line.name && line.offset + track.seconds <= 0)
    return `The music "${line.name}" ends before the film starts (offset ${line.offset} s, ` +
           `${minutes(track.seconds)} long): it is not heard.`;
  return null;
}

// ---- The music line ------------------------------------------------------------

// The change that writes music ({ name, offset, tempo, gain }) as the music line:
// in place of the music of the line there is, else on a line before the first key.
function lineChange(state, music) {
  const doc = state.doc, text = state.facet(services).core.musicLine(music), line = filmOf(state).answer.music;
  if (line)  // a comment after it stays
    return { from: position(doc, line.line, line.field[0]), to: position(doc, line.line, line.field[1]), insert: text };
  const keys = keysOf(state);
  if (keys.length)
    return { from: doc.line(keys[0].line).from, insert: text + '\n' };
  return { from: doc.length, insert: (doc.length && !doc.toString().endsWith('\n') ? '\n' : '') + text + '\n' };
}

// The music line as it reads now, or null; said why when its own text has errors.
function readLine(view) {
  const { answer, shown } = filmOf(view.state);
  if (!answer.music && !answer.ok && shown && shown.music) {
    say(view, 'Not changed: the text has errors and its music line does not read; mend them first.', 'error');
    return undefined;
  }
  return answer.music;
}

// One setting of the music line changed ('offset', 'tempo' or 'gain'), one step of undo.
export function setMusic(view, setting, value) {
  const line = readLine(view);
  if (line === undefined)
    return false;
  if (!line) {
    say(view, 'There is no music: choose a music file first (Music…).', 'error');
    return false;
  }
  if (setting === 'tempo' && value !== null && !(value > 0)) {
    say(view, `Not changed: the tempo must be above 0 beats a minute, not ${value} (an empty field gives none).`, 'error');
    return false;
  }
  const music = { ...line, [setting]: value };
  const check = view.state.facet(services).core.compile(
    view.state.update({ changes: lineChange(view.state, music) }).state.doc.toString(), false);
  const wrong = check.errors.find(e => e.line === line.line);
  if (wrong) {
    say(view, `Not changed: ${wrong.message}.`, 'error');
    return false;
  }
  const words = { offset: `The music starts at ${music.offset} s`, gain: `The music's gain is ${music.gain} dB`,
                  tempo: value === null ? 'The music has no tempo' : `The music's tempo is ${value} beats a minute` };
  return edit(view, lineChange(view.state, music), { effects: saying(`${words[setting]} (Ctrl+Z undoes it).`) });
}

// The music line removed: the music goes silent.
export function removeMusic(view) {
  const line = readLine(view);
  if (!line)
    return;
  const doc = view.state.doc, l = doc.line(line.line);
  const range = l.number < doc.lines ? { from: l.from, to: l.to + 1 } : { from: Math.max(0, l.from - 1), to: l.to };
  edit(view, range, { effects: saying(`The music "${line.name}" removed (Ctrl+Z brings it back).`) });
}

// ---- The music's file --------------------------------------------------------------

// A file's name as the music line can hold it: no control characters, not too long.
function lineName(fileName) {
  const name = fileName.replace(/[\u0000-\u001f\u007f]/g, ' ').trim() || 'music';
  return name.length > MOST_NAME ? name.slice(name.length - MOST_NAME) : name;
}

// The music loaded this visit, the last few, by name: a line undone back to the
// music before finds it here.
const LOADED = 2;
const loaded = new Map();
function remember(track) {
  loaded.delete(track.name);
  loaded.set(track.name, track);
  if (loaded.size > LOADED)
    loaded.delete(loaded.keys().next().value);
  return track;
}

// The file's bytes kept with the draft; true once kept (else said why).
async function keptWithDraft(view, track, bytes) {
  try {
    await keepMusic(track.name, track.size, bytes);
    return true;
  } catch (error) {
    say(view, `Not saved: ${error.message}, so the music "${track.name}" plays now but a reload will ask for its ` +
              'file again.', 'error');
    return false;
  }
}

// A music file chosen or dropped: decoded, and its name, with the offset, tempo
// and gain of the line there when it names the same file, made the music line in
// one edit; or, with as (a name), the file of the music line that names it, the
// text untouched. Refused in one sentence when it is too big or no audio.
export async function useMusicFile(view, file, as = null) {
  if (!file)
    return;
  const shown = shownName(file.name);
  let bytes, decoded;
  try {
    if (file.size > MOST_MUSIC_BYTES)
      throw new Error(`${shown} is not used as music: it is over 200 MB (${file.size.toLocaleString('en')} bytes).`);
    say(view, `Reading the music in ${shown}…`);
    bytes = await file.arrayBuffer();
    decoded = await decodeMusic(bytes, shown);
  } catch (error) {
    say(view, error.message, 'error');
    return;
  }
  const name = as || lineName(file.name);
  const track = remember({ name, size: file.size, samples: decoded.samples, seconds: decoded.seconds });
  const long = `${minutes(decoded.seconds)} long`;
  if (as) {
    view.dispatch({ effects: [change.of({ track }), saying(`The music "${name}" is ${shown} (${long}); keeping it…`)] });
  } else {
    const line = readLine(view);
    if (line === undefined)
      return;
    const same = line && line.name === name;
    const music = { name, offset: same ? line.offset : 0, tempo: same ? line.tempo : null, gain: same ? line.gain : -6 };
    if (!edit(view, lineChange(view.state, music), { effects: [change.of({ track }),
        saying(`The music is ${shown} (${long}); keeping it with the draft…`)] }))
      return;
  }
  if (await keptWithDraft(view, track, bytes))
    say(view, `The music is ${shown} (${long}), kept with the draft in this browser` +
              `${as ? '' : ' (Ctrl+Z takes its line back)'}.`);
}

let asking = null;  // the name the chooser was opened for, or null

// The file chooser, for a new music or (as) for the music line's own file.
export function chooseMusic(as = null) {
  asking = as;
  $('music-input').click();
}

// A music line whose file is not loaded: the file kept with the draft, else a
// question, once a name, offering to choose it.
const asked = new Set();
let finding = null;
async function findTrack(view, name) {
  if (finding === name)
    return;
  finding = name;
  try {
    await Promise.resolve();  // called from an update: a dispatch waits until it is over
    if (loaded.has(name)) {
      view.dispatch({ effects: change.of({ track: loaded.get(name) }) });
      return;
    }
    const kept = await keptMusic(name);
    if (kept) {
      const decoded = await decodeMusic(kept.bytes, name).catch(() => null);
      const line = musicLineOf(view.state);
      if (decoded && line && line.name === name) {
        view.dispatch({ effects: change.of({ track: remember({ name, size: kept.size, ...decoded }) }) });
        return;
      }
    }
    if (asked.has(name) || !studioOf(view.state).writing)
      return;
    asked.add(name);
    const yes = await ask({ bar: $('music-ask'), text: $('music-ask-text'), yes: $('music-ask-yes'), no: $('music-ask-no') },
                          `This film has music "${name}", which is not in this browser: it plays without it.`,
                          'Choose the file…', 'Not now');
    if (yes)
      chooseMusic(name);
  } finally {
    finding = null;
  }
}

// ---- Subscription -------------------------------------------------------------------

let applied = null;  // what the program was last given

function apply(view, now) {
  const core = view.state.facet(services).core;
  if (now === applied)
    return;
  try {
    if (!now)
      core.setMusic(new Float32Array(0), 0, -6);
    else if (applied && applied.track === now.track)
      core.setMusicSettings(now.offset, now.gain);
    else
      core.setMusic(now.track.samples, now.offset, now.gain);
    applied = now;
  } catch (error) {
    core.setMusic(new Float32Array(0), 0, -6);
    applied = null;
    queueMicrotask(() => say(view, `The music is not heard: ${error.message}.`, 'error'));
  }
  soundChanged();
}

function check(view, before) {
  const state = view.state, line = musicLineOf(state), track = studioOf(state).track;
  apply(view, heardOf(state));
  if (line && (!track || track.name !== line.name))
    findTrack(view, line.name);
  const why = outside(state);
  if (why && why !== before)
    queueMicrotask(() => say(view, why));
  return why;
}

// The music's subscription: what the program mixes kept to the text and the
// track, a line's missing file found, a music wholly outside the film said once.
export const musicUpdates = EditorView.updateListener.of(update => {
  if (musicLineOf(update.startState) !== musicLineOf(update.state) ||
      studioOf(update.startState).track !== studioOf(update.state).track)
    check(update.view, outside(update.startState));
});

// The music when the studio starts, and the chooser's input.
export function initMusic(view) {
  $('music-input').onchange = () => {
    useMusicFile(view, $('music-input').files[0], asking);
    $('music-input').value = '';
  };
  check(view, null);
}

// For tests: the music line, the track loaded, and the pairs the program was given.
export function musicState(view) {
  const track = studioOf(view.state).track;
  return { line: musicLineOf(view.state), track: track && { name: track.name, pairs: track.samples.length / 2 },
           heard: applied ? applied.track.samples.length / 2 : 0 };
}
