// What the main page and the studio do alike around their pictures: elements by
// id, a canvas's size in device pixels, keys typed into the page's own fields
// left to them, buttons that keep the keys where they were, and a question in a
// bar of the page's (what a former visit left over, a link to open).

export const $ = id => document.getElementById(id);

// The device pixels of an element's box: [width, height], at least 1 each.
export function devicePixels(element) {
  const box = element.getBoundingClientRect();
  const ratio = window.devicePixelRatio || 1;
  return [Math.max(1, Math.round(box.width * ratio)), Math.max(1, Math.round(box.height * ratio))];
}

// Sets a canvas's size; true when that changed it.
export function sizeCanvas(canvas, [width, height]) {
  if (canvas.width === width && canvas.height === height)
    return false;
  canvas.width = width;
  canvas.height = height;
  return true;
}

// Whether a key event belongs to a field of the page's (text, number, choice).
export function typing(event) {
  const t = event.target;
  return t instanceof HTMLInputElement || t instanceof HTMLSelectElement || t instanceof HTMLTextAreaElement;
}

// Clicking these buttons leaves the keyboard's focus where it was (the picture's).
export function keepFocus(buttons) {
  for (const button of buttons)
    button.addEventListener('mousedown', event => event.preventDefault());
}

// A question in a bar of the page's: { bar, text, yes, no } elements. Resolves to
// true for yes, false for no, null when another question took its place.
const pending = new Map();  // bar -> resolve of the question it shows
export function ask({ bar, text, yes, no }, question, yesWord, noWord) {
  if (pending.has(bar))
    pending.get(bar)(null);
  text.textContent = question;
  yes.textContent = yesWord;
  no.textContent = noWord;
  bar.hidden = false;
  return new Promise(resolve => {
    pending.set(bar, resolve);
    const answer = value => () => {
      bar.hidden = true;
      pending.delete(bar);
      resolve(value);
    };
    yes.onclick = answer(true);
    no.onclick = answer(false);
  });
}
