// The film, derived from the document: the program's answer for the text as it
// stands (compiled by the film tool's own reader, camera path and check, in the
// same transaction as the change of the text), and the film shown, the last
// answer whose text read well. Its subscribers list the problems under the text,
// each a link to its line and column, and mark them in the text.
import { StateField } from '@codemirror/state';
import { ViewPlugin } from '@codemirror/view';
import { linter } from '@codemirror/lint';
import { services } from './store.js';
import { goTo, position } from './text.js';

function compiled(state, before) {
  const answer = state.facet(services).core.compile(state.doc.toString());
  return { answer, shown: answer.ok ? answer : before ? before.shown : null };
}

// { answer (for the text as it stands), shown (the answer whose film is shown, or null) }
export const filmField = StateField.define({
  create: state => compiled(state, null),
  update: (value, tr) => (tr.docChanged ? compiled(tr.state, value) : value),
});

export function filmOf(state) {
  return state.field(filmField);
}

// The keys read from the text as it stands, with their lines and fields.
export function keysOf(state) {
  return filmOf(state).answer.keys;
}

// The key at frame n, or null.
export function keyAt(state, n) {
  return keysOf(state).find(k => k.frame === n) || null;
}

// The keys just before and after frame n (null where there is none).
export function neighbours(state, n) {
  const keys = keysOf(state);
  return { before: keys.filter(k => k.frame < n).pop() || null, after: keys.find(k => k.frame > n) || null };
}

// The errors and findings under their lines (places in the answer are lines and
// byte columns; the view counts characters).
const marks = linter(view => {
  const { answer } = filmOf(view.state), doc = view.state.doc;
  const found = answer.errors.map(e => {
    const from = position(doc, e.line, e.column);
    return { from, to: Math.max(from, Math.min(doc.lineAt(from).to, from + 1)), severity: 'error', message: e.message };
  });
  for (const f of answer.findings || [])
    if (f.line > 0) {
      const line = doc.line(Math.min(f.line, doc.lines));
      found.push({ from: line.from, to: line.to, severity: f.severity, message: f.message });
    }
  return found;
}, { delay: 0 });

function item(view, text, kind, line, column) {
  const li = document.createElement('li');
  li.className = kind;
  if (line > 0) {
    const a = document.createElement('a');
    a.href = '#';
    a.textContent = `${line}${column ? ':' + column : ''}`;
    a.title = 'Go to this place in the text';
    a.onclick = event => {
      event.preventDefault();
      goTo(view, line, column || 1);
    };
    li.append(a, ' ');
  }
  li.append(`${kind}: ${text}`);
  return li;
}

function listProblems(list, view) {
  const { answer } = filmOf(view.state);
  const items = [];
  if (!answer.ok) {
    items.push(item(view, 'the text has errors: the picture shows the last film that compiled', 'note', 0));
    for (const e of answer.errors)
      items.push(item(view, e.message, 'error', e.line, e.column));
    const more = answer.errorCount - answer.errors.length;
    if (more > 0)
      items.push(item(view, `... and ${more} more lines with errors`, 'note', 0));
  } else {
    for (const f of answer.findings)
      items.push(item(view, f.message, f.severity, f.line));
    for (const o of answer.omitted)
      items.push(item(view, `... and ${o.count} more ${o.what}`, 'note', 0));
  }
  list.replaceChildren(...items);
  list.hidden = items.length === 0;
}

// The film's extensions: the field, the marks in the text, and the list of
// problems in element, kept to the answer for the text as it stands.
export function filmExtensions(list) {
  const problems = ViewPlugin.define(view => {
    let shown = null;
    const show = v => {
      const { answer } = filmOf(v.state);
      if (answer !== shown) {
        shown = answer;
        listProblems(list, v);
      }
    };
    show(view);
    return { update: update => show(update.view) };
  });
  return [filmField, marks, problems];
}
