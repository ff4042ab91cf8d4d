// What the pages keep in the browser between visits (the studio's draft, a
// recording being made, a film handed to the player): in IndexedDB, or in
// localStorage where IndexedDB is refused (private modes, some embedded
// browsers) or does not open within OPEN_WAIT. Values are plain objects of
// strings, numbers, booleans and arrays (and ArrayBuffers, kept in IndexedDB
// only), each with a time (ms since 1970).
//
// A write counts only once it is on the disk as far as the page can tell: the
// IndexedDB transaction completed, or the localStorage value set without an
// error and read back. Where IndexedDB is there but refuses a write (a full
// disk), nothing falls back to localStorage, whose writes then land only in
// memory: keep() throws a StorageRefused saying why. Nothing here waits forever.

const DATABASE = 'practica02';
const STORE = 'kept';
const PREFIX = 'practica02:';
const OPEN_WAIT = 2000;  // milliseconds the database may take to open before localStorage stands in

// Why a value was not kept: quota (the site's share of the disk is used up) or
// not; the message is one clause ("the browser's storage for this site is full"),
// detail the browser's own words.
export class StorageRefused extends Error {
  constructor(error) {
    const quota = !!error && error.name === 'QuotaExceededError';
    super(quota ? 'the browser\'s storage for this site is full' : 'the browser refused to store it (is the disk full?)');
    this.name = 'StorageRefused';
    this.quota = quota;
    this.detail = (error && (error.message || error.name)) || 'no reason given';
  }
}

let database = null;   // a promise of the open database, or of null where it is refused or late
let late = null;       // the database when it opened after OPEN_WAIT
let fallback = null;   // why localStorage stands in for IndexedDB this visit, or null
let opened = false;    // the database has opened this visit: it is not replaced when it fails later
const REFUSED = 'refused';  // what open() gives when the database that opened before cannot open again
const noticed = [];    // f(why) when localStorage first stands in

function standIn(why) {
  if (opened)
    return REFUSED;  // localStorage would take the writes into memory only (a full disk): not a stand-in
  if (fallback === null) {
    fallback = why;
    for (const f of noticed)
      f(why);
  }
  return null;
}

function open() {
  if (late)
    return Promise.resolve(late);
  if (database === null)
    database = new Promise(resolve => {
      let request;
      try {
        request = indexedDB.open(DATABASE, 1);
      } catch (error) {
        resolve(standIn('the browser has no IndexedDB for this page'));
        return;
      }
      const timer = setTimeout(() => resolve(standIn(`its database did not open within ${OPEN_WAIT / 1000} s`)),
                               OPEN_WAIT);
      request.onupgradeneeded = () => request.result.createObjectStore(STORE);
      request.onsuccess = () => {
        clearTimeout(timer);
        late = request.result;  // used from now on, even when it came after the wait
        opened = true;
        late.onversionchange = () => late.close();
        resolve(late);
      };
      request.onerror = () => {
        clearTimeout(timer);
        resolve(standIn('its database was refused'));
      };
      request.onblocked = () => {
        clearTimeout(timer);
        resolve(standIn('its database is blocked by another tab'));
      };
    });
  return database;
}

// f(why) once if localStorage stands in for IndexedDB (now or later this visit).
export function onFallback(f) {
  noticed.push(f);
  if (fallback !== null)
    f(fallback);
}

// Asks the browser to keep this site's storage under pressure (once a visit).
let persisting = null;
export function askToPersist() {
  if (persisting === null)
    persisting = navigator.storage && navigator.storage.persist ? navigator.storage.persist().catch(() => false)
                                                                : Promise.resolve(false);
  return persisting;
}

function transaction(db, mode, work) {
  return new Promise((resolve, reject) => {
    let t;
    try {
      t = db.transaction(STORE, mode, { durability: 'strict' });
    } catch (error) {
      reject(error);
      return;
    }
    const request = work(t.objectStore(STORE));
    t.oncomplete = () => resolve(request.result);
    t.onerror = () => reject(t.error || request.error);
    t.onabort = () => reject(t.error || new Error('the write was aborted'));
  });
}

function setLocal(key, value) {
  const text = JSON.stringify(value);
  localStorage.setItem(PREFIX + key, text);
  if (localStorage.getItem(PREFIX + key) !== text)
    throw new Error('what was written does not read back');
}

// Keeps value under key, or throws a StorageRefused saying why it was not kept.
// With bytes (value holds an ArrayBuffer), only IndexedDB keeps it: localStorage,
// where it stands in, holds text alone.
export async function keep(key, value, { bytes = false } = {}) {
  const db = await open();
  if (db === REFUSED) {
    database = null;  // asked again next time
    throw new StorageRefused(new Error('its database cannot be opened again'));
  }
  if (!db && bytes)
    throw new StorageRefused(new Error(`the browser's database stands aside (${fallback})`));
  try {
    if (db) {
      await transaction(db, 'readwrite', store => store.put(value, key));
      try {
        localStorage.removeItem(PREFIX + key);  // an older stand-in's copy
      } catch (error) {
        // none to remove
      }
    } else {
      setLocal(key, value);
    }
  } catch (error) {
    if (db) {
      db.close();  // a failed write may leave the connection closing: the next write opens it again
      late = null;
      database = null;
    }
    throw new StorageRefused(error);
  }
}

function readLocal(key) {
  try {
    const text = localStorage.getItem(PREFIX + key);
    return text === null ? undefined : JSON.parse(text);
  } catch (error) {
    return undefined;  // nothing readable there
  }
}

// What was kept under key (the newer of the two stores' copies), or undefined.
export async function recall(key) {
  let value;
  const db = await open();
  if (db && db !== REFUSED)
    try {
      value = await transaction(db, 'readonly', store => store.get(key));
    } catch (error) {
      value = undefined;
    }
  const local = readLocal(key);
  if (local !== undefined && (value === undefined || (local && local.time > ((value && value.time) || 0))))
    value = local;
  return value;
}

// The keys kept that begin with prefix, in either store.
export async function keysWith(prefix) {
  const found = new Set();
  const db = await open();
  if (db && db !== REFUSED)
    try {
      const range = IDBKeyRange.bound(prefix, prefix + '\uffff');
      for (const key of await transaction(db, 'readonly', store => store.getAllKeys(range)))
        found.add(key);
    } catch (error) {
      // none readable there
    }
  try {
    for (let i = 0; i < localStorage.length; i++) {
      const key = localStorage.key(i);
      if (key.startsWith(PREFIX + prefix))
        found.add(key.slice(PREFIX.length));
    }
  } catch (error) {
    // none there
  }
  return [...found];
}

export async function forget(key) {
  const db = await open();
  if (db && db !== REFUSED)
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
