// What the pages keep in the browser between visits (the studio's draft, a
// recording being made, a film handed to the player): in IndexedDB, or in
// localStorage where IndexedDB is refused (private modes, some embedded
// browsers). Values are plain objects of strings, numbers and booleans. A write
// that neither takes fails with one sentence saying why; reads of what is not
// there give undefined.

const DATABASE = 'practica02';
const STORE = 'kept';
const PREFIX = 'practica02:';

let database = null;  // a promise of the open database, or of null where it is refused

function open() {
  if (database === null)
    database = new Promise(resolve => {
      let request;
      try {
        request = indexedDB.open(DATABASE, 1);
      } catch (error) {
        resolve(null);
        return;
      }
      request.onupgradeneeded = () => request.result.createObjectStore(STORE);
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => resolve(null);
      request.onblocked = () => resolve(null);
    });
  return database;
}

function transaction(db, mode, work) {
  return new Promise((resolve, reject) => {
    const t = db.transaction(STORE, mode, { durability: 'strict' });
    const request = work(t.objectStore(STORE));
    t.oncomplete = () => resolve(request.result);
    t.onerror = () => reject(t.error);
    t.onabort = () => reject(t.error || new Error('the write was aborted'));
  });
}

function why(error) {
  if (error && error.name === 'QuotaExceededError')
    return 'the browser\'s storage for this site is full';
  return `the browser refused to store it (${(error && (error.message || error.name)) || 'no reason given'})`;
}

// Keeps value under key; throws an Error whose message says why it was not kept.
export async function keep(key, value) {
  const db = await open();
  if (db)
    try {
      await transaction(db, 'readwrite', store => store.put(value, key));
      localStorage.removeItem(PREFIX + key);
      return;
    } catch (error) {
      if (error && error.name === 'QuotaExceededError')
        throw new Error(why(error));
    }
  try {
    localStorage.setItem(PREFIX + key, JSON.stringify(value));
  } catch (error) {
    throw new Error(why(error));
  }
}

// What was kept under key (the newer of the two stores' copies), or undefined.
export async function recall(key) {
  let value;
  const db = await open();
  if (db)
    try {
      value = await transaction(db, 'readonly', store => store.get(key));
    } catch (error) {
      value = undefined;
    }
  try {
    const text = localStorage.getItem(PREFIX + key);
    if (text !== null) {
      const local = JSON.parse(text);
      if (value === undefined || (local && local.time > (value.time || 0)))
        value = local;
    }
  } catch (error) {
    // nothing readable there
  }
  return value;
}

export async function forget(key) {
  const db = await open();
  if (db)
    try {
      await transaction(db, 'readwrite', store => store.delete(key));
    } catch (error) {
      // gone with the database
    }
  try {
    localStorage.removeItem(PREFIX + key);
  } catch (error) {
    // nothing to remove
  }
}
