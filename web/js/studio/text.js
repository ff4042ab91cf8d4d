// The text view: the shot list in CodeMirror, with line numbers, undo and redo
// (Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y), and colours for frames, points, names and
// motions. Edits that would make the text too big for a shot list are refused
// whole, and so is every edit while another tab writes the draft; the refusal is
// said in the same transaction. Places in the program's answers are lines and
// byte columns; the view counts characters.
import { Annotation, EditorState, Transaction } from '@codemirror/state';
import { EditorView, keymap, lineNumbers, highlightActiveLine, highlightActiveLineGutter, drawSelection }
  from '@codemirror/view';
import { history, historyKeymap, defaultKeymap, isolateHistory } from '@codemirror/commands';
import { StreamLanguage, HighlightStyle, syntaxHighlighting } from '@codemirror/language';
import { lintGutter } from '@codemirror/lint';
import { tags } from '@lezer/highlight';
import { MOST_BYTES, MOST_LINE, tooBig } from '../shared/shot_text.js';
import { saying, studioField, studioOf } from './store.js';

// What tooBig says of the text after a change, looking at the lines it touched.
function tooBigAfter(tr) {
  const doc = tr.newDoc;
  if (doc.length * 3 > MOST_BYTES && new TextEncoder().encode(doc.toString()).length > MOST_BYTES)
    return tooBig(doc.toString());
  let why = null;
  tr.changes.iterChangedRanges((fromA, toA, fromB, toB) => {
    for (let n = doc.lineAt(fromB).number; why === null && n <= doc.lineAt(toB).number; n++)
      if (doc.line(n).length > MOST_LINE)
        why = `line ${n} would be ${doc.line(n).length.toLocaleString('en')} characters long ` +
              `(at most ${MOST_LINE.toLocaleString('en')})`;
  });
  return why;
}

// Colours: a key's frame, numbers, actors' names, the offset's "+", motions, comments.
function shotListLanguage(facts) {
  const names = new Set(facts.actors), motions = new Set(facts.motions);
  return StreamLanguage.define({
    startState: () => ({ field: 0 }),
    token(stream, state) {
      if (stream.sol())
        state.field = 0;
      if (stream.eatSpace())
        return null;
      if (stream.peek() === '#') {
        stream.skipToEnd();
        return 'comment';
      }
      const word = stream.match(/^[^\s#]+/)[0];
      const first = state.field++ === 0;
      if (first && /^\d+$/.test(word))
        return 'frame';
      if (names.has(word))
        return 'name';
      if (motions.has(word))
        return 'motion';
      if (word === '+')
        return 'plus';
      return /^[-+.\d]/.test(word) ? 'number' : null;
    },
    tokenTable: { frame: tags.labelName, name: tags.atom, motion: tags.keyword, plus: tags.operator },
  });
}

const colours = HighlightStyle.define([
  { tag: tags.labelName, color: '#e8c35a', fontWeight: 'bold' },
  { tag: tags.number, color: '#9cd0ff' },
  { tag: tags.atom, color: '#7fe08a' },
  { tag: tags.keyword, color: '#e59cff' },
  { tag: tags.operator, color: '#7fe08a' },
  { tag: tags.comment, color: '#8a8a8a', fontStyle: 'italic' },
]);

const theme = EditorView.theme({
  '&': { height: '100%', fontSize: '12px', backgroundColor: '#151515', color: '#ddd' },
  '.cm-scroller': { fontFamily: 'monospace', lineHeight: '1.45' },
  '.cm-gutters': { backgroundColor: '#1b1b1b', color: '#777', border: 'none' },
  '.cm-activeLine': { backgroundColor: '#ffffff0a' },
  '.cm-activeLineGutter': { backgroundColor: '#ffffff12' },
  '&.cm-focused .cm-cursor': { borderLeftColor: '#fff' },
  '&.cm-focused .cm-selectionBackground, .cm-selectionBackground': { backgroundColor: '#3a5a8a !important' },
  '&.cm-shown-only': { backgroundColor: '#1d1a12' },
}, { dark: true });

// A change that follows the draft another tab stored: no step of undo, and taken
// while this tab only shows the draft.
const following = Annotation.define();

// Edits refused, with the reason said instead: any while another tab writes the
// draft, and those that would make the text too big.
const limits = EditorState.transactionFilter.of(tr => {
  if (tr.changes.empty || tr.annotation(following))
    return tr;
  if (!studioOf(tr.startState).writing)
    return { effects: saying('Not changed: this tab only shows the draft, which another tab edits ' +
                             '(Edit here takes it over).', 'error') };
  const big = tooBigAfter(tr);
  return big ? { effects: saying(`Not changed: the shot list would be too big: ${big}.`, 'error') } : tr;
});

// Undo and redo say what they did.
const historyWords = EditorState.transactionExtender.of(tr => {
  if (tr.isUserEvent('undo'))
    return { effects: saying('Undone (Ctrl+Shift+Z or Ctrl+Y redoes it).') };
  if (tr.isUserEvent('redo'))
    return { effects: saying('Redone.') };
  return null;
});

// While another tab writes the draft, the text looks it.
const shownOnlyLook = EditorView.editorAttributes.compute([studioField],
  state => (studioOf(state).writing ? {} : { class: 'cm-shown-only' }));

// The text view's own extensions, for the shot lists of a program with these facts.
export function textExtensions(facts) {
  return [
    lineNumbers(), highlightActiveLineGutter(), highlightActiveLine(), drawSelection(), history(),
    lintGutter(), keymap.of([...historyKeymap, ...defaultKeymap]), shotListLanguage(facts),
    syntaxHighlighting(colours), theme, limits, historyWords, shownOnlyLook,
  ];
}

// The character offset in lineText of a 1-based byte column of its UTF-8 text.
export function columnOffset(lineText, byteColumn) {
  let bytes = 1, i = 0;
  while (i < lineText.length && bytes < byteColumn) {
    const code = lineText.codePointAt(i);
    bytes += code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    i += code >= 0x10000 ? 2 : 1;
  }
  return i;
}

// The document position of a line and a byte column (0: the line's start), clamped into the text.
export function position(doc, line, byteColumn = 1) {
  const l = doc.line(Math.max(1, Math.min(line, doc.lines)));
  return l.from + columnOffset(l.text, Math.max(1, byteColumn));
}

// The cursor at a line and byte column, in view, and the focus in the text.
export function goTo(view, line, byteColumn = 1) {
  const at = position(view.state.doc, line, byteColumn);
  view.dispatch({ selection: { anchor: at }, scrollIntoView: true });
  view.focus();
}

// One edit of the studio's (changes as CodeMirror takes them), its own step of
// the undo history, with the effects given (a word to the user, say). False when
// it was refused (said why).
export function edit(view, changes, { selection, effects = [] } = {}) {
  const before = view.state.doc;
  // A selection made is brought into view from its line's start, so that the frame
  // numbers stay in view however long the line.
  const shown = selection === undefined ? [] : [EditorView.scrollIntoView(selection.anchor, { x: 'start' })];
  view.dispatch({
    changes,
    selection,
    effects: [...[effects].flat(), ...shown],
    annotations: [isolateHistory.of('full'), Transaction.userEvent.of('studio')],
  });
  return view.state.doc !== before || view.state.changes(changes).empty;
}

// The whole text as another tab stored it, with no step of undo.
export function follow(view, text, effects = []) {
  if (text !== view.state.doc.toString())
    view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: text }, effects,
                    annotations: [following.of(true), Transaction.addToHistory.of(false)] });
  else if (effects.length)
    view.dispatch({ effects });
}
