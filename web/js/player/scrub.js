// The player's scrub bar: the story's frames from 0 to the last, its beats as
// ticks with the labels that fit, the part played, and the playhead. A press or a
// drag (mouse, pen or a finger: one code path) moves the playhead to the frame
// under it.
import { labelsThatFit } from '../shared/beats.js';

const MARGIN = 8;  // pixels left and right of the frames

export function scrubBar(canvas, { frames, beats, seek }) {
  let frame = 0, dragging = null;
  const width = () => canvas.clientWidth;
  const xOf = n => MARGIN + n / Math.max(1, frames - 1) * (width() - 2 * MARGIN);
  const frameAt = x => Math.max(0, Math.min(frames - 1,
    Math.round((x - MARGIN) / Math.max(1, width() - 2 * MARGIN) * (frames - 1))));
  const local = event => event.clientX - canvas.getBoundingClientRect().left;

  function paint() {
    const ratio = window.devicePixelRatio || 1, w = width(), h = canvas.clientHeight;
    if (canvas.width !== Math.round(w * ratio) || canvas.height !== Math.round(h * ratio)) {
      canvas.width = Math.round(w * ratio);
      canvas.height = Math.round(h * ratio);
    }
    const g = canvas.getContext('2d');
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.clearRect(0, 0, w, h);
    const y = h - 12;
    g.fillStyle = '#333';
    g.fillRect(MARGIN, y - 2, w - 2 * MARGIN, 4);
    g.fillStyle = '#e33';
    g.fillRect(MARGIN, y - 2, xOf(frame) - MARGIN, 4);
    g.font = '11px sans-serif';
    g.textBaseline = 'top';
    for (const beat of beats) {
      g.fillStyle = '#666';
      g.fillRect(Math.round(xOf(beat.frame)), y - 8, 1, 8);
    }
    g.fillStyle = '#aaa';
    for (const { beat, left } of labelsThatFit(beats, { xOf, width: t => g.measureText(t).width, right: w - MARGIN }))
      g.fillText(beat.name, left, 2);
    g.fillStyle = '#fff';
    g.beginPath();
    g.arc(xOf(frame), y, 6, 0, 2 * Math.PI);
    g.fill();
  }

  canvas.addEventListener('pointerdown', event => {
    if (dragging !== null)
      return;  // one pointer scrubs; a second finger changes nothing
    dragging = event.pointerId;
    canvas.setPointerCapture(event.pointerId);
    seek(frameAt(local(event)));
  });
  canvas.addEventListener('pointermove', event => {
    if (event.pointerId === dragging)
      seek(frameAt(local(event)));
  });
  const end = event => {
    if (event.pointerId === dragging)
      dragging = null;
  };
  canvas.addEventListener('pointerup', end);
  canvas.addEventListener('pointercancel', end);
  new ResizeObserver(paint).observe(canvas);

  return {
    // The playhead at frame n.
    show(n) {
      frame = n;
      paint();
    },
  };
}
