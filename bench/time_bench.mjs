// Moving in time, in Chromium: the rate at which Run goes "as fast as it
// can" at steps 100, 1,000 and 10,000, against the page before it kept the
// run (BEFORE, its world.html), interleaved round by round; the memory the
// page adds over 1,000 and 10,000 steps; the time from setting the timeline
// to a step to its picture drawn.
//
//   git worktree add /tmp/world-before <commit> &&
//     (cd /tmp/world-before && emcmake cmake -S . -B build-web && cmake --build build-web)
//   node bench/time_bench.mjs /tmp/world-before/build-web/world.html [ROUNDS]
//
// To reach a checkpoint quickly the steps up to 150 before it are taken by
// presses of f sent in a loop, not by Run; after a second's rest Run takes
// the last 150, timed. Each figure is given as the minimum and the median
// of the rounds.

import { launchEngine, openPage, pagePath } from "../tests/web/world_page.mjs";
import { pathToFileURL } from "node:url";

const [before, roundsArg] = process.argv.slice(2);
if (!before) {
  console.error("usage: node bench/time_bench.mjs BEFORE_PAGE [ROUNDS]");
  process.exit(2);
}
const rounds = Number(roundsArg ?? 2);
const checkpoints = [100, 1000, 10000];
const timedSteps = 150;
const jumps = 40;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const n = sorted.length;
  return n % 2 ? sorted[(n - 1) / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
};
const minimum = (values) => Math.min(...values);

// Presses f until `step` steps have been taken, a hundred a task, so that
// the page draws between them as it would.
function stepTo(world, step) {
  return world.evaluate((target) => new Promise((resolve) => {
    const count = () => Number(document.getElementById("step-count").textContent);
    const more = () => {
      for (let i = 0; i < 100 && count() < target; i++) {
        window.dispatchEvent(new KeyboardEvent("keydown", { key: "f" }));
      }
      if (count() < target) setTimeout(more, 0);
      else requestAnimationFrame(() => resolve());
    };
    more();
  }), step);
}

// Steps a second while Run takes the next `count` steps.
function runRate(world, count) {
  return world.evaluate((n) => new Promise((resolve) => {
    const stepCount = () => Number(document.getElementById("step-count").textContent);
    const run = document.getElementById("run");
    const speed = document.getElementById("speed");
    if (speed) {
      speed.value = "0";
      speed.dispatchEvent(new Event("change"));
    }
    const from = stepCount();
    const start = performance.now();
    run.click();
    const check = () => {
      if (stepCount() < from + n) {
        requestAnimationFrame(check);
        return;
      }
      const seconds = (performance.now() - start) / 1000;
      run.click();
      resolve((stepCount() - from) / seconds);
    };
    requestAnimationFrame(check);
  }), count);
}

// The JavaScript heap after a collection, and the WebAssembly memory, in MB.
async function memory(world, cdp) {
  await cdp.send("HeapProfiler.collectGarbage");
  const { usedSize } = await cdp.send("Runtime.getHeapUsage");
  const wasm = await world.evaluate(() => Module.HEAP8.buffer.byteLength);
  return (usedSize + wasm) / 2 ** 20;
}

// Milliseconds from setting the timeline to a step to that step's frame
// drawn and finished by the GL, for steps spread over the run.
function jumpTimes(world, count) {
  return world.evaluate((n) => new Promise((resolve) => {
    const timeline = document.getElementById("timeline");
    const gl = Module.canvas.getContext("webgl2") ?? Module.canvas.getContext("webgl");
    const furthest = Number(timeline.max);
    const pixel = new Uint8Array(4);
    const times = [];
    // Early steps, whose pictures differ, and late ones, which share one.
    const steps = Array.from({ length: n }, (_, i) =>
      i % 2 ? Math.round((i / n) * 86) : Math.round((i / n) * furthest));
    const next = () => {
      if (times.length === steps.length) {
        resolve(times);
        return;
      }
      const drawn = Module.framesDrawn;
      const start = performance.now();
      timeline.value = String(steps[times.length]);
      timeline.dispatchEvent(new Event("input"));
      const check = () => {
        if (Module.framesDrawn === drawn) {
          requestAnimationFrame(check);
          return;
        }
        gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
        times.push(performance.now() - start);
        setTimeout(next, 0);
      };
      requestAnimationFrame(check);
    };
    next();
  }), count);
}

async function measure(browser, url, withHistory) {
  const world = await openPage(browser, { url });
  await world.ready();
  const cdp = await world.tab.page.context().newCDPSession(world.tab.page);
  const start = await memory(world, cdp);
  const found = { rate: {}, addedMB: {} };
  for (const checkpoint of checkpoints) {
    await stepTo(world, checkpoint - timedSteps);
    await new Promise((resolve) => setTimeout(resolve, 1000));
    found.rate[checkpoint] = await runRate(world, timedSteps);
    await world.settle();
    found.addedMB[checkpoint] = (await memory(world, cdp)) - start;
  }
  if (withHistory) found.jumpMs = await jumpTimes(world, jumps);
  await cdp.detach();
  await world.close();
  return found;
}

const browser = await launchEngine("chromium");
const now = pathToFileURL(pagePath).href;
const then = pathToFileURL(before).href;
const figures = { now: [], before: [] };
for (let round = 0; round < rounds; round++) {
  // Alternate which goes first, so that a slow spell of the machine does
  // not always fall on the same side.
  const order = round % 2 ? ["before", "now"] : ["now", "before"];
  for (const which of order) {
    const found = await measure(browser, which === "now" ? now : then, which === "now");
    figures[which].push(found);
    console.error(`round ${round + 1}, ${which}: ${JSON.stringify(found)}`);
  }
}
await browser.close();

const both = (values) => `min ${minimum(values).toFixed(2)}, median ${median(values).toFixed(2)}`;
for (const checkpoint of checkpoints) {
  const nowRates = figures.now.map((f) => f.rate[checkpoint]);
  const ratios = figures.now.map((f, i) => f.rate[checkpoint] / figures.before[i].rate[checkpoint]);
  console.log(`Run at step ${checkpoint}: ${both(nowRates)} steps/s; against before: ${both(ratios)}`);
}
for (const checkpoint of [1000, 10000]) {
  const ratios = figures.now.map((f) => f.rate[checkpoint] / f.rate[1000]);
  if (checkpoint > 1000) console.log(`Run at step ${checkpoint} over step 1000: ${both(ratios)}`);
  console.log(`memory added by step ${checkpoint}: ${both(figures.now.map((f) => f.addedMB[checkpoint]))} MB` +
              ` (before: ${both(figures.before.map((f) => f.addedMB[checkpoint]))} MB)`);
}
const allJumps = figures.now.flatMap((f) => f.jumpMs);
console.log(`jump to a step: min ${minimum(allJumps).toFixed(1)} ms, median ${median(allJumps).toFixed(1)} ms` +
            ` over ${allJumps.length} jumps`);
