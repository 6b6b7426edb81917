// "Shift+ArrowLeft" as its modifiers and its key; "+" and "Shift++" name
// the plus key.
export function splitKey(combination) {
  const parts = combination.split("+");
  if (combination.endsWith("+")) parts.splice(-2, 2, "+");
  return { modifiers: parts.slice(0, -1), key: parts.at(-1) };
}
