// The player's page: the film a watch link carries (its shot list, compiled by
// the studio's program), else the bundled one, played from frame 0 at the
// story's pace (a step, its picture, the story's wait). A tap or a click on the
// picture, Space or the button pauses and plays on; the scrub bar moves through
// the story; Make your own opens the studio with the same shot list. A link whose
// list does not compile is said in one sentence, with the way to mend it.
import { startCore } from '../shared/core.js';
import { $, devicePixels, sizeCanvas, typing } from '../shared/page.js';
import { linkFor, textFromFragment } from '../shared/share.js';
import { MOST_BYTES, tooBig } from '../shared/shot_text.js';
import { keepForOffline } from '../shared/offline.js';
import { Soundtrack, rememberSound, soundWanted } from '../shared/sound.js';
import { scrubBar } from './scrub.js';

const BUNDLED = 'camarabuena.shots';
const ASPECT = 16 / 9;
const TAP = 10;  // pixels a press may move and still be a tap

const player = {
  core: null,     // the program's calls
  text: null,     // the shot list played
  frame: 0,       // the frame shown
  playing: false,
  timer: null,
  scrub: null,    // the scrub bar
  sound: new Soundtrack(),  // the film's soundtrack, once prepared
  withSound: soundWanted(), // the sound is on (remembered)
};

function say(text) {
  $('said-text').textContent = text;
  $('said').hidden = false;
}

// The shot list to play: the link's, or the bundled one; an Error of one sentence.
async function filmText() {
  if (location.hash) {
    const text = await textFromFragment(location.hash, MOST_BYTES);
    if (text !== null) {
      const big = tooBig(text);
      if (big)
        throw new Error(`The link's shot list cannot be played: ${big}.`);
      return text;
    }
  }
  const response = await fetch(BUNDLED, { cache: 'no-cache' });
  if (!response.ok)
    throw new Error(`${BUNDLED} cannot be fetched (HTTP ${response.status}).`);
  return response.text();
}

function fit() {
  const canvas = $('picture');
  const [w, h] = devicePixels($('stage'));
  const width = Math.max(16, Math.round(Math.min(w, h * ASPECT) / 2) * 2);
  const height = Math.max(9, Math.round(width / ASPECT / 2) * 2);
  const ratio = window.devicePixelRatio || 1;
  canvas.style.width = `${width / ratio}px`;
  canvas.style.height = `${height / ratio}px`;
  return sizeCanvas(canvas, [width, height]);
}

function clock(n) {
  const seconds = n * player.core.facts.pace / 1000;
  const m = Math.floor(seconds / 60), s = (seconds - 60 * m).toFixed(2).padStart(5, '0');
  return `${m}:${s} · frame ${n} / ${player.core.facts.frames - 1}`;
}

// Frame n shown: drawn through the film's pose, the clock and the scrub bar told.
function show(n) {
  const { core } = player, canvas = $('picture');
  player.frame = n;
  const pose = core.pose(n);
  if (pose)
    core.draw(n, pose, false, canvas.width, canvas.height);
  $('clock').textContent = clock(n);
  player.scrub.show(n);
}

// Plays on from the frame shown, or pauses. With the sound on, the sound's clock
// leads and the pictures follow it (a frame whose picture would come late is not
// drawn); with it off, a step, its picture and the story's wait, as PLAY plays.
function setPlaying(playing) {
  const last = player.core.facts.frames - 1, { sound } = player;
  player.playing = playing;
  clearTimeout(player.timer);
  sound.stop();
  $('play-pause').textContent = playing ? '❚❚' : '▶';
  document.body.dataset.playing = String(playing);
  if (!playing)
    return;
  if (player.frame >= last)
    show(0);
  const heard = player.withSound && sound.buffer && sound.allowed();
  if (heard)
    sound.play(player.frame);
  const step = () => {
    if (!player.playing)
      return;
    const next = heard ? Math.max(player.frame, Math.min(last, sound.frameNow())) : player.frame + 1;
    if (next !== player.frame)
      show(next);
    if (player.frame >= last)
      setPlaying(false);
    else
      player.timer = setTimeout(step, heard ? 4 : player.core.facts.pace);
  };
  player.timer = setTimeout(step, heard ? 4 : player.core.facts.pace);
}

// Seeks: shown at once, and played on from there when playing.
function seek(n) {
  show(n);
  if (player.playing)
    setPlaying(true);
}

// The film's soundtrack made (the program's synthesis, in a second or two), then
// played from where the film is, when the browser lets the page play sound.
function prepareSound() {
  $('sound-button').textContent = player.withSound ? 'Sound on' : 'Sound off';
  if (!player.withSound)
    return;
  try {
    player.sound.prepare(player.core, player.core.facts.frames, player.text);
  } catch (error) {
    say(`The film plays without sound: ${error.message || error}.`);
    player.withSound = false;
  }
}

const toggle = () => setPlaying(!player.playing);

// A press on the picture that ends where it began is a tap: it pauses or plays on.
function tapsOnPicture() {
  const picture = $('picture');
  let down = null;
  picture.addEventListener('pointerdown', event => {
    down = { id: event.pointerId, x: event.clientX, y: event.clientY };
  });
  picture.addEventListener('pointerup', event => {
    if (down && down.id === event.pointerId && Math.hypot(event.clientX - down.x, event.clientY - down.y) < TAP) {
      player.sound.wake();
      $('start').hidden = true;
      toggle();
    }
    down = null;
  });
  picture.addEventListener('pointercancel', () => { down = null; });
}

function wire() {
  tapsOnPicture();
  $('play-pause').onclick = () => {
    player.sound.wake();
    toggle();
  };
  $('start').onclick = () => {
    player.sound.wake();
    $('start').hidden = true;
    setPlaying(true);
  };
  $('sound-button').onclick = () => {
    player.withSound = !player.withSound;
    rememberSound(player.withSound);
    player.sound.wake();
    prepareSound();
    if (player.playing)
      setPlaying(true);
  };
  $('fullscreen-button').onclick = () => (document.fullscreenElement ? document.exitFullscreen()
    : document.documentElement.requestFullscreen().catch(() => say('The browser refused full screen.')));
  $('make-your-own').onclick = async event => {
    event.preventDefault();
    location.href = await linkFor(player.text, 'studio.html');
  };
  window.addEventListener('keydown', event => {
    if (typing(event) || event.ctrlKey || event.altKey || event.metaKey)
      return;
    const last = player.core.facts.frames - 1;
    const act = { ' ': () => { player.sound.wake(); toggle(); }, ArrowLeft: () => seek(Math.max(0, player.frame - 1)),
                  ArrowRight: () => seek(Math.min(last, player.frame + 1)) }[event.key];
    if (act) {
      event.preventDefault();
      act();
    }
  });
  new ResizeObserver(() => {
    if (fit())
      show(player.frame);
  }).observe($('stage'));
}

async function start() {
  player.core = await startCore($('picture'));
  const { facts } = player.core;
  player.scrub = scrubBar($('scrub'), { frames: facts.frames, beats: facts.beats, seek: n => {
    seek(n);
    if (!player.playing && player.withSound)
      player.sound.grain(n);
  } });
  fit();
  try {
    player.text = await filmText();
  } catch (error) {
    say(error.message);
    $('mend').href = `studio.html${location.hash}`;
    $('mend').hidden = !location.hash;
    return;
  }
  const answer = player.core.compile(player.text);
  if (!answer.ok) {
    const e = answer.errors[0];
    say(`This film's shot list does not compile: line ${e.line}, column ${e.column}: ${e.message}.`);
    $('mend').href = `studio.html${location.hash}`;
    $('mend').hidden = false;
    return;
  }
  wire();
  show(0);
  console.log(`player: first picture ${Math.round(performance.now())} ms after the page was opened`);
  keepForOffline();
  await new Promise(resolve => setTimeout(resolve, 0));  // the first picture shown before the sound is made
  prepareSound();
  if (player.withSound) {
    const context = player.sound.wake();
    await Promise.race([context.resume(), new Promise(resolve => setTimeout(resolve, 300))]);
    if (context.state !== 'running') {
      $('start').hidden = false;  // the browser waits for a tap before any sound
      document.body.dataset.ready = 'true';
      return;
    }
  }
  document.body.dataset.ready = 'true';
  setPlaying(true);
}

start().catch(error => {
  say(`The player cannot start: ${error.message || error}`);
  console.error(error);
});
