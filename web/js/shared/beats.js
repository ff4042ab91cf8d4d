// The story's beats along a bar of frames (the studio's timeline, the player's
// scrub bar): which beat a frame lies in, and which labels fit, each in the first
// of a few rows where it overlaps no other; a label that fits nowhere is left
// out, its tick still drawn.

// The beat frame n lies in: the last that starts at or before it, or null.
export function beatAt(beats, n) {
  let found = null;
  for (const beat of beats)
    if (beat.frame <= n)
      found = beat;
  return found;
}

// The labels that fit: [{ beat, x (its tick), left (where its text starts), row }].
// xOf(frame) places a frame; width(text) measures a label; right is the bar's end.
export function labelsThatFit(beats, { xOf, width, right, rows = 1, gap = 6 }) {
  const ends = new Array(rows).fill(-Infinity);
  const placed = [];
  for (const beat of beats) {
    const x = xOf(beat.frame), w = width(beat.name);
    const left = Math.min(x + 3, right - w - 2);  // a label near the end stands left of its tick
    const row = ends.findIndex(end => end <= left);
    if (row < 0 || left < 0)
      continue;
    ends[row] = left + w + gap;
    placed.push({ beat, x, left, row });
  }
  return placed;
}
