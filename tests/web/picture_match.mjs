// How far apart two pictures of the same scene are, counted so that a point
// placed one pixel over costs nothing and anything else does.

const lit = (p, i) => p[i] || p[i + 1] || p[i + 2];

// Whether some pixel at most one away in `other` has exactly the colour of
// pixel (x, y) of `picture`.
function hasNeighbour(picture, other, x, y) {
  const i = 3 * (y * picture.width + x);
  const p = picture.pixels;
  const q = other.pixels;
  for (let ny = Math.max(0, y - 1); ny <= Math.min(other.height - 1, y + 1); ny++) {
    for (let nx = Math.max(0, x - 1); nx <= Math.min(other.width - 1, x + 1); nx++) {
      const j = 3 * (ny * other.width + nx);
      if (p[i] === q[j] && p[i + 1] === q[j + 1] && p[i + 2] === q[j + 2]) return true;
    }
  }
  return false;
}

export function litPixels(picture) {
  let count = 0;
  for (let i = 0; i < picture.pixels.length; i += 3) count += lit(picture.pixels, i) ? 1 : 0;
  return count;
}

// `unmatched`: the lit pixels of either picture with no pixel of their exact
// colour at most one pixel away in the other. `litChange`: how much the
// number of lit pixels differs, as a share of the larger. `differing`: the
// pixels that differ at all in place.
export function compare(a, b) {
  if (a.width !== b.width || a.height !== b.height) {
    throw new Error(`sizes differ: ${a.width} x ${a.height} and ${b.width} x ${b.height}`);
  }
  let unmatched = 0;
  let differing = 0;
  let litA = 0;
  let litB = 0;
  for (let y = 0; y < a.height; y++) {
    for (let x = 0; x < a.width; x++) {
      const i = 3 * (y * a.width + x);
      if (a.pixels[i] !== b.pixels[i] || a.pixels[i + 1] !== b.pixels[i + 1] ||
          a.pixels[i + 2] !== b.pixels[i + 2]) {
        differing++;
      }
      if (lit(a.pixels, i)) {
        litA++;
        if (!hasNeighbour(a, b, x, y)) unmatched++;
      }
      if (lit(b.pixels, i)) {
        litB++;
        if (!hasNeighbour(b, a, x, y)) unmatched++;
      }
    }
  }
  return { unmatched, differing, litChange: Math.abs(litA - litB) / Math.max(litA, litB, 1) };
}
