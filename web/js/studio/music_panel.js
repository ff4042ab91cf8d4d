// The music's bar: the music line's file, offset (seconds), tempo (beats a
// minute, or Tap tempo: the mean interval of the last taps) and gain (dB), each
// change one edit of the line; a file chosen or the line removed. Its fields
// follow the music line as the program reads it; Music… opens it (and the file
// chooser, while there is no music).
import { EditorView } from '@codemirror/view';
import { $ } from '../shared/page.js';
import { chooseMusic, musicLineOf, removeMusic, setMusic } from './music.js';
import { say } from './store.js';

const TAPS = 8;         // the taps whose intervals make the tempo
const TAP_GAP = 2000;   // milliseconds without a tap that start a new count
const TAP_SET = 1500;   // milliseconds after the last tap that set the tempo

function showLine(state) {
  const line = musicLineOf(state), bar = $('music');
  $('music-name').textContent = line ? `"${line.name}"` : 'No music';
  for (const id of ['music-offset', 'music-tempo', 'music-gain', 'tap-button', 'music-remove'])
    $(id).disabled = !line;
  if (!line)
    return;
  if (document.activeElement !== $('music-offset'))
    $('music-offset').value = line.offset;
  if (document.activeElement !== $('music-tempo') && !bar.dataset.tapping)
    $('music-tempo').value = line.tempo === null ? '' : line.tempo;
  if (document.activeElement !== $('music-gain'))
    $('music-gain').value = line.gain;
}

// The bar's subscription.
export const musicBarUpdates = EditorView.updateListener.of(update => {
  if (musicLineOf(update.startState) !== musicLineOf(update.state))
    showLine(update.state);
});

function wireTap(view) {
  let taps = [], timer = null;
  $('tap-button').onclick = () => {
    const now = performance.now();
    if (taps.length && now - taps[taps.length - 1] > TAP_GAP)
      taps = [];
    taps = [...taps, now].slice(-TAPS - 1);
    clearTimeout(timer);
    if (taps.length < 2) {
      say(view, 'Tap tempo: tap on each beat; the tempo is set once the taps stop.');
      return;
    }
    const bpm = Math.round(600 * 1000 * (taps.length - 1) / (taps[taps.length - 1] - taps[0])) / 10;
    $('music').dataset.tapping = 'true';
    $('music-tempo').value = bpm;
    say(view, `Tap tempo: ${bpm} beats a minute from ${taps.length} taps.`);
    timer = setTimeout(() => {
      delete $('music').dataset.tapping;
      taps = [];
      setMusic(view, 'tempo', bpm);
    }, TAP_SET);
  };
}

export function wireMusicBar(view) {
  $('music-button').onclick = () => {
    $('music').hidden = !$('music').hidden;
    if (!$('music').hidden && !musicLineOf(view.state))
      chooseMusic();
  };
  $('music-choose').onclick = () => chooseMusic();
  $('music-remove').onclick = () => removeMusic(view);
  $('music-close').onclick = () => { $('music').hidden = true; };
  const number = (id, setting, empty) => {
    $(id).onchange = () => {
      const text = $(id).value.trim(), value = text === '' ? empty : Number(text);
      if (value === undefined || Number.isNaN(value)) {
        say(view, `Not changed: the ${setting} must be a number.`, 'error');
        showLine(view.state);
      } else if (!setMusic(view, setting, value)) {
        showLine(view.state);
      }
    };
  };
  number('music-offset', 'offset', 0);
  number('music-tempo', 'tempo', null);
  number('music-gain', 'gain', -6);
  wireTap(view);
  showLine(view.state);
}
