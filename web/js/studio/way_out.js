// The ways out of the studio: Save shots (the text), Save film (byte for byte
// what `film compile` writes of that text, or refused with the reason where it
// would write nothing), Play film (handed to the main page), Share (a link that
// carries the whole text) and the film a video is made of. Each says what it did.
import { download } from '../shared/download.js';
import { $ } from '../shared/page.js';
import { keep } from '../shared/storage.js';
import { shownName } from '../shared/text_file.js';
import { filmOf, keysOf } from './film.js';
import { linkFor } from '../shared/share.js';
import { say, services, studioOf } from './store.js';

function plural(n, word) {
  return `${n.toLocaleString('en')} ${word}${n === 1 ? '' : 's'}`;
}

function bytes(text) {
  return plural(new TextEncoder().encode(text).length, 'byte');
}

// The film of the text as it stands, when film compile would write it; else an
// Error saying why there is none.
export function filmOfText(state) {
  const { answer } = filmOf(state);
  if (!answer.ok)
    throw new Error(`No film: the shot list has errors (line ${answer.errors[0].line}).`);
  const film = state.facet(services).core.filmText();
  if (!film.sound) {
    const first = answer.findings.find(f => f.severity === 'error');
    throw new Error(`No film: film compile would write nothing, the film has errors${first ? ` (${first.message})` : ''}.`);
  }
  return film.text;
}

// The same, or null when there is none (said why).
function soundFilm(view) {
  try {
    return filmOfText(view.state);
  } catch (error) {
    say(view, error.message, 'error');
    return null;
  }
}

export function saveShots(view) {
  const text = view.state.doc.toString(), name = studioOf(view.state).name;
  download(`${name}.shots`, text);
  say(view, `Saved ${shownName(name)}.shots: ${plural(keysOf(view.state).length, 'key')}, ${bytes(text)} ` +
            '(the browser\'s downloads hold it).');
}

export function saveFilm(view) {
  const text = soundFilm(view), name = studioOf(view.state).name;
  if (text === null)
    return;
  download(`${name}.txt`, text);
  say(view, `Saved ${shownName(name)}.txt: the film of ${plural(view.state.facet(services).facts.frames, 'frame')}, ` +
            `${bytes(text)}, as film compile writes it.`);
}

export async function playFilm(view) {
  const text = soundFilm(view), name = studioOf(view.state).name;
  if (text === null)
    return;
  try {
    await keep('play', { name: `${name}.txt`, text, time: Date.now() });
    window.open('index.html?play=studio', '_blank');
    say(view, `Playing ${shownName(name)}.txt on the main page, in a new tab.`);
  } catch (error) {
    say(view, `The film cannot be handed to the main page: ${error.message}. Save the film and open it there.`, 'error');
  }
}

// Share: a link to watch the film in the player, and one to edit the list in the studio.
export async function share(view) {
  const text = view.state.doc.toString();
  $('watch-link').value = await linkFor(text, 'player.html');
  $('share-link').value = await linkFor(text, 'studio.html');
  $('share-box').hidden = false;
  $('watch-link').select();
}

// The film a video is made of: { text, name, frames }, or an Error saying why there is none.
export function filmToExport(view) {
  return { text: filmOfText(view.state), name: studioOf(view.state).name,
           frames: view.state.facet(services).facts.frames };
}
