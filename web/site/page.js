// The program's page. Each run of the program is a fresh instance of the web
// build (crearPractica02, from practica02.js) drawing into a canvas that fills the
// window; the page:
// - gives it its command line and its files: the bundled film beside the page
//   (PLAY's camarabuena.txt), and another film when one is dropped on the page,
//   picked, or named by ?film=NAME (a file beside the page), played as the
//   desktop's "FILE play" plays it. Another film is read by the program's own
//   film reader first: one PLAY would refuse is shown with its line and column,
//   and the running program goes on untouched;
// - opens ?frame=N paused on the picture of pose N (web_open_at_frame);
// - keeps the canvas the window's size in device pixels and tells the program
//   (web_resize); F1 and the Full screen button toggle the browser's full screen
//   (the page's, not the program's: its own F1 would shrink its view);
// - writes the program's output lines to the console and the log panel;
// - offers REC's camera file for download when REC ends and on Save;
// - says when the program has ended and starts it again.
// Assumes practica02.js is loaded before this script and that the page is
// served over HTTP with the files beside it.
'use strict';

const BUNDLED_FILM = 'camarabuena.txt';  // beside the page, and in each run's working folder
const FILM = '/films/film.txt';          // where another film lies in a run's files
const RECORDING = /^camara-\d{14}\.txt$/; // REC's camera file, in the run's working folder
const LOG_LINES = 500;                   // lines the log panel keeps

const $ = id => document.getElementById(id);

const page = {
  run: null,      // the program running, or the last one: see prepare()
  bundled: null,  // the bundled film's bytes; null when it could not be fetched
  busy: false,    // a new run is being made
  log: [],        // the last LOG_LINES lines of output
  logPending: false,
};

// ---- Runs --------------------------------------------------------------------

// A new instance of the program with its files in place, not started yet.
async function prepare(film) {
  const canvas = document.createElement('canvas');
  fit(canvas);
  const run = { canvas, film, args: film ? [FILM, 'play'] : [], alive: false, rec: false, saved: 0,
                lastLine: '', module: null };
  run.module = await crearPractica02({
    canvas,
    print: line => output(run, line),
    printErr: line => console.warn(line),
    onExit: code => ended(run, code),
  });
  const files = run.module.FS;
  if (page.bundled !== null) files.writeFile('/' + BUNDLED_FILM, page.bundled);
  if (film) {
    files.mkdir(FILM.slice(0, FILM.lastIndexOf('/')));
    files.writeFile(FILM, film.data);
  }
  return run;
}

// True when PLAY can play the run's film; else the reason is shown.
function accepted(run) {
  const why = run.module.ccall('web_check_film', 'string', ['string'], [run.args[0]]);
  if (why === '')
    return true;
  const where = /^\d/.test(why) ? `${run.film.name}:${why}` : `${run.film.name}: ${why}`;
  notice(`Not played: ${where}\n(PLAY cannot load it: Error al cargar en memoria los movimientos de la camara.)`);
  return false;
}

// Starts a prepared run in place of the one running, which ends without a word
// (its recording offered, if it was recording).
function launch(run) {
  const old = page.run;
  if (old && old.alive) {
    old.alive = false;
    old.module.retire();
    offerRecording(old);
  }
  document.querySelector('canvas').replaceWith(run.canvas);
  $('ended').hidden = true;
  page.run = run;
  run.alive = true;
  fit(run.canvas);
  run.module.callMain(run.args);
  controls();
}

// PLAY paused at frame n, when the film has that frame.
function openAtFrame(run, text) {
  const path = run.args.length ? run.args[0] : BUNDLED_FILM;
  const records = run.module.ccall('web_film_records', 'number', ['string'], [path]);
  const n = /^\d+$/.test(text) ? Number(text) : -1;
  if (records < 0)
    notice(`frame=${text}: the film cannot be played`);
  else if (n < 0 || n >= records)
    notice(`frame=${text}: the film's frames are 0 to ${records - 1}`);
  else
    call(run, module => module._web_open_at_frame(n));
}

// A call into the program: an exit() inside it has ended the run already (ended).
function call(run, f) {
  try {
    f(run.module);
  } catch (error) {
    if (!error || error.name !== 'ExitStatus')
      throw error;
  }
}

function output(run, line) {
  console.log(line);
  run.lastLine = line;
  page.log.push(line);
  if (page.log.length > LOG_LINES)
    page.log.splice(0, page.log.length - LOG_LINES);
  showLog();
  if (line === 'se ha pulsado boton grabar.') {
    run.rec = true;
    controls();
  }
}

function ended(run, code) {
  if (!run.alive)
    return;  // retired by the page
  run.alive = false;
  const status = code & 255;
  $('ended-text').textContent = 'The program has ended' +
    (status ? ` with exit code ${status}: ${run.lastLine}` : '.');
  const recording = recordingOf(run);
  $('ended-recording').hidden = !recording;
  if (recording) {
    $('ended-recording').firstElementChild.onclick = event => {
      event.preventDefault();
      download(recording);
    };
    offerRecording(run);
  }
  $('ended').hidden = false;
  controls();
}

async function again() {
  if (page.busy)
    return;
  page.busy = true;
  try {
    launch(await prepare(page.run.film));
  } catch (error) {
    notice(String(error));
  } finally {
    page.busy = false;
  }
}

// Another film, dropped or picked: played at once when PLAY can play it.
async function playFile(file) {
  if (page.busy || !file)
    return;
  page.busy = true;
  try {
    const film = { name: file.name, data: new Uint8Array(await file.arrayBuffer()) };
    const run = await prepare(film);
    if (!accepted(run))
      return;
    $('notice').hidden = true;
    launch(run);
    call(run, module => module._web_choose_play());
  } catch (error) {
    notice(String(error));
  } finally {
    page.busy = false;
  }
}

// ---- Recordings ----------------------------------------------------------------

function recordingOf(run) {
  if (!run.rec)
    return null;
  const name = run.module.FS.readdir('/').find(n => RECORDING.test(n));
  return name ? { name, data: run.module.FS.readFile('/' + name) } : null;
}

function offerRecording(run) {
  const recording = recordingOf(run);
  if (recording)
    download(recording);
  run.saved = recording ? recording.data.length : 0;
}

function download(file) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([file.data], { type: 'text/plain' }));
  a.download = file.name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 60000);
}

// ---- The page's controls ----------------------------------------------------------

function controls() {
  const run = page.run;
  const recording = run && run.alive && run.rec;
  $('save-button').hidden = !recording;
  $('arm').hidden = !recording;
}

function notice(text) {
  $('notice-text').textContent = text;
  $('notice').hidden = false;
}

function showLog() {
  const panel = $('log');
  if (page.logPending || panel.hidden)
    return;
  page.logPending = true;
  requestAnimationFrame(() => {
    page.logPending = false;
    panel.textContent = page.log.join('\n');
    panel.scrollTop = panel.scrollHeight;
  });
}

// The canvas in device pixels, the window's size; true when that changed it.
function fit(canvas) {
  const ratio = window.devicePixelRatio || 1;
  const width = Math.max(1, Math.round(window.innerWidth * ratio));
  const height = Math.max(1, Math.round(window.innerHeight * ratio));
  if (canvas.width === width && canvas.height === height)
    return false;
  canvas.width = width;
  canvas.height = height;
  return true;
}

function toggleFullScreen() {
  if (document.fullscreenElement)
    document.exitFullscreen();
  else
    document.documentElement.requestFullscreen().catch(() => notice('The browser refused full screen.'));
}

async function fetchBytes(url) {
  const response = await fetch(url, { cache: 'no-cache' });
  if (!response.ok)
    throw new Error(`cannot be fetched (HTTP ${response.status})`);
  return new Uint8Array(await response.arrayBuffer());
}

// Before any run's toolkit listens: F1 is the page's.
window.addEventListener('keydown', event => {
  if (event.key !== 'F1')
    return;
  event.preventDefault();
  event.stopImmediatePropagation();
  if (!event.repeat)
    toggleFullScreen();
}, true);

window.addEventListener('resize', () => {
  requestAnimationFrame(() => {
    const run = page.run;
    if (run && fit(run.canvas) && run.alive)
      call(run, module => module._web_resize(run.canvas.width, run.canvas.height));
  });
});

for (const button of document.querySelectorAll('button'))
  button.addEventListener('mousedown', event => event.preventDefault());  // keys stay the program's
$('film-button').onclick = () => $('film-input').click();
$('film-input').onchange = () => {
  playFile($('film-input').files[0]);
  $('film-input').value = '';
};
$('save-button').onclick = () => offerRecording(page.run);
$('log-button').onclick = () => {
  $('log').hidden = !$('log').hidden;
  showLog();
};
$('fullscreen-button').onclick = toggleFullScreen;
$('notice-close').onclick = () => { $('notice').hidden = true; };
$('again-button').onclick = again;
$('arm').onclick = event => {
  const key = event.target.dataset && event.target.dataset.key;
  if (key && page.run && page.run.alive)
    call(page.run, module => module._web_special_key(Number(key)));
};
// Leaving the page while REC has poses not saved asks first.
window.addEventListener('beforeunload', event => {
  const run = page.run;
  const recording = run && run.alive && recordingOf(run);
  if (recording && recording.data.length > run.saved)
    event.preventDefault();
});
window.addEventListener('dragover', event => {
  event.preventDefault();
  $('drop').hidden = false;
});
window.addEventListener('dragleave', event => {
  if (event.relatedTarget === null)
    $('drop').hidden = true;
});
window.addEventListener('drop', event => {
  event.preventDefault();
  $('drop').hidden = true;
  playFile(event.dataTransfer.files[0]);
});

(async function load() {
  const params = new URLSearchParams(location.search);
  page.busy = true;
  try {
    try {
      page.bundled = await fetchBytes(BUNDLED_FILM);
    } catch (error) {
      page.bundled = null;  // PLAY then cannot open it, and says so as on the desktop
    }
    let film = null;
    const name = params.get('film');
    if (name !== null) {
      if (!/^\w[\w.-]*$/.test(name))
        notice(`film=${name}: not the name of a file beside the page`);
      else
        try {
          film = { name, data: await fetchBytes(name) };
        } catch (error) {
          notice(`${name}: ${error.message}`);
        }
    }
    const run = await prepare(film);
    if (film && !accepted(run)) {
      run.film = null;
      run.args = [];
    }
    launch(run);
    if (params.has('frame') && (name === null || run.film))  // not on the bundled film instead
      openAtFrame(run, params.get('frame'));
  } catch (error) {
    notice(String(error));
  } finally {
    page.busy = false;
  }
})();
