// A link that carries a whole shot list in its fragment: the text, deflated and
// written in base64url, after "#shots=", to the studio (to edit it) or to the
// player (to watch its film). Opened, it gives the text back, or says
// in one sentence why it cannot. The text is inflated as a stream fed a little
// at a time and stopped at the limit, so that a link that would inflate to
// gigabytes costs no more than the limit.

const PREFIX = '#shots=';

async function through(stream, bytes) {
  const out = new Blob([bytes]).stream().pipeThrough(stream);
  return new Uint8Array(await new Response(out).arrayBuffer());
}

function base64url(bytes) {
  let binary = '';
  for (let i = 0; i < bytes.length; i += 0x8000)
    binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// The bytes base64url text stands for, a piece at a time (each 1,026 bytes, from
// 1,368 characters), so that a link whose text is refused early is not decoded
// whole; an Error when it holds what base64url does not.
function* unbase64url(text) {
  if (!/^[A-Za-z0-9_-]*$/.test(text))
    throw new Error('it holds characters that are not base64url');
  for (let at = 0; at < text.length; at += 1368) {
    const binary = atob(text.slice(at, at + 1368).replace(/-/g, '+').replace(/_/g, '/'));
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; i++)
      bytes[i] = binary.charCodeAt(i);
    yield bytes;
  }
}

// The most characters of base64url that text of mostBytes can deflate to: even
// bytes that do not compress at all grow by a few bytes a block of 16 kB.
function mostCharacters(mostBytes) {
  return Math.ceil((mostBytes + 5 * Math.ceil(mostBytes / 16383) + 16) * 4 / 3);
}

// A link to page (a page of the site: 'studio.html' to edit, 'player.html' to
// watch) that carries the text.
export async function linkFor(text, page) {
  const packed = await through(new CompressionStream('deflate-raw'), new TextEncoder().encode(text));
  return new URL(page, location.href).href.replace(/#.*$/, '') + PREFIX + base64url(packed);
}

class TooBig extends Error {}

// The bytes that the pieces of deflated bytes inflate to (at most about a
// megabyte comes of each); a TooBig as soon as they pass mostBytes.
async function inflate(packed, mostBytes) {
  const stream = new DecompressionStream('deflate-raw');
  const writer = stream.writable.getWriter(), reader = stream.readable.getReader();
  const feeding = (async () => {
    try {
      for (const piece of packed) {
        await writer.ready;
        await writer.write(piece);
      }
      await writer.close();
    } catch (error) {
      writer.abort(error).catch(() => {});  // the reader learns of it
      throw error;
    }
  })();
  feeding.catch(() => {});  // its failure is the reader's too
  const pieces = [];
  let total = 0;
  try {
    for (;;) {
      const { done, value } = await reader.read();
      if (done)
        break;
      total += value.length;
      if (total > mostBytes)
        throw new TooBig();
      pieces.push(value);
    }
    await feeding;
  } catch (error) {
    reader.cancel().catch(() => {});
    writer.abort().catch(() => {});
    throw error;
  }
  const bytes = new Uint8Array(total);
  let at = 0;
  for (const piece of pieces) {
    bytes.set(piece, at);
    at += piece.length;
  }
  return bytes;
}

// The shot list a fragment carries; null when it carries none.
export async function textFromFragment(fragment, mostBytes) {
  if (!fragment.startsWith(PREFIX))
    return null;
  const over = `The link's shot list cannot be read: it is over ${mostBytes / (1024 * 1024)} MB.`;
  if (fragment.length - PREFIX.length > mostCharacters(mostBytes))
    throw new Error(over);
  let bytes;
  try {
    bytes = await inflate(unbase64url(fragment.slice(PREFIX.length)), mostBytes);
  } catch (error) {
    if (error instanceof TooBig)
      throw new Error(over);
    throw new Error('The link\'s shot list cannot be read: the link is cut short or changed.');
  }
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch (error) {
    throw new Error('The link\'s shot list cannot be read: it is not text.');
  }
}
