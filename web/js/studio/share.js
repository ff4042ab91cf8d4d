// A link that carries a whole shot list in its fragment: the text, deflated and
// written in base64url, after "#shots=". Opened, it gives the text back, or says
// in one sentence why it cannot.

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

function unbase64url(text) {
  if (!/^[A-Za-z0-9_-]*$/.test(text))
    throw new Error('it holds characters that are not base64url');
  const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
  return Uint8Array.from(binary, c => c.charCodeAt(0));
}

export async function linkFor(text) {
  const packed = await through(new CompressionStream('deflate-raw'), new TextEncoder().encode(text));
  return location.href.replace(/#.*$/, '') + PREFIX + base64url(packed);
}

// The shot list a fragment carries; null when it carries none.
export async function textFromFragment(fragment, mostBytes) {
  if (!fragment.startsWith(PREFIX))
    return null;
  let bytes;
  try {
    bytes = await through(new DecompressionStream('deflate-raw'), unbase64url(fragment.slice(PREFIX.length)));
  } catch (error) {
    throw new Error('The link\'s shot list cannot be read: the link is cut short or changed.');
  }
  if (bytes.length > mostBytes)
    throw new Error('The link\'s shot list cannot be read: it is over 1 MB.');
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch (error) {
    throw new Error('The link\'s shot list cannot be read: it is not text.');
  }
}
