// Drives the page as a user would, in any of the three browser engines:
// real key presses, mouse drags, the wheel and touches, the canvas read back
// from screenshots. The tests see only this layer; engines/ holds one driver
// an engine.
//
// WORLD_PAGE names the page (build-web/world.html), DESKTOP_VIEWS the folder
// in which desktop_views.py left what the desktop program showed and printed,
// WORLD_ENGINES the engines to run in (chromium,firefox,webkit, the default).

import { execFileSync } from "node:child_process";
import { createHash } from "node:crypto";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { after, before, describe, test } from "node:test";

import * as chromium from "./engines/chromium.mjs";
import * as firefox from "./engines/firefox.mjs";
import { Unsupported } from "./engines/unsupported.mjs";
import * as webkit from "./engines/webkit.mjs";

const here = dirname(fileURLToPath(import.meta.url));
export const root = resolve(here, "..", "..");
export const pagePath = process.env.WORLD_PAGE ?? join(root, "build-web", "world.html");
export const pageUrl = pathToFileURL(pagePath).href;
export const desktopViews = process.env.DESKTOP_VIEWS ?? join(root, "build-web", "desktop");
export const views = JSON.parse(readFileSync(join(here, "views.json"), "utf8"));

const drivers = { chromium, firefox, webkit };
export const engineNames = (process.env.WORLD_ENGINES || Object.keys(drivers).join(","))
  .split(",").map((name) => name.trim());
for (const name of engineNames) {
  if (!drivers[name]) throw new Error(`WORLD_ENGINES: no engine "${name}"`);
}

export function launchEngine(name, options) {
  return drivers[name].launch(options);
}

// Registers the tests that `body` defines once for each engine, with the
// engine's name at the end of each test's name. body(test, engine) gets a
// `test` that skips, saying why, where the engine cannot do what it asks,
// and the engine, whose `browser` is launched before its tests run.
export function inEachEngine(body) {
  for (const name of engineNames) {
    describe(name, () => {
      const engine = { name, browser: null, launch: (options) => launchEngine(name, options) };
      before(async () => { engine.browser = await launchEngine(name); });
      after(() => engine.browser?.close());
      const engineTest = (title, fn) => test(`${title} [${name}]`, async (t) => {
        try {
          await fn(t);
        } catch (error) {
          if (!(error instanceof Unsupported)) throw error;
          t.skip(`${name}: ${error.message}`);
        } finally {
          // What a failed or skipped test left open.
          await Promise.all([...openPages].map((page) => page.close()));
        }
      });
      body(engineTest, engine);
    });
  }
}

// Errors in the page and unhandled rejections, kept where a test can read
// them in every engine.
const ERROR_WATCH = `window.worldErrors = [];
window.addEventListener("error", (e) => window.worldErrors.push(String(e.message)));
window.addEventListener("unhandledrejection", (e) => window.worldErrors.push(String(e.reason)));`;

// A copy of the page on disk with `prelude`, a function's source, run before
// the page's own script.
function pageWith(prelude) {
  const source = `<script>${ERROR_WATCH}\n(${prelude ?? "() => {}"})();</script>`;
  const dir = join(tmpdir(), "world-pages");
  mkdirSync(dir, { recursive: true });
  const page = readFileSync(pagePath, "utf8").replace("<head>", () => `<head>\n${source}`);
  // Named by what it holds, so that runs of other pages never share one.
  const file = join(dir, `${createHash("sha1").update(page).digest("hex")}.html`);
  writeFileSync(file, page);
  return pathToFileURL(file).href;
}

// A page of its own, `width` x `height` page pixels. `url`, if given, is
// opened as it is; otherwise a copy of the page, with `before`, if given,
// run ahead of its own script.
export async function openPage(browser, {
  url, before: prelude, width = 1200, height = 700, deviceScaleFactor = 1, touch = false,
} = {}) {
  const tab = await browser.open({ width, height, deviceScaleFactor, touch });
  try {
    await tab.goto(url ?? pageWith(prelude && prelude.toString()));
  } catch (error) {
    await tab.close();
    throw error;
  }
  return new WorldPage(tab);
}

const openPages = new Set();
const axeSource = readFileSync(join(here, "node_modules", "axe-core", "axe.min.js"), "utf8");

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

export class WorldPage {
  constructor(tab) {
    this.tab = tab;
    openPages.add(this);
  }

  evaluate(fn, arg) {
    return this.tab.evaluate(fn, arg);
  }

  // Polls fn(arg) in the page until it is true.
  async waitFor(fn, arg, timeout = 30000) {
    const deadline = Date.now() + timeout;
    while (!(await this.evaluate(fn, arg))) {
      if (Date.now() > deadline) throw new Error(`timed out waiting for ${fn}`);
      await sleep(50);
    }
  }

  // Resolves once the program has drawn its first frame, or a message says
  // why it cannot.
  async ready() {
    await this.waitFor(() => document.getElementById("status").textContent !== "" ||
      window.Module?.framesDrawn > 0);
    await this.settle();
  }

  // What went wrong in the page (only in the copies openPage makes).
  errors() {
    return this.evaluate(() => window.worldErrors ?? []);
  }

  status() {
    return this.evaluate(() => document.getElementById("status").textContent);
  }

  lines() {
    return this.evaluate(() => document.getElementById("lines").textContent);
  }

  async lineCount() {
    return (await this.lines()).split("\n").length - 1;
  }

  press(key) {
    return this.tab.press(key);
  }

  click(selector) {
    return this.tab.click(selector);
  }

  // The number of the step shown.
  async shown() {
    return Number(await this.evaluate(() => document.getElementById("step-count").textContent));
  }

  // Presses the key `times` times and waits for the step that many on to be
  // shown and drawn.
  async step(times = 1, key = "f") {
    const expected = (await this.shown()) + times;
    const drawn = await this.framesDrawn();
    for (let i = 0; i < times; i++) await this.tab.press(key);
    await this.waitFor(
      (count) => Number(document.getElementById("step-count").textContent) >= count,
      expected, 60000);
    await this.settle(drawn);
  }

  // How many frames the page has drawn.
  framesDrawn() {
    return this.evaluate(() => window.Module?.framesDrawn ?? 0);
  }

  // Waits for the drawing to catch up with what was done: until two of the
  // browser's animation frames have passed, so that input sent before has
  // been handled, and no frame the page asked for is still to be drawn.
  // With `since`, a count of frames drawn, also until a frame newer than it
  // has been drawn, unless the page has stopped drawing for good (q, or a
  // failure). Fails after `timeout` ms.
  async settle(since = -1, timeout = 30000) {
    const drawn = await this.evaluate(({ since, timeout }) => new Promise((resolve) => {
      const deadline = performance.now() + timeout;
      let passed = 0;
      const check = () => {
        const caughtUp = ++passed >= 2 && !Module.frameDue &&
          (Module.framesDrawn > since || Module.drawingEnded);
        if (caughtUp || performance.now() > deadline) resolve(caughtUp);
        else requestAnimationFrame(check);
      };
      requestAnimationFrame(check);
    }), { since, timeout });
    if (!drawn) {
      throw new Error(`the page drew no frame newer than ${since} within ${timeout} ms, ` +
                      "or one it asked for is still to be drawn");
    }
  }

  canvasBox() {
    return this.evaluate(() => {
      const { x, y, width, height } = document.getElementById("canvas").getBoundingClientRect();
      return { x, y, width, height };
    });
  }

  // A drag between canvas positions with `button` (1 left, 2 middle, 3
  // right) and `modifiers` held, released once its last move is drawn.
  async drag(button, points, modifiers = []) {
    const box = await this.canvasBox();
    const drawn = await this.framesDrawn();
    const [start, ...rest] = points;
    const moves = rest.some(([x, y]) => x !== start[0] || y !== start[1]);
    for (const modifier of modifiers) await this.tab.keyDown(modifier);
    await this.tab.mouseMove(box.x + start[0], box.y + start[1]);
    await this.tab.mouseDown(button);
    let [x, y] = start;
    for (const [toX, toY] of rest) {
      // A few moves on the way, as a hand makes them.
      for (let i = 1; i <= 4; i++) {
        await this.tab.mouseMove(box.x + x + ((toX - x) * i) / 4, box.y + y + ((toY - y) * i) / 4);
      }
      [x, y] = [toX, toY];
    }
    await this.settle(moves ? drawn : -1);
    await this.tab.mouseUp(button);
    for (const modifier of modifiers.reverse()) await this.tab.keyUp(modifier);
    await this.settle();
  }

  // The wheel turned over canvas position (x, y).
  async wheel(x, y, dx, dy) {
    const box = await this.canvasBox();
    await this.tab.wheel(box.x + x, box.y + y, dx, dy);
  }

  // Touches the canvas: each finger a list of canvas positions, the fingers
  // moved together and lifted once the last move is drawn.
  async touch(fingers) {
    const box = await this.canvasBox();
    const onPage = fingers.map((path) => path.map(([x, y]) => [box.x + x, box.y + y]));
    const drawn = await this.framesDrawn();
    await this.tab.touch(onPage, () => this.settle(drawn));
    await this.settle();
  }

  // The canvas as the browser shows it, once drawn, as 8-bit RGB, in page
  // pixels, or with `device`, in device pixels.
  async picture(device = false) {
    await this.settle();
    const box = await this.canvasBox();
    return decodeWithConvert(await this.tab.screenshot(box, device), "png");
  }

  setPixelRatio(ratio) {
    return this.tab.setPixelRatio(ratio);
  }

  // What axe-core finds wrong with the page: its violations' ids.
  async accessibilityViolations() {
    await this.evaluate((source) => {
      const script = document.createElement("script");
      script.textContent = source;
      document.head.append(script);
    }, axeSource);
    return this.evaluate(async () => {
      const { violations } = await window.axe.run(document);
      return violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(", ")}`);
    });
  }

  // The file that clicking `selector` downloads: { name, data }.
  download(selector) {
    return this.tab.download(selector);
  }

  close() {
    if (!openPages.delete(this)) return undefined;
    return this.tab.close();
  }

  // Runs the steps, drags and pictures of one run of views.json; returns the
  // pictures and lines by name.
  async perform(actions) {
    const found = {};
    for (const action of actions) {
      if (action.steps) await this.step(action.steps);
      else if (action.drag) await this.drag(action.drag[0], action.drag.slice(1));
      else if (action.shot) found[action.shot] = await this.picture();
      else if (action.lines) found[action.lines] = await this.lines();
    }
    return found;
  }
}

export function desktopPicture(name) {
  return decodeWithConvert(readFileSync(join(desktopViews, `${name}.ppm`)), "ppm");
}

export function desktopLines(name) {
  return readFileSync(join(desktopViews, `${name}.txt`), "utf8");
}

// Any picture ImageMagick reads, as { width, height, pixels } with 3 bytes a
// pixel.
function decodeWithConvert(data, format) {
  const ppm = execFileSync("convert", [`${format}:-`, "-depth", "8", "ppm:-"],
                           { input: data, maxBuffer: 64 << 20 });
  const header = ppm.subarray(0, 64).toString("latin1").match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  if (!header) throw new Error("convert wrote no 8-bit PPM");
  const [whole, width, height] = header;
  return { width: Number(width), height: Number(height), pixels: ppm.subarray(whole.length) };
}
