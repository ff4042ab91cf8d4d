// The program's page: the program in a canvas over the window's width, the
// page's bar under it. The address may name a film beside the page to play
// (?film=NAME), a frame to open paused on (?frame=N), or the film the studio
// handed over (?play=studio, played as "NAME.txt play" plays it). The bar's
// buttons: another film (also dropped on the page), Save while REC records, the
// log beside the canvas, full screen (F1), the studio. Assumes practica02.js is
// loaded and that the page is served over HTTP with the files beside it.
import { onFileDropped } from '../shared/drop.js';
import { $, keepFocus, typing } from '../shared/page.js';
import { exportPanel } from '../shared/export_panel.js';
import { onFallback, recall } from '../shared/storage.js';
import { removeLeftovers } from '../shared/export_file.js';
import { keepForOffline } from '../shared/offline.js';
import { shownName } from '../shared/text_file.js';
import { closeNotice, fit, notice, toggleFullScreen, toggleLog } from './panels.js';
import { offerLastVisit, offerRecording, recordingOf } from './recordings.js';
import { initSound } from './sound.js';
import { BUNDLED_FILM, MODE_PLAY, accepted, again, call, filmRecords, launch, openAtFrame, page, playFilm, prepare }
  from './runs.js';

page.controls = () => {
  const run = page.run;
  const recording = run && run.alive && run.rec;
  $('save-button').hidden = !recording;
  $('arm').hidden = !recording;
};

async function fetchBytes(url) {
  const response = await fetch(url, { cache: 'no-cache' });
  if (!response.ok)
    throw new Error(`cannot be fetched (HTTP ${response.status})`);
  return new Uint8Array(await response.arrayBuffer());
}

async function fileFilm(file) {
  return file ? { name: file.name, data: new Uint8Array(await file.arrayBuffer()) } : null;
}

// The film the page plays, for a video of it: its text, its name, its frames.
function playedFilm() {
  const run = page.run;
  const data = run && run.film ? run.film.data : page.bundled;
  if (!run || !data)
    throw new Error('There is no film to make a video of.');
  const frames = filmRecords(run);
  if (frames <= 0)
    throw new Error('The film has no frames to make a video of.');
  const name = run.film ? run.film.name.replace(/\.txt$/i, '') || 'film' : BUNDLED_FILM.replace(/\.txt$/, '');
  return { text: new TextDecoder().decode(data), name, frames };
}
const exporter = exportPanel($('export'), playedFilm);
$('export-button').onclick = () => exporter.open();

// Before any run's toolkit listens: F1 is the page's, and what is typed into the
// page's own fields is not the program's.
window.addEventListener('keydown', event => {
  if (typing(event)) {
    event.stopImmediatePropagation();
    return;
  }
  if (event.key !== 'F1')
    return;
  event.preventDefault();
  event.stopImmediatePropagation();
  if (!event.repeat)
    toggleFullScreen();
}, true);

// The canvas follows its box (the window, the bar, the log); the program is told.
new ResizeObserver(() => {
  const run = page.run;
  if (run && fit(run.canvas) && run.alive)
    call(run, module => module._web_resize(run.canvas.width, run.canvas.height));
}).observe($('screen-box'));

keepFocus(document.querySelectorAll('button'));  // keys stay the program's
$('film-button').onclick = () => $('film-input').click();
$('film-input').onchange = async () => {
  playFilm(await fileFilm($('film-input').files[0]));
  $('film-input').value = '';
};
$('save-button').onclick = () => offerRecording(page.run);
$('log-button').onclick = toggleLog;
initSound();
$('fullscreen-button').onclick = toggleFullScreen;
$('notice-close').onclick = closeNotice;
$('again-button').onclick = again;
$('arm').onclick = event => {
  const key = event.target.dataset && event.target.dataset.key;
  if (key && page.run && page.run.alive)
    call(page.run, module => module._web_special_key(Number(key)));
};
// A tap on the picture (a finger or a pen) in PLAY pauses and plays on, as space does.
(function tapsOnPicture() {
  let down = null;
  const playing = () => page.run && page.run.alive && page.run.module._web_mode() === MODE_PLAY;
  $('screen-box').addEventListener('pointerdown', event => {
    // Only a tap that begins in PLAY: the one that chose PLAY on the title screen is that button's.
    down = event.pointerType === 'mouse' || !playing() ? null : { id: event.pointerId, x: event.clientX, y: event.clientY };
  });
  $('screen-box').addEventListener('pointerup', event => {
    if (down && down.id === event.pointerId && Math.hypot(event.clientX - down.x, event.clientY - down.y) < 10 &&
        playing())
      for (const type of ['keydown', 'keyup'])  // the key the program pauses with, as typed
        window.dispatchEvent(new KeyboardEvent(type, { key: ' ', code: 'Space', keyCode: 32, bubbles: true }));
    down = null;
  });
  $('screen-box').addEventListener('pointercancel', () => { down = null; });
})();

// Leaving the page while REC has poses not saved asks first (they are kept all the same).
window.addEventListener('beforeunload', event => {
  const run = page.run;
  const recording = run && run.alive && recordingOf(run);
  if (recording && recording.data.length > run.saved)
    event.preventDefault();
});
onFileDropped($('drop'), async file => playFilm(await fileFilm(file)));

// The film the address names: { name, data }, null for the bundled one, or
// undefined when it names one that cannot be had (said why).
async function addressedFilm(params) {
  if (params.get('play') === 'studio') {
    const handed = await recall('play');
    if (handed && typeof handed.name === 'string' && typeof handed.text === 'string')
      return { name: handed.name, data: new TextEncoder().encode(handed.text) };
    notice('play=studio: the studio has handed over no film in this browser');
    return undefined;
  }
  const name = params.get('film');
  if (name === null)
    return null;
  if (!/^\w[\w.-]*$/.test(name)) {
    notice(`film=${shownName(name)}: not the name of a file beside the page`);
    return undefined;
  }
  try {
    return { name, data: await fetchBytes(name) };
  } catch (error) {
    notice(`${name}: ${error.message}`);
    return undefined;
  }
}

(async function load() {
  const params = new URLSearchParams(location.search);
  page.busy = true;
  try {
    try {
      page.bundled = await fetchBytes(BUNDLED_FILM);
    } catch (error) {
      page.bundled = null;  // PLAY then cannot open it, and says so as on the desktop
    }
    const film = await addressedFilm(params);
    const run = await prepare(film || null);
    if (film && !accepted(run)) {
      run.film = null;
      run.args = [];
    }
    launch(run);
    if (film && run.film && params.get('play') === 'studio' && !params.has('frame'))
      call(run, module => module._web_choose_play());
    else if (params.has('frame') && film !== undefined && (film === null || run.film))
      openAtFrame(run, params.get('frame'));  // not on the bundled film in place of another
  } catch (error) {
    notice(String(error));
  } finally {
    page.busy = false;
  }
  onFallback(why => notice(`The browser's database stands aside (${why}): recordings are kept in localStorage instead.`));
  offerLastVisit();
  removeLeftovers();  // what exports of closed tabs left in the browser's private files
  keepForOffline();
})();
