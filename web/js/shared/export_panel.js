// The Export video panel, a bar of the page's (never over the picture): frames A
// to B of the film (default the whole film), a size (default 1280x720), the codec
// among those this browser encodes (default the first of export.js's list it
// encodes), the container, smooth lines (default on), sound (default on: the
// story's soundtrack of those frames, with the film's music when it has one);
// while a video is made, a progress bar with the frames done, frames a second and
// the time left, and Cancel. The video is offered as NAME.mp4 or NAME.webm.
// Errors are one sentence in the panel; the page goes on.
//
// film() gives { text, name, frames, music } of the film to export, or throws an
// Error saying why there is none; music, optional, is null or { samples: a
// Float32Array of interleaved stereo pairs at 48 kHz, offset: seconds from frame
// 0, gain: dB }, heard with the story as the studio's Play plays it.
import { download } from './download.js';
import { shownName } from './text_file.js';
import { CODECS, MOST_SIZE, encodable, makeVideo, parseSize } from './export.js';
import { removeLeftovers } from './export_file.js';

// Milliseconds from offering a video to removing where it was written: by then
// the browser's download has opened it (measured here: within 50 ms for 400 MB),
// and reads on from its own handle. A tab closed sooner leaves it to the next
// start of either page, which removes what no export holds.
const HANDED_OVER = 10000;

// Where a video offered for download was written, removed once it is handed over.
function handedOver(remove) {
  const once = () => {
    window.removeEventListener('pagehide', once);
    remove();
  };
  setTimeout(once, HANDED_OVER);
  window.addEventListener('pagehide', once);
}

function element(tag, properties = {}, ...children) {
  const e = Object.assign(document.createElement(tag), properties);
  e.append(...children);
  return e;
}

// The panel, in container (hidden until open()), for the films film() gives.
export function exportPanel(container, film) {
  const from = element('input', { id: 'export-from', type: 'number', min: 0, step: 1, size: 6 });
  const to = element('input', { id: 'export-to', type: 'number', min: 0, step: 1, size: 6 });
  const size = element('input', { id: 'export-size', value: '1280x720', size: 10,
                                   title: `WIDTHxHEIGHT, even, up to ${MOST_SIZE.join('x')}` });
  const codec = element('select', { id: 'export-codec' });
  const box = element('select', { id: 'export-container' });
  const smooth = element('input', { id: 'export-smooth', type: 'checkbox', checked: true,
                                    title: 'Each pixel from several samples: smoother lines, smaller files ' +
                                           '(unticked: PLAY\'s own pixels, drawn twice as fast)' });
  const sound = element('input', { id: 'export-sound', type: 'checkbox', checked: true,
                                   title: 'The story\'s soundtrack of these frames, with the film\'s music' });
  const start = element('button', { id: 'export-start' }, 'Export');
  const cancel = element('button', { id: 'export-cancel', hidden: true }, 'Cancel');
  const close = element('button', { id: 'export-close', title: 'Close' }, '×');
  const bar = element('progress', { id: 'export-progress', max: 1, value: 0, hidden: true });
  const said = element('span', { id: 'export-said' });
  container.append(element('span', {}, 'Video of frames '), from, ' to ', to, ' at ', size, ' ', codec, ' in ', box,
                   element('label', {}, smooth, ' smooth lines'), element('label', {}, sound, ' sound'), start, cancel,
                   bar, said, close);
  container.hidden = true;
  let working = null;  // the AbortController of the video being made

  const say = (text, kind = '') => {
    said.textContent = text;
    said.className = kind;
  };
  const containers = () => {
    const chosen = CODECS.find(c => c.id === codec.value);
    box.replaceChildren(...(chosen ? chosen.containers : []).map(c => new Option(c === 'mp4' ? 'MP4' : 'WebM', c)));
  };
  codec.onchange = containers;

  async function offerCodecs() {
    let width = 1280, height = 720;
    try {
      [width, height] = parseSize(size.value);
    } catch (error) {
      // the default size's codecs, until the size is mended
    }
    const found = await encodable(width, height);
    const kept = codec.value;
    const label = c => found.includes(c) ? c.name : `${c.name} (not encoded here)`;
    codec.replaceChildren(...CODECS.map(c => new Option(label(c), c.id)));
    codec.value = kept || (found[0] || CODECS[0]).id;
    containers();
    return found;
  }
  size.onchange = offerCodecs;

  // What the fields ask for: { f, width, height, a, b, chosen }, or null (said why).
  async function asked() {
    let f, width, height;
    try {
      f = film();
      [width, height] = parseSize(size.value);
    } catch (error) {
      say(error.message, 'error');
      return null;
    }
    if (from.value.trim() === '' || to.value.trim() === '') {
      say(`Give the first and the last frame to export (the film's frames are 0 to ${f.frames - 1}).`, 'error');
      return null;
    }
    const a = Number(from.value), b = Number(to.value);
    if (!Number.isInteger(a) || !Number.isInteger(b) || a < 0 || b < a || b >= f.frames) {
      say(`Frames ${from.value} to ${to.value} are not in the film, whose frames are 0 to ${f.frames - 1}.`, 'error');
      return null;
    }
    const found = await offerCodecs();
    const chosen = found.find(c => c.id === codec.value);
    if (!chosen) {
      const all = found.map(c => c.name).join(', ') || 'none';
      const name = (CODECS.find(c => c.id === codec.value) || { name: 'that codec' }).name;
      say(`This browser does not encode ${name} at ${width}x${height}; it encodes: ${all}.`, 'error');
      return null;
    }
    return { f, width, height, a, b, chosen };
  }

  async function run() {
    if (working)
      return;  // one export at a time: a second click while one runs does nothing
    working = new AbortController();
    start.disabled = true;
    let wanted;
    try {
      wanted = await asked();
    } finally {
      if (!wanted) {
        working = null;
        start.disabled = false;
      }
    }
    if (!wanted)
      return;
    const { f, width, height, a, b, chosen } = wanted;
    cancel.hidden = bar.hidden = false;
    bar.value = 0;
    const began = performance.now();
    say('starting');
    try {
      const video = await makeVideo({
        film: f.text, name: f.name, from: a, to: b, width, height, codec: chosen, container: box.value,
        smooth: smooth.checked, sound: sound.checked, music: f.music || null, signal: working.signal,
        progress: (done, total) => {
          const seconds = (performance.now() - began) / 1000;
          const rate = done / seconds;
          bar.value = done / total;
          say(`${done} of ${total} frames, ${rate.toFixed(1)} frames/s, ${Math.round((total - done) / rate)} s left`);
        },
      });
      const name = `${f.name}.${box.value}`;
      download(name, video.file);
      handedOver(video.remove);
      const seconds = (performance.now() - began) / 1000;
      say(`Saved ${shownName(name)}: frames ${a} to ${b} (${b - a + 1}) in ${seconds.toFixed(1)} s ` +
          `(${((b - a + 1) / seconds).toFixed(1)} frames/s), ${(video.file.size / 1e6).toFixed(1)} MB` +
          (video.inMemory ? ', made in memory (this browser gives the page no private file system)' : '') + '.');
      container.dataset.made = JSON.stringify({ name, frames: b - a + 1, seconds, bytes: video.file.size });
    } catch (error) {
      say(error.name === 'AbortError' ? 'Cancelled: nothing was made.' : error.message,
          error.name === 'AbortError' ? '' : 'error');
    } finally {
      working = null;
      start.disabled = false;
      cancel.hidden = bar.hidden = true;
    }
  }
  start.onclick = run;
  cancel.onclick = () => working && working.abort();
  close.onclick = () => {
    if (working)
      working.abort();
    container.hidden = true;
  };

  return {
    // Shown, with the whole film's frames as the range when none is set yet.
    async open() {
      container.hidden = false;
      removeLeftovers();
      try {
        const f = film();
        if (from.value === '' || Number(to.value) >= f.frames) {
          from.value = 0;
          to.value = f.frames - 1;
        }
        from.max = to.max = f.frames - 1;
      } catch (error) {
        say(error.message, 'error');
      }
      await offerCodecs();
    },
    busy: () => working !== null,
  };
}
