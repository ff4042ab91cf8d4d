// The page around the program's canvas: the canvas fills what the bar under it
// and the log beside it (when shown) leave of the window, in device pixels; the
// bar says what the page has to say (a notice, the end of a run, a recording to
// recover) on its left and holds the page's buttons on its right; F1 and the
// Full screen button toggle the browser's full screen.

import { $, devicePixels, sizeCanvas } from '../shared/page.js';

const LOG_LINES = 500;  // lines the log panel keeps

const log = [];
let logPending = false;

// The canvas in device pixels, its box's size; true when that changed it.
export function fit(canvas) {
  return sizeCanvas(canvas, devicePixels($('screen-box')));
}

// A sentence in the bar (its whole text in the tooltip, when it is long).
export function notice(text) {
  $('notice-text').textContent = text;
  $('notice').title = text;
  $('notice').hidden = false;
}

export function closeNotice() {
  $('notice').hidden = true;
}

// A line of the program's output: to the console and the log panel.
export function output(line) {
  console.log(line);
  log.push(line);
  if (log.length > LOG_LINES)
    log.splice(0, log.length - LOG_LINES);
  showLog();
}

function showLog() {
  const panel = $('log');
  if (logPending || panel.hidden)
    return;
  logPending = true;
  requestAnimationFrame(() => {
    logPending = false;
    panel.textContent = log.join('\n');
    panel.scrollTop = panel.scrollHeight;
  });
}

export function toggleLog() {
  $('log').hidden = !$('log').hidden;
  showLog();
}

export function toggleFullScreen() {
  if (document.fullscreenElement)
    document.exitFullscreen();
  else
    document.documentElement.requestFullscreen().catch(() => notice('The browser refused full screen.'));
}
