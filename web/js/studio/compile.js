// The shot list compiled by the program on every change of the text: the answer
// for the text as it stands (studio.compiled), the film shown (the last text that
// read well: studio.shown), and the problems listed under the text view, each a
// link to its line and column. Changes that come faster than the program
// compiles are compiled once, on the next animation frame; anything that needs
// the answer for the text as it stands now asks compiledNow().
import { studio, set } from './state.js';
import { goTo, showProblems } from './text.js';

let compiledDoc = null;  // the document studio.compiled is the answer for
let pending = false;
let list = null;         // the problems' list element
let onFilm = () => {};   // called when the film shown has changed

export function initCompile(element, filmChanged) {
  list = element;
  onFilm = filmChanged;
}

// The program's answer for the text as it stands now.
export function compiledNow() {
  if (compiledDoc !== studio.editor.state.doc)
    compileNow();
  return studio.compiled;
}

export function keysNow() {
  return studio.editor ? compiledNow().keys : [];
}

export function scheduleCompile() {
  if (pending)
    return;
  pending = true;
  requestAnimationFrame(() => {
    pending = false;
    compiledNow();
  });
}

export function compileNow() {
  const doc = studio.editor.state.doc;
  const answer = studio.core.compile(doc.toString());
  compiledDoc = doc;
  const changes = { compiled: answer };
  if (answer.ok)
    changes.shown = answer;
  set(changes);
  showProblems(studio.editor, answer);
  listProblems(answer);
  if (answer.ok)
    onFilm();
}

function item(text, kind, line, column) {
  const li = document.createElement('li');
  li.className = kind;
  if (line > 0) {
    const a = document.createElement('a');
    a.href = '#';
    a.textContent = `${line}${column ? ':' + column : ''}`;
    a.title = 'Go to this place in the text';
    a.onclick = event => {
      event.preventDefault();
      goTo(studio.editor, line, column || 1);
    };
    li.append(a, ' ');
  }
  li.append(`${kind}: ${text}`);
  return li;
}

function listProblems(answer) {
  const items = [];
  if (!answer.ok) {
    items.push(item('the text has errors: the picture shows the last film that compiled', 'note', 0));
    for (const e of answer.errors)
      items.push(item(e.message, 'error', e.line, e.column));
    const more = answer.errorCount - answer.errors.length;
    if (more > 0)
      items.push(item(`... and ${more} more lines with errors`, 'note', 0));
  } else {
    for (const f of answer.findings)
      items.push(item(f.message, f.severity, f.line));
    for (const o of answer.omitted)
      items.push(item(`... and ${o.count} more ${o.what}`, 'note', 0));
  }
  list.replaceChildren(...items);
  list.hidden = items.length === 0;
}
