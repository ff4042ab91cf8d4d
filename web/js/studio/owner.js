// One tab writes the draft at a time. The studio's tabs of one browser share a
// lock (Web Locks): the tab that holds it edits and stores the draft; any other
// shows the draft read-only, follows what the writer stores (told over a
// BroadcastChannel), and takes the lock when the writer closes or hands it over
// ("Edit here": the writer stores the draft, then lets go and turns read-only).
// So no tab ever writes over edits it has not seen. Where the browser has no
// locks, every tab writes, as before.

const LOCK = 'practica02-studio-draft';
const CHANNEL = 'practica02-studio';

let channel = null;
let release = null;      // lets go of the lock, while this tab holds it
let writing = false;
let hooks = null;        // { gained(), lost(), stored() }

// Asks for the lock and waits for it; gained() once it is this tab's.
function waitForLock() {
  navigator.locks.request(LOCK, () => new Promise(resolve => {
    release = resolve;
    writing = true;
    hooks.gained();
  }));
}

// Starts: resolves to true when this tab writes the draft, false when another
// does (this one then waits for its turn). hooks: { gained() when this tab
// becomes the writer later, lost() when it hands over, stored() when the writer
// has stored the draft, before(): a promise that the draft is stored, asked of
// the writer before it lets go }.
export async function claimDraft(given) {
  hooks = given;
  if (!navigator.locks || typeof BroadcastChannel === 'undefined') {
    writing = true;
    return true;
  }
  channel = new BroadcastChannel(CHANNEL);
  channel.onmessage = async ({ data }) => {
    if (data === 'stored' && !writing)
      hooks.stored();
    else if (data === 'hand over' && writing)
      await handOver();
  };
  const got = await new Promise(answer => {
    navigator.locks.request(LOCK, { ifAvailable: true }, lock => {
      answer(!!lock);
      if (!lock)
        return null;
      writing = true;
      return new Promise(resolve => { release = resolve; });  // held until handed over, or the tab closes
    });
  });
  if (got === false) {
    waitForLock();
    return false;
  }
  return true;
}

async function handOver() {
  await hooks.before();
  writing = false;
  const letGo = release;
  release = null;
  hooks.lost();
  letGo();
  waitForLock();
}

// Edit here: the writer is asked to store the draft and let go.
export function askToWrite() {
  if (channel && !writing)
    channel.postMessage('hand over');
}

// The writer has stored the draft: the other tabs follow it.
export function toldStored() {
  if (channel && writing)
    channel.postMessage('stored');
}
