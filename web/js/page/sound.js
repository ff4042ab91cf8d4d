// PLAY's sound on the main page: the soundtrack of the film PLAY plays, made by
// the studio's program (loaded when first needed), started by the click or tap
// that chose PLAY and kept in step with the pictures: while it plays, its clock
// paces the program's steps (the toolkit's pacer), so that the sound of frame k
// is heard while frame k is shown; a step whose picture would come late is
// stepped and printed but not drawn. Space's pause stops it, and play on starts
// it again from the frame shown. Sound on/off in the bar, remembered.
import { startCore } from '../shared/core.js';
import { $ } from '../shared/page.js';
import { Soundtrack, rememberSound, soundWanted } from '../shared/sound.js';

const FRAME = /^fotograma:(\d+)$/;
const PAUSED = 25;   // milliseconds the program waits between steps, as it asks

const state = {
  on: soundWanted(),
  sound: new Soundtrack(),
  core: null,        // the studio's program, for the soundtrack
  shown: 0,          // the last frame PLAY printed
  run: null,         // the run whose film the sound is of
};

function showButton() {
  $('sound-button').textContent = state.on ? 'Sound on' : 'Sound off';
}

// The run's film made into its soundtrack (its frames up to the story's last).
async function prepare(run, filmText) {
  if (!state.core)
    state.core = await startCore(document.createElement('canvas'));
  const refused = state.core.showFilm(filmText);
  if (refused)
    return false;
  const frames = Math.min(state.core.poses().length / 9, state.core.facts.frames);
  state.sound.prepare(state.core, frames, run);
  return true;
}

function pace(run) {
  run.module.pacer = {
    // Draw unless the picture is a frame or more behind the sound.
    draw: () => !state.sound.playing() || state.shown + 1 >= state.sound.frameNow(),
    // Wait until the sound reaches the next frame.
    wait: asked => {
      if (!state.sound.playing())
        return asked;
      const ahead = state.shown + 1 - state.sound.frameNow();
      return Math.max(0, Math.min(PAUSED, ahead * PAUSED));
    },
  };
  run.module.idleChanged = running => {
    if (!running)
      state.sound.stop();
    else if (state.on && state.run === run)
      state.sound.play(state.shown + 1);
  };
}

// A line PLAY printed: frame 1 starts the sound (after nfotogramas, the film is loaded).
export function heard(run, line) {
  const m = FRAME.exec(line);
  if (m)
    state.shown = Number(m[1]);
  if (m && state.run === run && state.on && !state.sound.playing() && state.sound.buffer)
    state.sound.play(state.shown);
}

// PLAY chosen in run, whose film's text this is: the sound woken (this is the
// gesture's call) and made, and the run paced by it.
export async function playing(run, filmText) {
  if (!state.on)
    return;
  state.sound.wake();
  state.run = run;
  pace(run);
  try {
    if (!await prepare(run, filmText))
      state.run = null;
  } catch (error) {
    state.run = null;
    console.warn(`PLAY's sound: ${error.message || error}`);
  }
}

// The run ended or was replaced: its sound too.
export function ended(run) {
  if (state.run === run) {
    state.sound.stop();
    state.run = null;
  }
}

export function initSound() {
  showButton();
  $('sound-button').onclick = () => {
    state.on = !state.on;
    rememberSound(state.on);
    showButton();
    if (!state.on)
      state.sound.stop();
  };
}
