// Files the user hands the pages, as text and as names: the bytes of a text file
// decoded (UTF-8, with or without its byte-order mark; UTF-16 with its
// byte-order mark), or one sentence saying why they are no text; and a file's
// name as the page may show it, with the characters that would reorder or hide
// the words around it (bidirectional and other controls) shown as U+FFFD.

const UNSEEN = /[\u0000-\u001f\u007f-\u009f\u061c\u200e\u200f\u202a-\u202e\u2066-\u2069]/g;

// The name as the page shows it: no character of it can turn the sentence round it.
export function shownName(name) {
  return String(name).replace(UNSEEN, '\ufffd');
}

// Whether the first bytes alternate a zero and a character, as UTF-16 writes
// ASCII text.
function looksLikeUtf16(bytes) {
  const head = bytes.subarray(0, 64 - (Math.min(bytes.length, 64) % 2));
  const zeroAt = parity => head.every((b, i) => (i % 2 === parity) === (b === 0));
  return head.length >= 4 && (zeroAt(0) || zeroAt(1));
}

// The text that bytes (a Uint8Array) hold; an Error whose message is the reason
// they hold none ("it is not text"), to follow the file's name.
export function textOfBytes(bytes) {
  let encoding = 'utf-8', start = 0;
  if (bytes[0] === 0xff && bytes[1] === 0xfe)
    [encoding, start] = ['utf-16le', 2];
  else if (bytes[0] === 0xfe && bytes[1] === 0xff)
    [encoding, start] = ['utf-16be', 2];
  let text;
  try {
    text = new TextDecoder(encoding, { fatal: true }).decode(bytes.subarray(start));
  } catch (error) {
    throw new Error(encoding === 'utf-8' ? 'it is not text (neither UTF-8 nor UTF-16 with a byte-order mark)'
                                         : `it is not text (not ${encoding.toUpperCase()} throughout)`);
  }
  if (encoding === 'utf-8' && bytes.indexOf(0) >= 0)
    throw new Error(looksLikeUtf16(bytes) ? 'it looks like UTF-16 without a byte-order mark: save it as UTF-8'
                                          : 'it is not text');
  return text;
}
