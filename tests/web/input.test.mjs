// Keys, mouse and touch on the page, as a user gives them.

import assert from "node:assert/strict";

import { inEachEngine, openPage } from "./world_page.mjs";

// Whether the page kept the browser from acting on the last such event: a
// listener on the window that comes after the page's own sees it.
async function watchDefaults(world, type) {
  await world.evaluate((name) => {
    window.prevented = [];
    window.addEventListener(name, (event) => window.prevented.push(event.defaultPrevented));
  }, type);
}
const lastPrevented = (world) => world.evaluate(() => window.prevented.at(-1));

inEachEngine((test, engine) => {
  async function started(options = {}) {
    const world = await openPage(engine.browser, options);
    await world.ready();
    return world;
  }

  test("f and F step, and other keys do nothing and stay the browser's", async () => {
    const world = await started();
    await watchDefaults(world, "keydown");
    const before = await world.picture();
    for (const key of ["a", "g", "Escape", "Enter", "ArrowLeft", "1", "Control+f", "Alt+f",
                       "Control+q"]) {
      await world.press(key);
      assert.equal(await lastPrevented(world), false, key);
    }
    await world.settle();
    assert.equal(await world.lines(), "");
    assert.deepEqual((await world.picture()).pixels, before.pixels);

    await world.step(1, "Shift+F");
    assert.equal(await lastPrevented(world), true);
    await world.step(1, "f");
    assert.equal(await world.lineCount(), 22);
    assert.notDeepEqual((await world.picture()).pixels, before.pixels);
    await world.close();
  });

  test("q ends the program: the page says so and takes no more input", async () => {
    const world = await started();
    await world.step(3);
    await world.press("q");
    await world.waitFor(() => document.getElementById("status").textContent !== "");
    await world.settle();
    assert.equal(await world.status(),
                 "World has ended (status 1). Reload the page to start again.");
    const lines = await world.lines();
    const picture = await world.picture();
    await world.press("f");
    await world.drag(1, [[600, 300], [400, 320], [200, 300]]);
    await world.drag(2, [[400, 500], [400, 100]]);
    assert.equal(await world.evaluate(() => document.getElementById("step").disabled), true);
    assert.equal(await world.lines(), lines);
    assert.deepEqual((await world.picture()).pixels, picture.pixels);
    assert.deepEqual(await world.errors(), []);
    await world.close();
  });

  test("the wheel leaves the camera alone; the context menu stays shut", async () => {
    const world = await started();
    const before = await world.picture();
    await world.wheel(400, 300, 0, 300);
    await world.wheel(400, 300, 0, -300);
    await world.settle();
    assert.deepEqual((await world.picture()).pixels, before.pixels);

    await watchDefaults(world, "contextmenu");
    await world.drag(3, [[400, 300], [400, 300]]);
    assert.equal(await lastPrevented(world), true);
    await world.close();
  });

  test("a drag goes on outside the canvas", async () => {
    // A full turn comes back to the same picture only if the part of the
    // drag beyond the canvas counts.
    const world = await started();
    const before = await world.picture();
    await world.drag(1, [[100, 300], [400, 300], [700, 300], [900, 300]]);
    assert.deepEqual((await world.picture()).pixels, before.pixels);
    const turned = await world.picture();
    await world.drag(1, [[700, 300], [400, 300]]);
    assert.notDeepEqual((await world.picture()).pixels, turned.pixels);
    await world.close();
  });

  test("one finger orbits, two pan, and a pinch zooms as the mouse drags do", async () => {
    const cases = [
      [(w) => w.touch([[[600, 300], [500, 280], [420, 250]]]),
       (w) => w.drag(1, [[600, 300], [500, 280], [420, 250]])],
      // Spread by half the canvas height: the same as a middle drag up by it.
      [(w) => w.touch([[[400, 250], [400, 200], [400, 100]], [[400, 350], [400, 400], [400, 500]]]),
       (w) => w.drag(2, [[400, 450], [400, 300], [400, 150]])],
      // Two fingers moved together pan as the right button does.
      [(w) => w.touch([[[300, 300], [280, 320], [260, 340]], [[500, 300], [480, 320], [460, 340]]]),
       (w) => w.drag(3, [[400, 300], [380, 320], [360, 340]])],
    ];
    for (const [byTouch, byMouse] of cases) {
      const touched = await started({ touch: true });
      const start = await touched.picture();
      await byTouch(touched);
      const picture = await touched.picture();
      await touched.close();
      const dragged = await started({ touch: true });
      await byMouse(dragged);
      assert.notDeepEqual(picture.pixels, start.pixels, "the touch moved the camera");
      assert.deepEqual(picture.pixels, (await dragged.picture()).pixels);
      await dragged.close();
    }
  });
});
