// A shot list's text as the pages take it before the program reads it: at most
// 1 MB, and lines of at most 4,000 characters (what a text view can show).

export const MOST_BYTES = 1024 * 1024;  // a shot list's size
export const MOST_LINE = 4000;          // characters on one line

// What is wrong with a text as a shot list's, before it is read: one sentence, or null.
export function tooBig(text) {
  const bytes = new TextEncoder().encode(text).length;
  if (bytes > MOST_BYTES)
    return `it is over 1 MB (${bytes.toLocaleString('en')} bytes)`;
  let line = 1, start = 0;
  for (;;) {
    const end = text.indexOf('\n', start);
    const length = (end < 0 ? text.length : end) - start;
    if (length > MOST_LINE)
      return `line ${line} is ${length.toLocaleString('en')} characters long (at most ${MOST_LINE.toLocaleString('en')})`;
    if (end < 0)
      return null;
    line++;
    start = end + 1;
  }
}

