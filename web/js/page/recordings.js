// REC's recording, camara-DDMMYYYYhhmmss.txt in the run's working folder:
// offered for download when REC ends and on Save, and kept in the browser after
// every pose written (each press of U), so that the next visit after a closed
// tab or a crash offers what was recorded and not saved. Each run is kept under
// a name of its own: where another run (another tab, the same second) has that
// name already, a suffix makes it "camara-...-2.txt". A run holds a lock while
// it lives, so that another tab never offers it as left over. The bar says how
// many poses are recorded and how many of them the browser has stored.
import { download } from '../shared/download.js';
import { $, ask } from '../shared/page.js';
import { askToPersist, forget, keep, keysWith, recall } from '../shared/storage.js';

const RECORDING = /^camara-\d{14}\.txt$/;
const KEY = 'recording:';         // + the kept name: { name, text, saved (bytes downloaded), time, run }
const NAMING = 'practica02-recording-names';  // a lock: one tab names a run at a time
const LIVE = 'practica02-recording-live:';    // + the kept name: held while its run lives

// Runs f while holding the lock name (at once where the browser has no locks).
function locked(name, f) {
  return navigator.locks ? navigator.locks.request(name, f) : f();
}

// The run's recording so far: { name (the program's), data (bytes) }, or null.
export function recordingOf(run) {
  if (!run.rec)
    return null;
  const name = run.module.FS.readdir('/').find(n => RECORDING.test(n));
  return name ? { name, data: run.module.FS.readFile('/' + name) } : null;
}

function poses(bytes) {
  return new TextDecoder().decode(bytes).split('\n').filter(line => line.trim()).length;
}

// The name the run is kept and downloaded under: the program's, or with a suffix
// where another run has it. Once chosen, the run keeps it.
function keptName(run, name) {
  if (!run.keptName) {
    run.keptName = locked(NAMING, async () => {
      const taken = new Set((await keysWith(KEY)).map(k => k.slice(KEY.length)));
      let chosen = name;
      for (let n = 2; taken.has(chosen); n++)
        chosen = name.replace(/\.txt$/, `-${n}.txt`);
      await keep(KEY + chosen, { name: chosen, text: '', saved: 0, time: Date.now(), run: run.id });
      if (navigator.locks)
        navigator.locks.request(LIVE + chosen, () => run.ended);  // held until the run ends
      return chosen;
    });
    run.keptName.catch(() => { run.keptName = null; });  // asked again with the next pose
  }
  return run.keptName;
}

// The bar's word on the run's recording: poses recorded, how many the browser
// holds, and what was downloaded.
function showState(run) {
  const state = $('rec-state');
  const n = run.recorded || 0, kept = run.kept || 0;
  const recorded = `${n} pose${n === 1 ? '' : 's'}`;
  const stored = run.why ? `${kept} kept in this browser; not kept: ${run.why}; Save keeps them`
    : `${kept === n ? 'all' : kept} kept in this browser`;
  const saved = run.savedAs ? `; saved as ${run.savedAs} (${run.savedPoses} pose${run.savedPoses === 1 ? '' : 's'})` : '';
  state.textContent = `REC: ${recorded}, ${stored}${saved}.`;
  state.className = run.why ? 'error' : '';
  state.hidden = false;
}

// The recording offered for download: it is saved, and need not be recovered.
export async function offerRecording(run) {
  const recording = recordingOf(run);
  if (!recording)
    return;
  const name = await keptName(run, recording.name).catch(() => recording.name);
  download(name, recording.data);
  run.saved = recording.data.length;
  run.savedAs = name;
  run.savedPoses = poses(recording.data);
  showState(run);
  forget(KEY + name);
}

// After a line of REC's output: a pose written since the last look is kept, and
// the bar says how many poses the browser holds once it holds them.
export function keepRecording(run) {
  const recording = recordingOf(run);
  if (!recording || recording.data.length === run.written)
    return;
  run.written = recording.data.length;
  const recorded = poses(recording.data);
  run.recorded = recorded;
  showState(run);
  askToPersist();
  run.keeping = (run.keeping || Promise.resolve()).then(async () => {
    try {
      const name = await keptName(run, recording.name);
      await keep(KEY + name, { name, text: new TextDecoder().decode(recording.data), saved: run.saved,
                               time: Date.now(), run: run.id });
      run.kept = recorded;
      run.why = null;
      document.body.dataset.recordingKept = String(recording.data.length);
    } catch (error) {
      run.why = error.message;
    }
    showState(run);
  });
}

// Recordings kept by an earlier version of the page, in one list under one key,
// each moved to a key of its own.
async function fromOneList() {
  const old = await recall('recordings');
  if (!old || !Array.isArray(old.list))
    return;
  const taken = new Set(await keysWith(KEY));
  for (const r of old.list)
    if (r && typeof r.name === 'string' && !taken.has(KEY + r.name))
      await keep(KEY + r.name, r);
  await forget('recordings');
}

// What former visits (or runs since ended) recorded and did not save, offered in
// the bar one after another, the latest first.
export async function offerLastVisit() {
  await fromOneList();
  const live = navigator.locks ? new Set((await navigator.locks.query()).held.map(l => l.name)) : new Set();
  const list = [];
  for (const key of await keysWith(KEY)) {
    const r = await recall(key);
    if (r && typeof r.text === 'string' && r.text.length > (r.saved || 0) && !live.has(LIVE + r.name))
      list.push(r);
  }
  const last = list.sort((a, b) => b.time - a.time)[0];
  if (!last)
    return;
  const count = poses(new TextEncoder().encode(last.text));
  const answer = await ask({ bar: $('recovered'), text: $('recovered-text'), yes: $('recovered-download'),
                             no: $('recovered-discard') },
                           `A recording from your last visit was not saved: ${last.name}, ${count} ` +
                           `pose${count === 1 ? '' : 's'}` + (list.length > 1 ? ` (and ${list.length - 1} more)` : '') + '.',
                           'Download it', 'Discard');
  if (answer === null)
    return;
  if (answer)
    download(last.name, last.text);
  await forget(KEY + last.name);
  offerLastVisit();
}
