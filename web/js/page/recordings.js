// REC's camera file, camara-DDMMYYYYhhmmss.txt in the run's working folder:
// offered for download when REC ends and on Save, and kept in the browser after
// every pose written (each press of U), so that the next visit after a closed
// tab or a crash offers what was recorded and not saved.
import { download } from '../shared/download.js';
import { forget, keep, recall } from '../shared/storage.js';
import { notice } from './panels.js';

const RECORDING = /^camara-\d{14}\.txt$/;
const KEY = 'recordings';  // { list: [{ name, text, saved (bytes downloaded), time }] }

let refused = false;
const thisVisit = new Set();  // names of the recordings made in this visit
let writes = Promise.resolve();  // the kept list is read and written by one change at a time

// The kept list changed by f(list) (which returns the new list), one change at a time.
function change(f) {
  writes = writes.then(async () => {
    const kept = await recall(KEY);
    const list = f(kept && Array.isArray(kept.list) ? kept.list : []);
    if (list.length)
      await keep(KEY, { list, time: Date.now() });
    else
      await forget(KEY);
  });
  return writes;
}

function without(list, name) {
  return list.filter(r => r.name !== name);
}

// The run's recording so far: { name, data (bytes) }, or null.
export function recordingOf(run) {
  if (!run.rec)
    return null;
  const name = run.module.FS.readdir('/').find(n => RECORDING.test(n));
  return name ? { name, data: run.module.FS.readFile('/' + name) } : null;
}

// The recording offered for download: it is saved, and need not be recovered.
export function offerRecording(run) {
  const recording = recordingOf(run);
  if (!recording)
    return;
  download(recording.name, recording.data);
  run.saved = recording.data.length;
  change(list => without(list, recording.name)).catch(() => {});
}

// After a line of REC's output: a pose written since the last look is kept.
export function keepRecording(run) {
  const recording = recordingOf(run);
  if (!recording || recording.data.length === run.kept)
    return;
  run.kept = recording.data.length;
  thisVisit.add(recording.name);
  const kept = run.kept, entry = { name: recording.name, text: new TextDecoder().decode(recording.data),
                                   saved: run.saved, time: Date.now() };
  change(list => [...without(list, entry.name), entry]).then(
    () => { document.body.dataset.recordingKept = String(kept); },
    error => {
      if (!refused)
        notice(`The recording is not kept in this browser as it goes (${error.message}): Save it now and then.`);
      refused = true;
    });
}

// What former visits recorded and did not save, offered in the bar, the latest first.
export async function offerLastVisit() {
  const kept = await recall(KEY);
  const list = (kept && Array.isArray(kept.list) ? kept.list : []).filter(
    r => typeof r.text === 'string' && r.text.length > (r.saved || 0) && !thisVisit.has(r.name));
  const last = list.sort((a, b) => b.time - a.time)[0];
  if (!last)
    return;
  const poses = last.text.split('\n').filter(line => line.trim()).length;
  const bar = document.getElementById('recovered');
  document.getElementById('recovered-text').textContent =
    `A recording from your last visit was not saved: ${last.name}, ${poses} pose${poses === 1 ? '' : 's'}` +
    (list.length > 1 ? ` (and ${list.length - 1} more)` : '') + '.';
  bar.hidden = false;
  const done = async save => {
    if (save)
      download(last.name, last.text);
    await change(l => without(l, last.name));
    bar.hidden = true;
    offerLastVisit();
  };
  document.getElementById('recovered-download').onclick = () => done(true);
  document.getElementById('recovered-discard').onclick = () => done(false);
}
