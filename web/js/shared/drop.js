// A file dropped anywhere on the page: the overlay shown while one is dragged
// over it, and open(file) called with the first file dropped.

export function onFileDropped(overlay, open) {
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
    open(event.dataTransfer.files[0]);
  });
}
