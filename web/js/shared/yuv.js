// A picture as WebGL reads it (RGBA bytes, rows from the bottom) turned into the
// I420 planes a video encoder takes: BT.709's matrix, limited range (luma 16 to
// 235, chroma 16 to 240), chroma the mean of each 2x2 block. Done here rather
// than by the browser, whose conversion of a canvas is full range and marked as
// sRGB, which players show with shifted colours.

// The colour space of these planes, as WebCodecs names it.
export const BT709 = { primaries: 'bt709', transfer: 'bt709', matrix: 'bt709', fullRange: false };

// Weights scaled by 2^16, with the limited range's scale folded in (219/255 for
// luma, 224/255 for chroma); chroma from the sum of four pixels, hence a quarter.
const S = 65536;
const KR = 0.2126, KB = 0.0722, KG = 1 - KR - KB;
const Y = [KR, KG, KB].map(k => Math.round(k * 219 / 255 * S));
const U = [-KR / (2 - 2 * KB), -KG / (2 - 2 * KB), 0.5].map(k => Math.round(k * 224 / 255 * S / 4));
const V = [0.5, -KG / (2 - 2 * KR), -KB / (2 - 2 * KR)].map(k => Math.round(k * 224 / 255 * S / 4));
const Y0 = 16 * S + S / 2, C0 = 128 * S + S / 2;  // offsets, with rounding

// Writes into out (width x height x 3/2 bytes: Y, then U, then V) the planes of
// rgba, width x height pixels, both even.
export function i420FromRgba(rgba, width, height, out) {
  const [yr, yg, yb] = Y, [ur, ug, ub] = U, [vr, vg, vb] = V;
  const uAt = width * height, vAt = uAt + uAt / 4, half = width / 2;
  for (let y = 0; y < height; y += 2) {
    let top = (height - 1 - y) * width * 4, bottom = top - width * 4;  // rows y and y + 1 of the picture
    let yTop = y * width, yBottom = yTop + width, c = (y / 2) * half;
    for (let x = 0; x < width; x += 2) {
      const r0 = rgba[top], g0 = rgba[top + 1], b0 = rgba[top + 2];
      const r1 = rgba[top + 4], g1 = rgba[top + 5], b1 = rgba[top + 6];
      const r2 = rgba[bottom], g2 = rgba[bottom + 1], b2 = rgba[bottom + 2];
      const r3 = rgba[bottom + 4], g3 = rgba[bottom + 5], b3 = rgba[bottom + 6];
      out[yTop++] = (yr * r0 + yg * g0 + yb * b0 + Y0) >> 16;
      out[yTop++] = (yr * r1 + yg * g1 + yb * b1 + Y0) >> 16;
      out[yBottom++] = (yr * r2 + yg * g2 + yb * b2 + Y0) >> 16;
      out[yBottom++] = (yr * r3 + yg * g3 + yb * b3 + Y0) >> 16;
      const r = r0 + r1 + r2 + r3, g = g0 + g1 + g2 + g3, b = b0 + b1 + b2 + b3;
      out[uAt + c] = (ur * r + ug * g + ub * b + C0) >> 16;
      out[vAt + c++] = (vr * r + vg * g + vb * b + C0) >> 16;
      top += 8;
      bottom += 8;
    }
  }
}
