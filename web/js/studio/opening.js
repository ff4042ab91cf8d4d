// Texts coming into the studio: a shot list's file (opened, or dropped on the
// page) and a shared link's, each read as a shot list first and refused in one
// sentence, the draft untouched, when it does not read; a link stays in the
// address until the question it raises is answered, and one opened in a tab
// already on the studio (a hashchange) is answered as a fresh open.
import { $, ask } from '../shared/page.js';
import { shownName, textOfBytes } from '../shared/text_file.js';
import { saveNow } from './autosave.js';
import { replaceText } from './edits.js';
import { textFromFragment } from '../shared/share.js';
import { change, say, services, studioOf } from './store.js';
import { MOST_BYTES, tooBig } from '../shared/shot_text.js';

// The bar for questions under the tool bar.
export function question(text, yes, no) {
  return ask({ bar: $('ask'), text: $('ask-text'), yes: $('ask-yes'), no: $('ask-no') }, text, yes, no);
}

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
function readingError(core, text) {
  const answer = core.compile(text, false);
  return answer.ok ? null : { ...answer.errors[0], more: answer.errorCount - 1 };
}

function others(e) {
  return e.more > 0 ? ` (and ${e.more} more lines with errors)` : '';
}

function baseName(fileName) {
  return fileName.replace(/\.(shots|txt)$/i, '') || 'shots';
}

// A shot list's file opened in place of the text, one step of undo.
export async function openFile(view, file) {
  if (!file)
    return;
  const name = shownName(file.name);
  try {
    const text = await textOfFile(file);
    const e = readingError(view.state.facet(services).core, text);
    if (e)
      throw new Error(`${name} is not opened: ${name}:${e.line}:${e.column}: ${e.message}${others(e)}.`);
    replaceText(view, text, `Opened ${name} (Ctrl+Z takes the last text back).`, [change.of({ name: baseName(file.name) })]);
  } catch (error) {
    say(view, error.message, 'error');
  }
}

// The shot list the address's fragment carries, read with the program's calls:
// { text }, null when it carries none, or { error } (one sentence) when it cannot
// be opened.
export async function readLink(core) {
  if (!location.hash)
    return null;
  try {
    const text = await textFromFragment(location.hash, MOST_BYTES);
    if (text === null)
      return null;
    const big = tooBig(text);
    if (big)
      throw new Error(`The link's shot list cannot be opened: ${big}.`);
    const e = readingError(core, text);
    if (e)
      throw new Error(`The link's shot list cannot be opened: line ${e.line}, column ${e.column}: ${e.message}${others(e)}.`);
    return { text };
  } catch (error) {
    return { error: error.message };
  }
}

export function dropFragment() {
  if (location.hash)
    history.replaceState(null, '', location.href.replace(/#.*$/, ''));
}

// The address's link answered: its shot list opened in place of the draft, when
// the draft differs and the user agrees; the link stays in the address until then.
let linking = false;
export async function openLink(view) {
  if (linking)
    return;
  linking = true;
  try {
    const link = await readLink(view.state.facet(services).core);
    if (link === null)
      return;
    if (link.error) {
      say(view, link.error, 'error');
      dropFragment();
      return;
    }
    const text = link.text;
    if (!studioOf(view.state).writing) {
      say(view, 'This link carries a shot list, and another tab edits the draft: Edit here, and the link is offered.');
      return;
    }
    if (text === view.state.doc.toString()) {
      say(view, 'The link carries the shot list you have.');
      dropFragment();
      return;
    }
    const answer = await question('This link carries a shot list that differs from your draft. Open it in place of ' +
                                  'the draft?', 'Open the link\'s shot list', 'Keep my draft');
    if (answer === null)
      return;  // another link asks now
    if (answer)
      replaceText(view, text, 'Opened the shot list the link carries (Ctrl+Z takes your draft back).');
    else
      say(view, 'Kept your draft; the link\'s shot list was not opened.');
    await saveNow();  // a reload from here on finds the draft as answered
    dropFragment();
  } finally {
    linking = false;
  }
}
