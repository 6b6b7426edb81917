// Drives the page in headless Chromium as a user would: real key presses,
// mouse drags and touches, the canvas read back from screenshots.
//
// WORLD_PAGE names the page (build-web/world.html), DESKTOP_VIEWS the folder
// in which desktop_views.py left what the desktop program showed and printed.

import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

import { chromium } from "playwright-core";

const here = dirname(fileURLToPath(import.meta.url));
export const root = resolve(here, "..", "..");
export const pagePath = process.env.WORLD_PAGE ?? join(root, "build-web", "world.html");
export const pageUrl = pathToFileURL(pagePath).href;
export const desktopViews = process.env.DESKTOP_VIEWS ?? join(root, "build-web", "desktop");
export const views = JSON.parse(readFileSync(join(here, "views.json"), "utf8"));

export const WIDTH = 800;
export const HEIGHT = 600;

// Without the networking flags Chromium keeps trying hosts it cannot reach.
const CHROMIUM_FLAGS = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

export async function launch(extraFlags = []) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    args: [...CHROMIUM_FLAGS, ...extraFlags],
  });
}

// A page of its own in a new context; `before`, if given, runs in the page
// before its own script does.
export async function openPage(browser, { url = pageUrl, context = {}, before } = {}) {
  const ctx = await browser.newContext({ viewport: { width: 1200, height: 700 }, ...context });
  const page = await ctx.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  if (before) await page.addInitScript(before);
  await page.goto(url);
  return new WorldPage(page, errors);
}

export class WorldPage {
  constructor(page, errors) {
    this.page = page;
    this.errors = errors;
  }

  // Resolves once the program has started and drawn, or a message says why not.
  async ready() {
    await this.page.waitForFunction(
      () => document.getElementById("status").textContent !== "" ||
        (window.Module && window.Module.calledRun),
      null, { timeout: 30000 });
    await this.settle();
  }

  status() {
    return this.page.textContent("#status");
  }

  lines() {
    return this.page.$eval("#lines", (panel) => panel.textContent);
  }

  async lineCount() {
    return (await this.lines()).split("\n").length - 1;
  }

  // Presses the key `times` times and waits for every step's eleven lines.
  async step(times = 1, key = "f") {
    const expected = (await this.lineCount()) + 11 * times;
    for (let i = 0; i < times; i++) await this.page.keyboard.press(key);
    await this.page.waitForFunction(
      (count) => document.getElementById("lines").textContent.split("\n").length - 1 >= count,
      expected, { timeout: 60000 });
    await this.settle();
  }

  async canvasBox() {
    return this.page.locator("#canvas").boundingBox();
  }

  // A drag between canvas positions, released once its last move is drawn.
  async drag(button, points) {
    const box = await this.canvasBox();
    const name = ["left", "middle", "right"][button - 1];
    const mouse = this.page.mouse;
    const [start, ...rest] = points;
    await mouse.move(box.x + start[0], box.y + start[1]);
    await mouse.down({ button: name });
    for (const [x, y] of rest) await mouse.move(box.x + x, box.y + y, { steps: 4 });
    await this.settle();
    await mouse.up({ button: name });
  }

  // Touches the canvas through the browser's touch events: each gesture is a
  // list of fingers, each finger a list of canvas positions, moved together.
  async touch(fingers) {
    const box = await this.canvasBox();
    const cdp = await this.page.context().newCDPSession(this.page);
    const at = (step) => fingers.map((path, id) => ({
      x: box.x + path[Math.min(step, path.length - 1)][0],
      y: box.y + path[Math.min(step, path.length - 1)][1], id,
    }));
    const steps = Math.max(...fingers.map((path) => path.length));
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: at(0) });
    for (let step = 1; step < steps; step++) {
      await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: at(step) });
    }
    await this.settle();
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await cdp.detach();
  }

  // Waits for the drawing to catch up: a few frame periods with no new frame.
  async settle() {
    await this.page.waitForTimeout(250);
  }

  // The canvas as the browser shows it, as 8-bit RGB, in page pixels.
  async picture() {
    return this.pictureOf(await this.page.locator("#canvas").screenshot({ scale: "css" }));
  }

  pictureOf(png) {
    return decodeWithConvert(png, "png");
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
  const ppm = execFileSync("convert", [`${format}:-`, "-depth", "8", "ppm:-"], { input: data, maxBuffer: 64 << 20 });
  const header = ppm.subarray(0, 64).toString("latin1").match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  if (!header) throw new Error("convert wrote no 8-bit PPM");
  const [whole, width, height] = header;
  return { width: Number(width), height: Number(height), pixels: ppm.subarray(whole.length) };
}

const lit = (p, i) => p[i] || p[i + 1] || p[i + 2];

// Whether some pixel at most one away in `other` has the colour of pixel
// (x, y) of `picture`, within one level a channel.
function hasNeighbour(picture, other, x, y) {
  const i = 3 * (y * picture.width + x);
  const p = picture.pixels;
  const q = other.pixels;
  for (let ny = Math.max(0, y - 1); ny <= Math.min(other.height - 1, y + 1); ny++) {
    for (let nx = Math.max(0, x - 1); nx <= Math.min(other.width - 1, x + 1); nx++) {
      const j = 3 * (ny * other.width + nx);
      if (Math.abs(p[i] - q[j]) <= 1 && Math.abs(p[i + 1] - q[j + 1]) <= 1 &&
          Math.abs(p[i + 2] - q[j + 2]) <= 1) {
        return true;
      }
    }
  }
  return false;
}

// How two pictures of the same scene differ: the lit pixels of each that
// have no pixel of their colour at most one pixel away in the other, and
// the pixels that differ at all in place.
export function compare(a, b) {
  if (a.width !== b.width || a.height !== b.height) {
    throw new Error(`sizes differ: ${a.width} x ${a.height} and ${b.width} x ${b.height}`);
  }
  let unmatched = 0;
  let differing = 0;
  for (let y = 0; y < a.height; y++) {
    for (let x = 0; x < a.width; x++) {
      const i = 3 * (y * a.width + x);
      if (a.pixels[i] !== b.pixels[i] || a.pixels[i + 1] !== b.pixels[i + 1] ||
          a.pixels[i + 2] !== b.pixels[i + 2]) {
        differing++;
      }
      if (lit(a.pixels, i) && !hasNeighbour(a, b, x, y)) unmatched++;
      if (lit(b.pixels, i) && !hasNeighbour(b, a, x, y)) unmatched++;
    }
  }
  return { unmatched, differing, share: differing / (a.width * a.height) };
}

export function litPixels(picture) {
  let count = 0;
  for (let i = 0; i < picture.pixels.length; i += 3) count += lit(picture.pixels, i) ? 1 : 0;
  return count;
}
