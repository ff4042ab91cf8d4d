// The studio's bars: the tool bar's buttons and choices, each an action of the
// studio's; the transport bar's labels (the frame, the beat it lies in, the key
// there) and the buttons that show the state (Play/Pause, View, Take); and the
// status line, the last word to the user. The labels and the status line are
// subscribers of the state.
import { EditorView } from '@codemirror/view';
import { redo, undo } from '@codemirror/commands';
import { onFileDropped } from '../shared/drop.js';
import { beatAt } from '../shared/beats.js';
import { exportPanel } from '../shared/export_panel.js';
import { $, keepFocus } from '../shared/page.js';
import { aimAt, deleteKey, keyFromView, rideWith, setMotion } from './edits.js';
import { filmOf, keyAt } from './film.js';
import { openFile } from './opening.js';
import { askToWrite } from './owner.js';
import { change, changedFields, say, services, studioOf } from './store.js';
import { rememberSound } from '../shared/sound.js';
import { filmToExport, playFilm, saveFilm, saveShots, share } from './way_out.js';

function showBars(state, fields, filmChanged) {
  const s = studioOf(state), facts = state.facet(services).facts;
  if (fields.has('frame') || filmChanged) {
    $('frame-label').textContent = `frame ${s.frame} / ${facts.frames - 1}`;
    const beat = beatAt(facts.beats, s.frame);
    $('beat-label').textContent = beat ? `${beat.name} (from ${beat.frame})` : '';
    const key = keyAt(state, s.frame);
    $('key-label').textContent = key ? `key, line ${key.line}, ${key.motion}` : '';
    $('delete-button').disabled = !key;
  }
  if (fields.has('follow'))
    $('follow-select').value = s.follow ? s.follow.actor : '';
  if (fields.has('view')) {
    $('view-button').firstChild.textContent = `View: ${s.view} `;
    document.body.dataset.view = s.view;
  }
  if (fields.has('running')) {
    $('play-pause').firstChild.textContent = s.running === 'play' ? '❚❚ Pause ' : '▶ Play ';
    $('bar-play').textContent = s.running === 'play' ? '❚❚' : '▶';
    $('take-button').firstChild.textContent = s.running === 'take' ? 'End take ' : 'Take ';
    document.body.dataset.take = s.running === 'take' ? 'on' : 'off';
  }
  if (fields.has('sound'))
    $('sound-button').textContent = s.sound ? 'Sound on' : 'Sound off';
  if (fields.has('message')) {
    $('status').textContent = s.message ? s.message.text : '';
    $('status').className = s.message ? s.message.kind : '';
  }
}

// The bars' subscription.
export const barUpdates = EditorView.updateListener.of(update => {
  showBars(update.state, changedFields(update), filmOf(update.startState) !== filmOf(update.state));
});

// The bars shown as the state stands now.
export function showAllBars(state) {
  showBars(state, new Set(['frame', 'follow', 'view', 'running', 'message', 'sound']), true);
}

// A choice of the tool bar that acts once and goes back to its label.
function choose(id, action, leaveText) {
  $(id).onchange = () => {
    const value = $(id).value;
    $(id).value = '';
    if (value)
      action(value);
    leaveText();
  };
}

// The compact bar of a phone: Play, the text's drawer, and the menu of the other
// actions, which closes once one of them is chosen.
function wireCompactBar(actions) {
  const menu = open => {
    document.body.classList.toggle('menu-open', open);
    $('menu-button').setAttribute('aria-expanded', String(open));
  };
  $('bar-play').onclick = actions.togglePlay;
  $('text-button').onclick = () => document.body.classList.toggle('drawer-open');
  $('menu-button').onclick = () => menu(!document.body.classList.contains('menu-open'));
  $('toolbar').addEventListener('click', event => {
    const control = event.target.closest('button, a');
    if (control && !control.closest('.compact-only') && !control.classList.contains('primary'))
      menu(false);
  });
  $('toolbar').addEventListener('change', () => menu(false));
}

// The tool bar's and the transport bar's controls. actions: the studio's own
// (follow, toggleView, togglePlay, toggleTake, leaveText).
export function wireBars(view, actions) {
  keepFocus(document.querySelectorAll('#toolbar button, #transport button'));
  const facts = view.state.facet(services).facts;
  for (const name of facts.actors) {
    $('aim-select').append(new Option(name, name));
    $('ride-select').append(new Option(name, name));
    $('follow-select').append(new Option(`Follow: ${name}`, name));
  }
  for (const name of facts.motions)
    $('motion-select').append(new Option(name, name));
  $('follow-select').onchange = () => {
    actions.follow($('follow-select').value || null);
    actions.leaveText();
  };
  choose('aim-select', actor => aimAt(view, actor), actions.leaveText);
  choose('ride-select', actor => rideWith(view, actor), actions.leaveText);
  choose('motion-select', motion => setMotion(view, motion), actions.leaveText);
  $('key-button').onclick = () => keyFromView(view);
  $('take-button').onclick = actions.toggleTake;
  $('delete-button').onclick = () => deleteKey(view);
  $('view-button').onclick = actions.toggleView;
  $('play-pause').onclick = actions.togglePlay;
  $('sound-button').onclick = () => {
    const on = !studioOf(view.state).sound;
    rememberSound(on);
    view.dispatch({ effects: change.of({ sound: on }) });
  };
  $('undo-button').onclick = () => undo(view);
  $('redo-button').onclick = () => redo(view);
  $('open-button').onclick = () => $('open-input').click();
  $('open-input').onchange = () => {
    openFile(view, $('open-input').files[0]);
    $('open-input').value = '';
  };
  $('shots-button').onclick = () => saveShots(view);
  $('film-button').onclick = () => saveFilm(view);
  $('play-button').onclick = () => playFilm(view);
  $('share-button').onclick = () => share(view);
  const copy = (id, what) => () => navigator.clipboard.writeText($(id).value)
    .then(() => say(view, `The link ${what} is copied.`), () => say(view, 'Copy the link from its box.', 'error'));
  $('watch-copy').onclick = copy('watch-link', 'to watch the film');
  $('share-copy').onclick = copy('share-link', 'to edit the shot list');
  $('share-close').onclick = () => { $('share-box').hidden = true; };
  $('edit-here').onclick = () => {
    askToWrite();
    say(view, 'Asked the other tab to hand the draft over…');
  };
  wireCompactBar(actions);
  const exporter = exportPanel($('export'), () => filmToExport(view));
  $('export-button').onclick = () => exporter.open();
  onFileDropped($('drop'), file => openFile(view, file));
}
