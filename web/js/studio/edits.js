// The studio's actions, each one edit of the shot list's text (one step of undo)
// that says its outcome in the same transaction: a key from the view, a key's
// centre aimed at an actor, its eye riding with one, its motion, its removal, its
// frame moved, a take's keys spliced in, and the whole text replaced. Keys are
// those the program read from the text as it stands (film.js), with the columns
// of their fields; the text of a point or a key is the program's shot-list
// writer's. Only the fields an action changes are rewritten: comments, blank
// lines and the rest of a key's line stay as the user wrote them.
import { keyAt, keysOf, neighbours } from './film.js';
import { saying, say, services, studioOf } from './store.js';
import { edit, position } from './text.js';
import { viewPose } from './views.js';

const round = (v, step) => Math.round(v / step) * step;
const point = (actor, xyz) => ({ actor, xyz: xyz.map(v => round(v, 0.01)) });

function coreOf(view) {
  return view.state.facet(services).core;
}

function range(view, key, field) {
  const doc = view.state.doc;
  return { from: position(doc, key.line, field[0]), to: position(doc, key.line, field[1]) };
}

// A field's new text, padded to its old width when shorter, so that the fields
// after it keep their columns.
function replacing(view, key, field, text) {
  const r = range(view, key, field);
  return { ...r, insert: text.padEnd(r.to - r.from) };
}

function upOf(pose) {
  const [x, y, z] = pose.slice(6, 9);
  const n = Math.hypot(x, y, z) || 1;
  return [x, y, z].map(v => round(v / n, 0.001));
}

// The view's pose, or null (said why) when there is nothing to key from yet.
function poseForKey(view) {
  const pose = viewPose(view.state);
  if (!pose)
    say(view, 'There is no film yet to key from: mend the shot list\'s errors first.', 'error');
  return pose;
}

// Lines added after the last line of the document, on lines of their own.
function atTheEnd(doc, text) {
  return { from: doc.length, insert: (doc.length && !doc.toString().endsWith('\n') ? '\n' : '') + text + '\n' };
}

// A new key's line at frame n with these points, inserted where the frames keep
// their order, saying done.
function insertKey(view, n, eye, centre, up, done) {
  const doc = view.state.doc, text = coreOf(view).keyLine(n, eye, centre, up, 'smooth');
  const { before, after } = neighbours(view.state, n);
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
  return edit(view, { from: at, insert }, { selection: { anchor: start, head: start + text.length },
                                            effects: saying(done) });
}

// K: a key at the playhead from the view (the free camera in the free view, the
// film's camera in the film view); a key already on that frame gets the new eye,
// centre and up.
export function keyFromView(view) {
  const pose = poseForKey(view);
  if (!pose)
    return;
  const n = studioOf(view.state).frame, core = coreOf(view);
  const eye = point(null, pose.slice(0, 3)), centre = point(null, pose.slice(3, 6)), up = upOf(pose);
  const key = keyAt(view.state, n);
  if (!key) {
    insertKey(view, n, eye, centre, up, `Key set at frame ${n}.`);
    return;
  }
  edit(view, [
    replacing(view, key, key.eye.field, core.pointText(eye)),
    replacing(view, key, key.centre.field, core.pointText(centre)),
    replacing(view, key, key.upField, core.pointText(point(null, up))),
  ], { effects: saying(`Key at frame ${n} replaced.`) });
}

// One point of the key at the playhead replaced (a key from the view is set first
// when there is none): which is 'eye' or 'centre'.
function setPoint(view, which, value, done) {
  const pose = poseForKey(view);
  if (!pose)
    return;
  const n = studioOf(view.state).frame, key = keyAt(view.state, n);
  const p = value(pose);
  if (key) {
    edit(view, replacing(view, key, key[which].field, coreOf(view).pointText(p)), { effects: saying(done) });
  } else {
    const eye = which === 'eye' ? p : point(null, pose.slice(0, 3));
    const centre = which === 'centre' ? p : point(null, pose.slice(3, 6));
    insertKey(view, n, eye, centre, upOf(pose), done);
  }
}

// The centre of the key at the playhead becomes the actor.
export function aimAt(view, actor) {
  const n = studioOf(view.state).frame;
  setPoint(view, 'centre', () => ({ actor, xyz: [0, 0, 0] }), `The key at frame ${n} looks at the ${actor}.`);
}

// The eye of the key at the playhead rides with the actor, at the view's offset from it now.
export function rideWith(view, actor) {
  const n = studioOf(view.state).frame;
  setPoint(view, 'eye', pose => {
    const at = coreOf(view).actorsAt(n)[actor];
    return point(actor, pose.slice(0, 3).map((v, i) => v - at[i]));
  }, `The key at frame ${n} rides with the ${actor}.`);
}

// The motion from the key at the playhead to the next.
export function setMotion(view, motion) {
  const n = studioOf(view.state).frame, key = keyAt(view.state, n);
  if (!key) {
    say(view, `There is no key at frame ${n}.`, 'error');
    return;
  }
  const r = range(view, key, key.motionField);
  edit(view, { ...r, insert: r.from === r.to ? ` ${motion}` : motion },
       { effects: saying(`The key at frame ${key.frame} moves on ${motion === 'step' ? 'by a cut (step)' : motion}.`) });
}

// The changes that remove a key's whole line.
function removing(doc, key) {
  const line = doc.line(key.line);
  return line.number < doc.lines ? { from: line.from, to: line.to + 1 } : { from: Math.max(0, line.from - 1), to: line.to };
}

// The key at the playhead removed, its whole line with it.
export function deleteKey(view) {
  const n = studioOf(view.state).frame, key = keyAt(view.state, n);
  if (!key) {
    say(view, `There is no key at frame ${n} to delete.`, 'error');
    return;
  }
  edit(view, removing(view.state.doc, key), { effects: saying(`The key at frame ${key.frame} deleted (line ${key.line}).`) });
}

// Why the key cannot move to frame n (a sentence), or null when it can.
export function whyNotMove(state, key, n) {
  if (n === key.frame)
    return null;
  if (n < 0 || n >= state.facet(services).facts.frames)
    return `frame ${n} is outside the story`;
  const on = keysOf(state).find(k => k.frame === n && k.frame !== key.frame);
  if (on)
    return `frame ${n} has a key already (line ${on.line})`;
  const { before, after } = neighbours(state, key.frame);
  if (before && n <= before.frame)
    return `it cannot pass the key before it, at frame ${before.frame}`;
  if (after && n >= after.frame)
    return `it cannot pass the key after it, at frame ${after.frame}`;
  return null;
}

// The key's frame moved to n, or refused with a word why; either way the status
// line says what became of it. True when the key is at n now.
export function moveKey(view, key, n) {
  const why = whyNotMove(view.state, key, n);
  if (why) {
    say(view, `The key at frame ${key.frame} was not moved: ${why}.`, 'error');
    return false;
  }
  if (n === key.frame) {
    say(view, `The key at frame ${key.frame} (line ${key.line}) is where it was.`);
    return true;
  }
  return edit(view, replacing(view, key, key.frameField, String(n)),
              { effects: saying(`The key at frame ${key.frame} (line ${key.line}) moved to frame ${n}.`) });
}

// The whole text replaced (a file opened, a shared link), one step of undo,
// saying done; false when it was refused (said why).
export function replaceText(view, text, done, more = []) {
  return edit(view, { from: 0, to: view.state.doc.length, insert: text },
              { selection: { anchor: 0 }, effects: [saying(done), ...more] });
}

// A take's keys (their lines, frames from to to) in place of the keys inside those
// frames, as one edit: the key before the take, if any, cuts to it (step), so
// that the take's keys give back what was flown. words(cut) says what was done.
// False when the edit is refused.
export function spliceTake(view, from, to, lines, words) {
  const doc = view.state.doc, keys = keysOf(view.state);
  const inside = keys.filter(k => k.frame >= from && k.frame <= to);
  const { before } = neighbours(view.state, from);
  const after = keys.find(k => k.frame > to) || null;
  const cut = !!before && before.motion !== 'step';
  const changes = [];
  if (cut) {
    const r = range(view, before, before.motionField);
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
  return edit(view, changes, { effects: saying(words(cut)) });
}
