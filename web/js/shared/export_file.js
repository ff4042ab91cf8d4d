// Where an export's file is written as it is made: the origin's private file
// system, or memory where there is none. Each export's file is named after the
// film (made safe for any file system), the time and a random tag, and held by a
// lock of its own while the export runs, so that any file there that no lock
// holds is a leftover (a finished export's copy, a tab closed mid-export) and is
// removed.
import { BufferTarget, StreamTarget } from 'mediabunny';

const PART = /^video-.*\.part-\d+-[a-z0-9]+$/;
const LOCK = 'practica02-export:';

// Removes every export file that no running export holds, in any tab.
export async function removeLeftovers() {
  if (!navigator.storage || !navigator.storage.getDirectory || !navigator.locks)
    return;
  try {
    const folder = await navigator.storage.getDirectory();
    const held = new Set((await navigator.locks.query()).held.map(l => l.name));
    for await (const name of folder.keys())
      if (PART.test(name) && !held.has(LOCK + name))
        await folder.removeEntry(name).catch(() => {});
  } catch (error) {
    // no private file system here
  }
}

// A name any file system takes: letters, digits, '.', '_' and '-' only.
function safe(name) {
  return String(name).replace(/[^A-Za-z0-9._-]/g, '_').slice(0, 80) || 'film';
}

// Holds a lock named name until the returned function is called.
function hold(name) {
  if (!navigator.locks)
    return Promise.resolve(() => {});
  return new Promise(held => {
    navigator.locks.request(name, () => new Promise(release => held(release)));
  });
}

// Each has target (mediabunny's), file() once finalized, remove(), and inMemory.
export async function fileTarget(name) {
  await removeLeftovers();
  let release = () => {};
  try {
    const folder = await navigator.storage.getDirectory();
    const fileName = `video-${safe(name)}.part-${Date.now()}-${Math.random().toString(36).slice(2, 10)}`;
    release = await hold(LOCK + fileName);
    const handle = await folder.getFileHandle(fileName, { create: true });
    const writable = await handle.createWritable();
    return {
      target: new StreamTarget(writable),
      file: () => handle.getFile(),
      inMemory: false,
      remove: async () => {
        try {
          await writable.abort();
        } catch (error) {
          // closed already
        }
        await folder.removeEntry(handle.name).catch(() => {});
        release();
      },
    };
  } catch (error) {
    release();
    const target = new BufferTarget();
    return { target, file: async () => new Blob([target.buffer]), remove: async () => {}, inMemory: true };
  }
}

