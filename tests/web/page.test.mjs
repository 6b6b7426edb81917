// The page as a whole: how it is opened, what it says when it cannot run,
// when it draws, and a lost GL context or a high-resolution screen.

import assert from "node:assert/strict";
import { createServer } from "node:http";
import { readFileSync } from "node:fs";

import { litPixels } from "./picture_match.mjs";
import { inEachEngine, openPage, pagePath, pageUrl } from "./world_page.mjs";

// Counts the page's frames, each of which draws the marker cube's triangles
// once, and the browser's animation frames.
function countFrames() {
  window.frames = 0;
  window.ticks = 0;
  const tick = () => {
    window.ticks++;
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
  for (const gl of [WebGLRenderingContext, WebGL2RenderingContext]) {
    const drawArrays = gl.prototype.drawArrays;
    gl.prototype.drawArrays = function (mode, ...rest) {
      if (mode === this.TRIANGLES) window.frames++;
      return drawArrays.call(this, mode, ...rest);
    };
  }
}

inEachEngine((test, engine) => {
  async function statusOf(options) {
    const world = await openPage(engine.browser, options);
    await world.ready();
    const status = await world.status();
    await world.close();
    return status;
  }

  test("opened from disk and from a local server alike", async () => {
    const server = createServer((request, response) => {
      response.writeHead(200, { "Content-Type": "text/html" });
      response.end(readFileSync(pagePath));
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    try {
      for (const url of [pageUrl, `http://127.0.0.1:${server.address().port}/world.html`]) {
        const world = await openPage(engine.browser, { url });
        await world.ready();
        assert.equal(await world.evaluate(() => document.title), "World");
        assert.equal(await world.status(), "");
        await world.step(2);
        assert.equal(await world.lineCount(), 22);
        await world.close();
      }
    } finally {
      server.close();
    }
  });

  test("without WebGL the page says so in place of the picture", async () => {
    const browser = await engine.launch({ noWebGl: true });
    try {
      const world = await openPage(browser);
      await world.ready();
      assert.match(await world.status(), /^World needs WebGL, which this browser does not offer/);
      assert.deepEqual(await world.evaluate(() => [
        getComputedStyle(document.getElementById("canvas")).display,
        ...["step", "run", "save"].map((id) => document.getElementById(id).disabled),
      ]), ["none", true, true, true]);
      await world.close();
    } finally {
      await browser.close();
    }
  });

  test("without memory or WebAssembly the page says so", async () => {
    // The heap cannot grow, so the lattice does not fit.
    const noMemory = () => {
      WebAssembly.Memory.prototype.grow = () => { throw new RangeError("no memory here"); };
    };
    assert.match(await statusOf({ before: noMemory }),
                 /^World ran out of memory while building the lattice/);
    const noWasm = () => {
      const refuse = () => Promise.reject(new Error("refused by the test"));
      WebAssembly.instantiate = refuse;
      WebAssembly.instantiateStreaming = refuse;
    };
    assert.match(await statusOf({ before: noWasm }), /^World could not start: .*refused by the test/);
  });

  test("it draws only when the picture changes, once an animation frame at most", async () => {
    const world = await openPage(engine.browser, { before: countFrames });
    await world.ready();
    const drawn = () => world.evaluate(() => window.frames);
    assert.equal(await drawn(), 1, "the first frame");
    await new Promise((resolve) => setTimeout(resolve, 1000));
    assert.equal(await drawn(), 1, "an untouched page draws nothing");

    // A second of motion, one move every 5 ms.
    const box = await world.canvasBox();
    await world.tab.mouseMove(box.x + 600, box.y + 300);
    await world.tab.mouseDown(1);
    const start = Date.now();
    for (let x = 600; Date.now() - start < 1000; x -= 1) {
      await world.tab.mouseMove(box.x + x, box.y + 300);
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    const seconds = (Date.now() - start) / 1000;
    await world.tab.mouseUp(1);
    await world.settle();
    const frames = (await drawn()) - 1;
    const ticks = await world.evaluate(() => window.ticks);
    assert.ok(frames >= 5, `${frames} frames`);
    assert.ok(frames <= ticks, `${frames} frames in ${ticks} animation frames, ${seconds} s`);

    await world.step();
    assert.equal((await drawn()) - 1, frames + 1, "a step draws once");
    await world.close();
  });

  test("a lost GL context comes back with the same picture, or the page says why not",
       async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    await world.step(20);
    const before = await world.picture();
    const drawn = await world.framesDrawn();
    await world.evaluate(async () => {
      const canvas = document.getElementById("canvas");
      const lose = (canvas.getContext("webgl2") ?? canvas.getContext("webgl"))
        .getExtension("WEBGL_lose_context");
      const lost = new Promise((resolve) => canvas.addEventListener("webglcontextlost", resolve,
                                                                    { once: true }));
      lose.loseContext();
      // A restore is allowed once the event has been handled in full.
      await lost.then(() => new Promise((resolve) => setTimeout(resolve, 0)));
      lose.restoreContext();
    });
    await world.settle(drawn);
    assert.deepEqual((await world.picture()).pixels, before.pixels);
    assert.deepEqual(await world.errors(), []);
    await world.close();

    // The shaders no longer compile when the context comes back.
    const failing = await openPage(engine.browser, { before: () => {
      window.worldLog = [];
      const error = console.error;
      console.error = (...parts) => {
        window.worldLog.push(parts.join(" "));
        error(...parts);
      };
    } });
    await failing.ready();
    await failing.evaluate(async () => {
      const canvas = document.getElementById("canvas");
      const gl = canvas.getContext("webgl2") ?? canvas.getContext("webgl");
      const lose = gl.getExtension("WEBGL_lose_context");
      const lost = new Promise((resolve) => canvas.addEventListener("webglcontextlost", resolve,
                                                                    { once: true }));
      lose.loseContext();
      await lost.then(() => new Promise((resolve) => setTimeout(resolve, 0)));
      gl.constructor.prototype.compileShader = () => {};
      lose.restoreContext();
    });
    await failing.waitFor(() => document.getElementById("status").textContent !== "");
    assert.match(await failing.status(), /could not get it back/);
    assert.match((await failing.evaluate(() => window.worldLog)).join("\n"),
                 /the vertex shader failed/);
    await failing.close();
  });

  test("with WebGL 1 alone the picture is the same", async () => {
    const onlyOne = () => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
        return type === "webgl2" ? null : getContext.call(this, type, ...rest);
      };
    };
    const seen = [];
    for (const before of [undefined, onlyOne]) {
      const world = await openPage(engine.browser, { before });
      await world.ready();
      await world.step(20);
      await world.drag(1, [[500, 300], [420, 260]]);
      const version = await world.evaluate(() => {
        const canvas = document.getElementById("canvas");
        return canvas.getContext("webgl2") ? 2 : canvas.getContext("webgl") ? 1 : 0;
      });
      seen.push({ version, picture: await world.picture() });
      assert.deepEqual(await world.errors(), []);
      await world.close();
    }
    assert.deepEqual(seen.map((s) => s.version), [2, 1]);
    assert.deepEqual(seen[1].picture.pixels, seen[0].picture.pixels);
  });

  const canvasSizes = () => {
    const canvas = document.getElementById("canvas");
    return [canvas.width, canvas.height, canvas.clientWidth, canvas.clientHeight];
  };

  test("on a screen of twice the resolution the picture is drawn at it", async () => {
    const sharp = await openPage(engine.browser, { deviceScaleFactor: 2 });
    await sharp.ready();
    await sharp.step(20);
    assert.deepEqual(await sharp.evaluate(canvasSizes), [1632, 1312, 816, 656]);
    const fine = await sharp.picture(true);
    assert.equal(fine.width, 1632);
    await sharp.close();
    const plain = await openPage(engine.browser);
    await plain.ready();
    await plain.step(20);
    // Points twice the size in each direction cover four times the pixels.
    const ratio = litPixels(fine) / litPixels(await plain.picture());
    assert.ok(ratio > 3.6 && ratio < 4.4, `${ratio}`);
    await plain.close();
  });

  test("moved to a screen of another resolution, it draws at that one", async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    await world.setPixelRatio(2);
    // Some browsers tell the page of it, others only show the new ratio.
    await world.step();
    await world.waitFor(() => document.getElementById("canvas").width === 1632);
    assert.deepEqual(await world.evaluate(canvasSizes), [1632, 1312, 816, 656]);
    await world.close();
  });
});
