// The studio's actions, each one edit of the shot list's text (one step of undo):
// a key from the view, a key's centre aimed at an actor, its eye riding with one,
// its motion, its removal, its frame moved, and the whole text replaced. Keys are
// those the program read from the text as it stands (compile.js), with
// the columns of their fields; the text of a point or a key is the program's
// shot-list writer's. Only the fields an action changes are rewritten: comments,
// blank lines and the rest of a key's line stay as the user wrote them.
import { studio, say } from './state.js';
import { keysNow } from './compile.js';
import { edit, position } from './text.js';
import { viewPose } from './views.js';

const round = (v, step) => Math.round(v / step) * step;
const point = (actor, xyz) => ({ actor, xyz: xyz.map(v => round(v, 0.01)) });

function keys() {
  return keysNow();
}

// The key at frame n, or null.
export function keyAt(n) {
  return keys().find(k => k.frame === n) || null;
}

// The keys just before and after frame n (null where there is none).
export function neighbours(n) {
  const list = keys();
  return { before: list.filter(k => k.frame < n).pop() || null, after: list.find(k => k.frame > n) || null };
}

function range(key, field) {
  const doc = studio.editor.state.doc;
  return { from: position(doc, key.line, field[0]), to: position(doc, key.line, field[1]) };
}

// A field's new text, padded to its old width when shorter, so that the fields
// after it keep their columns.
function replacing(key, field, text, pad = true) {
  const r = range(key, field);
  return { ...r, insert: pad ? text.padEnd(r.to - r.from) : text };
}

function upOf(pose) {
  const [x, y, z] = pose.slice(6, 9);
  const n = Math.hypot(x, y, z) || 1;
  return [x, y, z].map(v => round(v / n, 0.001));
}

// The view's pose, or null (said why) when there is nothing to key from yet.
function poseForKey() {
  const pose = viewPose();
  if (!pose)
    say('There is no film yet to key from: mend the shot list\'s errors first.', 'error');
  return pose;
}

// Lines added after the last line of the document, on lines of their own.
function atTheEnd(doc, text) {
  return { from: doc.length, insert: (doc.length && !doc.toString().endsWith('\n') ? '\n' : '') + text + '\n' };
}

// A new key's line at frame n with these points, inserted where the frames keep their order.
function insertKey(n, eye, centre, up, motion = 'smooth') {
  const core = studio.core, doc = studio.editor.state.doc;
  const text = core.keyLine(n, eye, centre, up, motion);
  const { before, after } = neighbours(n);
  let at, insert;
  if (before) {
    at = doc.line(before.line).to;
    insert = '\n' + text;
  } else if (after) {
    at = doc.line(after.line).from;
    insert = text + '\n';
  } else {
    ({ from: at, insert } = atTheEnd(doc, text));
  }
  const start = at + (insert.startsWith('\n') ? 1 : 0);
  return edit(studio.editor, { from: at, insert }, { anchor: start, head: start + text.length });
}

// K: a key at the playhead from the view (the free camera in the free view, the
// film's camera in the film view); a key already on that frame gets the new eye,
// centre and up.
export function keyFromView() {
  const pose = poseForKey();
  if (!pose)
    return;
  const n = studio.frame, core = studio.core;
  const eye = point(null, pose.slice(0, 3)), centre = point(null, pose.slice(3, 6)), up = upOf(pose);
  const key = keyAt(n);
  if (!key) {
    if (insertKey(n, eye, centre, up))
      say(`Key set at frame ${n}.`);
    return;
  }
  if (edit(studio.editor, [
    replacing(key, key.eye.field, core.pointText(eye)),
    replacing(key, key.centre.field, core.pointText(centre)),
    replacing(key, key.upField, core.pointText(point(null, up))),
  ]))
    say(`Key at frame ${n} replaced.`);
}

// One point of the key at the playhead replaced (a key from the view is set first
// when there is none): which is 'eye' or 'centre'.
function setPoint(which, value, done) {
  const pose = poseForKey();
  if (!pose)
    return;
  const n = studio.frame, key = keyAt(n);
  const p = value(pose);
  let made;
  if (key) {
    made = edit(studio.editor, replacing(key, key[which].field, studio.core.pointText(p)));
  } else {
    const eye = which === 'eye' ? p : point(null, pose.slice(0, 3));
    const centre = which === 'centre' ? p : point(null, pose.slice(3, 6));
    made = insertKey(n, eye, centre, upOf(pose));
  }
  if (made)
    say(done);
}

// The centre of the key at the playhead becomes the actor.
export function aimAt(actor) {
  setPoint('centre', () => ({ actor, xyz: [0, 0, 0] }), `The key at frame ${studio.frame} looks at the ${actor}.`);
}

// The eye of the key at the playhead rides with the actor, at the view's offset from it now.
export function rideWith(actor) {
  setPoint('eye', pose => {
    const at = studio.core.actorsAt(studio.frame)[actor];
    return point(actor, pose.slice(0, 3).map((v, i) => v - at[i]));
  }, `The key at frame ${studio.frame} rides with the ${actor}.`);
}

// The motion from the key at the playhead to the next.
export function setMotion(motion) {
  const key = keyAt(studio.frame);
  if (!key) {
    say(`There is no key at frame ${studio.frame}.`, 'error');
    return;
  }
  const r = range(key, key.motionField);
  if (edit(studio.editor, { ...r, insert: r.from === r.to ? ` ${motion}` : motion }))
    say(`The key at frame ${key.frame} moves on ${motion === 'step' ? 'by a cut (step)' : motion}.`);
}

// The key at the playhead removed, its whole line with it.
export function deleteKey() {
  const key = keyAt(studio.frame);
  if (!key) {
    say(`There is no key at frame ${studio.frame} to delete.`, 'error');
    return;
  }
  const doc = studio.editor.state.doc, line = doc.line(key.line);
  const from = line.number < doc.lines ? line.from : Math.max(0, line.from - 1);
  const to = line.number < doc.lines ? line.to + 1 : line.to;
  if (edit(studio.editor, { from, to }))
    say(`The key at frame ${key.frame} deleted (line ${key.line}).`);
}

// Why the key cannot move to frame n (a sentence), or null when it can.
export function whyNotMove(key, n) {
  if (n === key.frame)
    return null;
  if (n < 0 || n >= studio.facts.frames)
    return `frame ${n} is outside the story`;
  const others = keys().filter(k => k !== key && k.frame !== key.frame);
  const on = others.find(k => k.frame === n);
  if (on)
    return `frame ${n} has a key already (line ${on.line})`;
  const { before, after } = neighbours(key.frame);
  if (before && n <= before.frame)
    return `it cannot pass the key before it, at frame ${before.frame}`;
  if (after && n >= after.frame)
    return `it cannot pass the key after it, at frame ${after.frame}`;
  return null;
}

// The key's frame moved to n, or refused with a word why; either way the status
// line says what became of it.
export function moveKey(key, n) {
  const why = whyNotMove(key, n);
  if (why) {
    say(`The key at frame ${key.frame} was not moved: ${why}.`, 'error');
    return false;
  }
  if (n === key.frame) {
    say(`The key at frame ${key.frame} (line ${key.line}) is where it was.`);
    return true;
  }
  if (!edit(studio.editor, replacing(key, key.frameField, String(n))))
    return false;
  say(`The key at frame ${key.frame} (line ${key.line}) moved to frame ${n}.`);
  return true;
}

// The whole text replaced (a file opened, a shared link), one step of undo; false
// when it was refused (said why).
export function replaceText(text) {
  const doc = studio.editor.state.doc;
  return edit(studio.editor, { from: 0, to: doc.length, insert: text }, { anchor: 0 });
}

// A take's keys (their lines, frames from to to) in place of the keys inside those
// frames, as one edit: the key before the take, if any, cuts to it (step), so
// that the take's keys give back what was flown. Null when the edit is refused.
export function spliceTake(from, to, lines) {
  const doc = studio.editor.state.doc;
  const inside = keys().filter(k => k.frame >= from && k.frame <= to);
  const { before } = neighbours(from);
  const after = keys().find(k => k.frame > to) || null;
  const changes = [];
  if (before && before.motion !== 'step') {
    const r = range(before, before.motionField);
    changes.push({ ...r, insert: r.from === r.to ? ' step' : 'step' });
  }
  for (const key of inside) {
    const line = doc.line(key.line);
    changes.push(line.number < doc.lines ? { from: line.from, to: line.to + 1 } : { from: line.from, to: line.to });
  }
  const text = lines.join('\n');
  if (before)
    changes.push({ from: doc.line(before.line).to, insert: '\n' + text });
  else if (after)
    changes.push({ from: doc.line(after.line).from, insert: text + '\n' });
  else if (inside.length)
    changes.push({ from: doc.line(inside[0].line).from, insert: text + '\n' });
  else
    changes.push(atTheEnd(doc, text));
  if (!edit(studio.editor, changes))
    return null;
  return { replaced: inside.length, cut: !!before && before.motion !== 'step' };
}
