// The page as a whole: how it is opened, what it says when it cannot run,
// when it draws, and a lost GL context or a high-resolution screen.

import assert from "node:assert/strict";
import { createServer } from "node:http";
import { readFileSync } from "node:fs";
import { after, before, test } from "node:test";

import { launch, litPixels, openPage, pagePath } from "./world_page.mjs";

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

async function failureOf(options, flags) {
  const own = flags ? await launch(flags) : null;
  const world = await openPage(own ?? browser, options);
  await world.ready();
  const status = await world.status();
  await (own ? own.close() : world.page.context().close());
  return status;
}

test("opened from disk and from a local server alike", async () => {
  const server = createServer((request, response) => {
    response.writeHead(200, { "Content-Type": "text/html" });
    response.end(readFileSync(pagePath));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  try {
    for (const url of [undefined, `http://127.0.0.1:${server.address().port}/world.html`]) {
      const world = await openPage(browser, { url });
      await world.ready();
      assert.equal(await world.page.title(), "World");
      assert.equal(await world.status(), "");
      await world.step(2);
      assert.equal(await world.lineCount(), 22);
      assert.deepEqual(world.errors, []);
      await world.page.context().close();
    }
  } finally {
    server.close();
  }
});

test("what the page says when it cannot run", async () => {
  assert.match(await failureOf({}, ["--disable-webgl", "--disable-3d-apis"]),
               /^World needs WebGL, which this browser does not offer/);
  // The heap cannot grow, so the lattice does not fit.
  const noMemory = () => {
    WebAssembly.Memory.prototype.grow = () => { throw new RangeError("no memory here"); };
  };
  assert.match(await failureOf({ before: noMemory }),
               /^World ran out of memory while building the lattice/);
  const noWasm = () => {
    const refuse = () => Promise.reject(new Error("refused by the test"));
    WebAssembly.instantiate = refuse;
    WebAssembly.instantiateStreaming = refuse;
  };
  assert.match(await failureOf({ before: noWasm }), /^World could not start: .*refused by the test/);
});

// Counts the page's draws: two a frame, the cube and the points.
function countDraws() {
  window.draws = 0;
  for (const gl of [WebGLRenderingContext, WebGL2RenderingContext]) {
    const drawArrays = gl.prototype.drawArrays;
    gl.prototype.drawArrays = function (...args) {
      window.draws++;
      return drawArrays.apply(this, args);
    };
  }
}

test("it draws only when the picture changes, at most 40 times a second", async () => {
  const world = await openPage(browser, { before: countDraws });
  await world.ready();
  const draws = () => world.page.evaluate(() => window.draws);
  assert.equal(await draws(), 2, "the first frame");
  await world.page.waitForTimeout(1000);
  assert.equal(await draws(), 2, "an untouched page draws nothing");

  // A second of motion, one move every 5 ms.
  const box = await world.canvasBox();
  const mouse = world.page.mouse;
  await mouse.move(box.x + 600, box.y + 300);
  await mouse.down();
  const start = Date.now();
  for (let x = 600; Date.now() - start < 1000; x -= 1) {
    await mouse.move(box.x + x, box.y + 300);
    await world.page.waitForTimeout(5);
  }
  const seconds = (Date.now() - start) / 1000;
  await mouse.up();
  await world.settle();
  const frames = (await draws()) / 2 - 1;
  assert.ok(frames >= 5, `${frames} frames`);
  assert.ok(frames <= 40 * seconds + 1, `${frames} frames in ${seconds} s`);

  await world.step();
  assert.equal((await draws()) / 2 - 1, frames + 1, "a step draws once");
});

test("a lost GL context comes back with the same picture", async () => {
  const world = await openPage(browser);
  await world.ready();
  await world.step(20);
  const before = await world.picture();
  await world.page.evaluate(async () => {
    const canvas = document.getElementById("canvas");
    const lose = (canvas.getContext("webgl2") ?? canvas.getContext("webgl"))
      .getExtension("WEBGL_lose_context");
    lose.loseContext();
    await new Promise((resolve) => setTimeout(resolve, 100));
    lose.restoreContext();
  });
  await world.page.waitForTimeout(500);
  assert.deepEqual((await world.picture()).pixels, before.pixels);
  assert.deepEqual(world.errors, []);
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
    const world = await openPage(browser, { before });
    await world.ready();
    await world.step(20);
    await world.drag(1, [[500, 300], [420, 260]]);
    const version = await world.page.evaluate(() => {
      const canvas = document.getElementById("canvas");
      return canvas.getContext("webgl2") ? 2 : canvas.getContext("webgl") ? 1 : 0;
    });
    seen.push({ version, picture: await world.picture() });
    await world.page.context().close();
  }
  assert.deepEqual(seen.map((s) => s.version), [2, 1]);
  assert.deepEqual(seen[1].picture.pixels, seen[0].picture.pixels);
});

test("on a screen of twice the resolution the picture is drawn at it", async () => {
  const sharp = await openPage(browser, { context: { deviceScaleFactor: 2 } });
  await sharp.ready();
  await sharp.step(20);
  const plain = await openPage(browser);
  await plain.ready();
  await plain.step(20);
  const size = await sharp.page.$eval("#canvas", (c) => [c.width, c.height, c.clientWidth]);
  assert.deepEqual(size, [1600, 1200, 800]);
  const fine = await sharp.page.locator("#canvas").screenshot({ scale: "device" });
  const picture = await sharp.pictureOf(fine);
  assert.equal(picture.width, 1600);
  // Points twice the size in each direction cover four times the pixels.
  const ratio = litPixels(picture) / litPixels(await plain.picture());
  assert.ok(ratio > 3.6 && ratio < 4.4, `${ratio}`);
});
