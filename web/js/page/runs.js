// Runs of the program: each a fresh instance of the web build (crearPractica02,
// from practica02.js) drawing into a canvas of its own, with its command line and
// its files: the bundled film (PLAY's camarabuena.txt) and another film when one
// is played, as the desktop's "FILE play" plays it. Another film is read by the
// program's own film reader first; one PLAY would refuse is shown with its line
// and column, and the running program goes on untouched.
import { shownName } from '../shared/text_file.js';
import { $ } from '../shared/page.js';
import { fit, notice, output } from './panels.js';
import { keepRecording, offerRecording, recordingOf } from './recordings.js';
import { ended as soundEnded, heard, playing } from './sound.js';

export const BUNDLED_FILM = 'camarabuena.txt';  // beside the page, and in each run's working folder
const FILM = '/films/film.txt';                  // where another film lies in a run's files
const MODE_REC = 1;                              // the program's mode while it records (web_mode)
export const MODE_PLAY = 2;                      // and while it plays

export const page = {
  run: null,      // the program running, or the last one: see prepare()
  bundled: null,  // the bundled film's bytes; null when it could not be fetched
  busy: false,    // a new run is being made
  controls: () => {},  // shows the bar's buttons for the run's state
};

// A new instance of the program with its files in place, not started yet.
// film: { name, data (bytes) } or null for the bundled film.
export async function prepare(film) {
  const canvas = document.createElement('canvas');
  canvas.id = 'screen';
  fit(canvas);
  const run = { canvas, film, args: film ? [FILM, 'play'] : [], alive: false, rec: false, saved: 0, kept: 0,
                written: 0, lastLine: '', module: null, id: `${Date.now()}-${Math.random().toString(36).slice(2)}` };
  run.ended = new Promise(resolve => { run.finish = resolve; });  // resolved when the run ends
  run.module = await globalThis.crearPractica02({
    canvas,
    print: line => printed(run, line),
    printErr: line => console.warn(line),
    onExit: code => ended(run, code),
  });
  const files = run.module.FS;
  if (page.bundled !== null)
    files.writeFile('/' + BUNDLED_FILM, page.bundled);
  if (film) {
    files.mkdir(FILM.slice(0, FILM.lastIndexOf('/')));
    files.writeFile(FILM, film.data);
  }
  return run;
}

// True when PLAY can play the run's film; else the reason is shown.
export function accepted(run) {
  const why = run.module.ccall('web_check_film', 'string', ['string'], [run.args[0]]);
  if (why === '')
    return true;
  const name = shownName(run.film.name);
  const where = /^\d/.test(why) ? `${name}:${why}` : `${name}: ${why}`;
  notice(`Not played: ${where}\n(PLAY cannot load it: Error al cargar en memoria los movimientos de la camara.)`);
  return false;
}

// Starts a prepared run in place of the one running, which ends without a word
// (its recording offered, if it was recording).
export function launch(run) {
  const old = page.run;
  if (old && old.alive) {
    old.alive = false;
    soundEnded(old);
    old.module.retire();
    offerRecording(old).finally(old.finish);
  }
  $('screen').replaceWith(run.canvas);
  $('ended').hidden = true;
  page.run = run;
  run.alive = true;
  fit(run.canvas);
  run.module.callMain(run.args);
  page.controls();
}

// The number of records of the run's film (the bundled one, or the one it plays),
// as the program's film reader counts them; -1 when PLAY cannot play it.
export function filmRecords(run) {
  const path = run.args.length ? run.args[0] : BUNDLED_FILM;
  return run.module.ccall('web_film_records', 'number', ['string'], [path]);
}

// PLAY paused at frame n, when the film has that frame.
export function openAtFrame(run, text) {
  const records = filmRecords(run);
  const n = /^\d+$/.test(text) ? Number(text) : -1;
  if (records < 0)
    notice(`frame=${shownName(text)}: the film cannot be played`);
  else if (n < 0 || n >= records)
    notice(`frame=${shownName(text)}: the film's frames are 0 to ${records - 1}`);
  else
    call(run, module => module._web_open_at_frame(n));
}

// A call into the program: an exit() inside it has ended the run already (ended).
export function call(run, f) {
  try {
    f(run.module);
  } catch (error) {
    if (!error || error.name !== 'ExitStatus')
      throw error;
  }
}

function printed(run, line) {
  output(line);
  run.lastLine = line;
  heard(run, line);
  if (!run.rec && !run.play)  // the program has chosen its mode once the call that printed returns
    queueMicrotask(() => {
      const mode = run.alive ? run.module._web_mode() : 0;
      if (!run.rec && mode === MODE_REC) {
        run.rec = true;
        page.controls();
      }
      if (!run.play && mode === MODE_PLAY) {
        run.play = true;
        playing(run, new TextDecoder().decode(run.film ? run.film.data : page.bundled || new Uint8Array()));
      }
    });
  if (run.rec)
    keepRecording(run);  // every REC key prints the pose: U's is then in the file
}

function ended(run, code) {
  if (!run.alive)
    return;  // retired by the page
  run.alive = false;
  soundEnded(run);
  run.finish();
  const status = code & 255;
  $('ended-text').textContent = 'The program has ended' + (status ? ` with exit code ${status}: ${run.lastLine}` : '.');
  const recording = recordingOf(run);
  $('ended-recording').hidden = !recording;
  if (recording) {
    $('ended-recording').onclick = event => {
      event.preventDefault();
      offerRecording(run);
    };
    offerRecording(run);
  }
  $('ended').hidden = false;
  page.controls();
}

// The same film again, in a fresh run.
export async function again() {
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

// Another film, dropped, picked or handed over: played at once when PLAY can play it.
export async function playFilm(film) {
  if (page.busy || !film)
    return;
  page.busy = true;
  try {
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
