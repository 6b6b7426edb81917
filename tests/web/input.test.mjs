// Keys, mouse, wheel and touch on the page, as a user gives them. Where two
// inputs should move the camera alike, each goes to a page of its own and
// the pictures are compared.

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

  // The picture after `act` on a fresh page.
  async function pictureAfter(act, options = {}) {
    const world = await started(options);
    const before = await world.picture();
    await act(world);
    await world.settle();
    const after = await world.picture();
    await world.close();
    assert.notDeepEqual(after.pixels, before.pixels, "the camera moved");
    return after.pixels;
  }

  test("f and F step; other keys do nothing off the picture and stay the browser's", async () => {
    const world = await started();
    await watchDefaults(world, "keydown");
    const before = await world.picture();
    for (const key of ["a", "g", "Escape", "Enter", "ArrowLeft", "+", "1", "Control+f",
                       "Alt+f", "Control+q"]) {
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
    assert.equal(await world.evaluate(() => document.getElementById("step-count").textContent),
                 "2");
    assert.notDeepEqual((await world.picture()).pixels, before.pixels);
    await world.close();
  });

  test("q ends the run, takes no more input, and Start again starts afresh", async () => {
    const world = await started();
    await world.step(3);
    await world.press("q");
    await world.waitFor(() => document.getElementById("status").textContent !== "");
    await world.settle();
    assert.match(await world.status(), /^This run has ended/);
    const lines = await world.lines();
    // A press on the notice takes the focus from Start again, and its ring.
    await world.drag(1, [[600, 300], [600, 300]]);
    const picture = await world.picture();
    await world.press("f");
    await world.drag(1, [[600, 300], [400, 320], [200, 300]]);
    assert.deepEqual(await world.evaluate(() => ["step", "run", "save"].map(
      (id) => document.getElementById(id).disabled)), [true, true, false]);
    assert.equal(await world.lines(), lines);
    assert.deepEqual((await world.picture()).pixels, picture.pixels);

    await world.click("#restart");
    // The page loads again: a new document, with nothing to say.
    await world.waitFor(() => document.getElementById("status")?.textContent === "" &&
      window.Module?.framesDrawn > 0);
    await world.settle();
    assert.equal(await world.status(), "");
    assert.equal(await world.lines(), "");
    await world.step(1);
    assert.equal(await world.evaluate(() => document.getElementById("step-count").textContent),
                 "1");
    assert.deepEqual(await world.errors(), []);
    await world.close();
  });

  test("the wheel and a pinch zoom over the picture, and the page stays put", async () => {
    // Upright, the page is taller than the window and could scroll; the
    // canvas is 600 x 450.
    const size = { width: 600, height: 900 };
    const pageStill = () => [window.scrollX, window.scrollY, visualViewport.scale];
    let still;
    // A notch up zooms as a middle drag up by a fifth of the canvas height.
    const byWheel = await pictureAfter(async (w) => {
      await watchDefaults(w, "wheel");
      await w.wheel(200, 150, 0, -100);
      assert.equal(await lastPrevented(w), true);
      still = await w.evaluate(pageStill);
    }, size);
    assert.deepEqual(still, [0, 0, 1]);
    const byDrag = await pictureAfter((w) => w.drag(2, [[200, 200], [200, 200 - 0.2 * 450]]), size);
    assert.deepEqual(byWheel, byDrag);

    await pictureAfter(async (w) => {
      await w.tab.keyDown("Control");
      await w.wheel(200, 150, 0, -10);
      await w.tab.keyUp("Control");
      still = await w.evaluate(pageStill);
    }, size);
    assert.deepEqual(still, [0, 0, 1]);

    // Off the picture the wheel scrolls the page.
    const world = await started(size);
    await world.tab.wheel(300, 800, 0, 200);
    await world.settle();
    assert.ok(await world.evaluate(() => window.scrollY > 0), "the page scrolled");
    await world.close();
  });

  test("a left drag with Shift, Ctrl or Meta pans as the right button does", async () => {
    const path = [[400, 300], [370, 280], [340, 260]];
    const byRight = await pictureAfter((w) => w.drag(3, path));
    for (const modifier of ["Shift", "Control", "Meta"]) {
      assert.deepEqual(await pictureAfter((w) => w.drag(1, path, [modifier])), byRight, modifier);
    }
  });

  test("with the picture focused, arrows turn, Shift and arrows pan, + and - zoom", async () => {
    // Each key drags 32 page pixels.
    const cases = [
      ["ArrowLeft", [1, [400, 300], [368, 300]]],
      ["ArrowDown", [1, [400, 300], [400, 332]]],
      ["Shift+ArrowRight", [3, [400, 300], [432, 300]]],
      ["+", [2, [400, 300], [400, 268]]],
      ["-", [2, [400, 300], [400, 332]]],
    ];
    for (const [key, [button, ...path]] of cases) {
      const byKey = await pictureAfter(async (w) => {
        // The canvas is the first stop of Tab.
        await w.press("Tab");
        assert.equal(await w.evaluate(() => document.activeElement.id), "canvas");
        await w.press(key);
      });
      assert.deepEqual(byKey, await pictureAfter((w) => w.drag(button, path)), key);
    }
  });

  test("a drag goes on outside the canvas, and the context menu stays shut", async () => {
    // A full turn comes back to the same picture only if the part of the
    // drag beyond the canvas counts. The canvas is 816 pixels wide.
    const world = await started();
    const before = await world.picture();
    await world.drag(1, [[100, 300], [400, 300], [700, 300], [916, 300]]);
    assert.deepEqual((await world.picture()).pixels, before.pixels);
    await watchDefaults(world, "contextmenu");
    await world.drag(3, [[400, 300], [400, 300]]);
    assert.equal(await lastPrevented(world), true);
    await world.close();
  });

  test("a flick released before the next frame ends where a resting drag ends", async () => {
    const rested = await pictureAfter((w) => w.drag(1, [[600, 300], [400, 300]]));
    const flicked = await pictureAfter(async (w) => {
      const box = await w.canvasBox();
      await w.tab.mouseMove(box.x + 600, box.y + 300);
      await w.tab.mouseDown(1);
      await w.tab.mouseMove(box.x + 400, box.y + 300);
      await w.tab.mouseUp(1);
    });
    assert.deepEqual(flicked, rested);
  });

  test("one finger orbits, two pan, and a pinch zooms as the mouse drags do", async () => {
    const touch = { touch: true };
    const cases = [
      [(w) => w.touch([[[600, 300], [500, 280], [420, 250]]]),
       (w) => w.drag(1, [[600, 300], [500, 280], [420, 250]])],
      // Spread by half the canvas height (656): a middle drag up by it.
      [(w) => w.touch([[[400, 236], [400, 200], [400, 72]], [[400, 364], [400, 400], [400, 528]]]),
       (w) => w.drag(2, [[400, 500], [400, 300], [400, 172]])],
      // Two fingers moved together pan as the right button does.
      [(w) => w.touch([[[300, 300], [280, 320], [260, 340]], [[500, 300], [480, 320], [460, 340]]]),
       (w) => w.drag(3, [[400, 300], [380, 320], [360, 340]])],
    ];
    for (const [byTouch, byMouse] of cases) {
      assert.deepEqual(await pictureAfter(byTouch, touch), await pictureAfter(byMouse, touch));
    }
  });
});
