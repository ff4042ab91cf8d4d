// A file dropped anywhere on the page: the overlay shown while one is dragged
// over it, and the first file dropped handed on: to audio(file) when it is an
// audio file and there is an audio(file), else to open(file).
import { isAudio } from './music_file.js';

export function onFileDropped(overlay, open, audio = null) {
  window.addEventListener('dragover', event => {
    event.preventDefault();
    overlay.hidden = false;
  });
  window.addEventListener('dragleave', event => {
    if (event.relatedTarget === null)
      overlay.hidden = true;
  });
  window.addEventListener('drop', event => {
    event.preventDefault();
    overlay.hidden = true;
    const file = event.dataTransfer.files[0];
    (audio && isAudio(file) ? audio : open)(file);
  });
}
