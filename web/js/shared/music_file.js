// Music from a file (chosen, dropped, or kept in the browser): its bytes bounded,
// decoded by the browser and resampled to the story's sound, 48 kHz stereo,
// interleaved left then right as the program's mixer takes it; and the one music
// file kept in the browser (IndexedDB), by its name and size.
import { forget, keep, keysWith, recall } from './storage.js';

const RATE = 48000;
export const MOST_MUSIC_BYTES = 200 * 1024 * 1024;
export const MOST_MUSIC_SECONDS = 10 * 60;  // 230 MB decoded, and as much again in the program
const KEPT = 'music:';  // the file kept as KEPT + name + ':' + size
const AUDIO_NAMES = /\.(mp3|ogg|oga|opus|wav|wave|flac|m4a|aac|weba|webm|aif|aiff)$/i;

// Whether a file looks like audio (by its type, else by its name's ending).
export function isAudio(file) {
  return !!file && ((file.type || '').startsWith('audio/') || AUDIO_NAMES.test(file.name || ''));
}

export function minutes(seconds) {
  const s = Math.round(seconds);
  return `${Math.floor(s / 60)}:${String(s % 60).padStart(2, '0')}`;
}

// The decoded music of bytes (an ArrayBuffer, left as it was): { samples
// (Float32Array of stereo pairs at 48 kHz), seconds }; an Error of one sentence,
// naming the file as shown, when it is too big, too long, or no audio the browser reads.
export async function decodeMusic(bytes, shown) {
  if (bytes.byteLength > MOST_MUSIC_BYTES)
    throw new Error(`${shown} is not used as music: it is over 200 MB (${bytes.byteLength.toLocaleString('en')} bytes).`);
  let buffer;
  try {
    buffer = await new OfflineAudioContext(2, 1, RATE).decodeAudioData(bytes.slice(0));
  } catch (error) {
    throw new Error(`${shown} is not used as music: the browser cannot decode it as audio.`);
  }
  if (buffer.duration > MOST_MUSIC_SECONDS)
    throw new Error(`${shown} is not used as music: it lasts ${minutes(buffer.duration)}, over ` +
                    `${MOST_MUSIC_SECONDS / 60} minutes.`);
  if (buffer.numberOfChannels > 2) {  // mixed down to stereo as the browser mixes it
    const context = new OfflineAudioContext(2, buffer.length, RATE);
    const source = new AudioBufferSourceNode(context, { buffer });
    source.connect(context.destination);
    source.start();
    buffer = await context.startRendering();
  }
  const left = buffer.getChannelData(0), right = buffer.getChannelData(buffer.numberOfChannels > 1 ? 1 : 0);
  const samples = new Float32Array(2 * buffer.length);
  for (let i = 0; i < buffer.length; i++) {
    samples[2 * i] = left[i];
    samples[2 * i + 1] = right[i];
  }
  return { samples, seconds: buffer.length / RATE };
}

// The file kept for a music line's name, as { name, size, bytes }, or null.
export async function keptMusic(name) {
  const key = (await keysWith(`${KEPT}${name}:`))[0];
  const kept = key ? await recall(key) : undefined;
  return kept && kept.bytes instanceof ArrayBuffer ? kept : null;
}

// A music file's bytes kept for its name, in place of any other music kept;
// throws a StorageRefused saying why where it is not kept.
export async function keepMusic(name, size, bytes) {
  const key = `${KEPT}${name}:${size}`;
  await keep(key, { name, size, bytes, time: Date.now() }, { bytes: true });
  for (const other of await keysWith(KEPT))
    if (other !== key)
      await forget(other);
}
