// The page on phones, tablets and big screens: the picture shows whole in
// width beside or above the Step control, nothing scrolls sideways, axe-core
// finds nothing wrong, and Tab reaches every control.

import assert from "node:assert/strict";

import { inEachEngine, openPage } from "./world_page.mjs";

// Width, height, pixel ratio.
const SCREENS = [
  [390, 844, 3], [844, 390, 3], [820, 1180, 2], [1280, 800, 1], [1920, 1080, 1], [320, 640, 2],
];

function layout() {
  const box = (id) => document.getElementById(id).getBoundingClientRect();
  const canvas = box("canvas");
  const step = box("step");
  return {
    canvas: [canvas.left, canvas.top, canvas.right, canvas.bottom],
    step: [step.left, step.top, step.right, step.bottom],
    scrollWidth: document.documentElement.scrollWidth,
    drawable: [document.getElementById("canvas").width, document.getElementById("canvas").height],
  };
}

inEachEngine((test, engine) => {
  for (const [width, height, deviceScaleFactor] of SCREENS) {
    test(`at ${width} x ${height}, ratio ${deviceScaleFactor}, the page fits and passes axe`,
         async () => {
      const world = await openPage(engine.browser, { width, height, deviceScaleFactor });
      await world.ready();
      await world.step(1);
      const { canvas, step, scrollWidth, drawable } = await world.evaluate(layout);
      const [left, top, right, bottom] = canvas;
      assert.ok(left >= 0 && right <= width, `the canvas spans ${left} to ${right}`);
      assert.ok(scrollWidth <= width, `the page is ${scrollWidth} wide`);
      assert.ok(top < height && step[3] <= height,
                `the canvas starts at ${top}, the Step control ends at ${step[3]}`);
      assert.ok(right - left >= Math.min(width, 390) - 1, "the canvas takes the width it has");
      if (width * height >= 1920 * 1080) {
        assert.ok((right - left) * (bottom - top) >= (width * height) / 3, "a third of the window");
      }
      assert.deepEqual(drawable, [Math.round((right - left) * deviceScaleFactor),
                                  Math.round((bottom - top) * deviceScaleFactor)]);
      assert.deepEqual(await world.accessibilityViolations(), []);
      await world.close();
    });
  }

  test("Tab reaches the picture, every control and the lines, which read whole at 1024",
       async () => {
    const world = await openPage(engine.browser, { width: 1024, height: 768 });
    await world.ready();
    await world.step(1);
    const reached = [];
    const order = ["canvas", "back", "step", "run", "speed", "save", "timeline", "lines"];
    while (reached.length < order.length) {
      await world.press("Tab");
      const id = await world.evaluate(() => document.activeElement.id);
      // Firefox also stops on a box that scrolls, as the side column does
      // in a window this short.
      if (!(engine.name === "firefox" && id === "side")) reached.push(id);
    }
    assert.deepEqual(reached, order);
    // The panel scrolls from the keyboard, and its longest lines, 105
    // characters by step 50, wrap rather than run out of sight.
    await world.step(49);
    const panel = () => world.evaluate(() => {
      const lines = document.getElementById("lines");
      return { top: lines.scrollTop, wide: lines.scrollWidth - lines.clientWidth };
    });
    assert.ok((await panel()).top > 0, "the panel follows the last line");
    await world.press("Home");
    // The browser may animate the scroll.
    await world.waitFor(() => document.getElementById("lines").scrollTop === 0);
    assert.deepEqual(await panel(), { top: 0, wide: 0 });
    await world.close();
  });
});
