// The page against the desktop program, interleaved in one run, in each
// engine of WORLD_ENGINES (default chromium,firefox,webkit) with the renderer
// it draws with: a step in the page against the native step, a frame while
// orbiting after 45 steps against the desktop program's frame on llvmpipe,
// the frame rate of a drag, the time from loading to the first frame, and
// the page's size.
//
//   scripts/web.sh --test && cmake --build build --target step_bench frame_bench
//   node bench/web_bench.mjs [ROUNDS]
//
// Each figure is given as the minimum and the median of the rounds.

import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { gzipSync } from "node:zlib";

import { engineNames, launchEngine, openPage, pagePath, root } from "../tests/web/world_page.mjs";

const rounds = Number(process.argv[2] ?? 5);
const benchDir = join(root, "build", "bench");

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const n = sorted.length;
  return n % 2 ? sorted[(n - 1) / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
};
const minimum = (values) => Math.min(...values);

function googleBenchmark(program, filter, counter, underX = false) {
  const command = [join(benchDir, program), `--benchmark_filter=${filter}`,
                   "--benchmark_format=json"];
  const [file, ...args] = underX
    ? ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", ...command] : command;
  const report = JSON.parse(execFileSync(file, args, { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }));
  return report.benchmarks[0][counter];
}

// Mean milliseconds of steps 1 to 60 from a fresh page, as BM_Step counts
// them: the key's handler runs the step before dispatchEvent returns.
async function pageStep(browser) {
  const world = await openPage(browser);
  await world.ready();
  const ms = await world.evaluate(() => {
    const start = performance.now();
    for (let i = 0; i < 60; i++) window.dispatchEvent(new KeyboardEvent("keydown", { key: "f" }));
    return (performance.now() - start) / 60;
  });
  await world.close();
  return ms;
}

// Milliseconds a step costs as a user sees it, clicked on Step and waited
// for on the next frame, the lines panel included: over steps 1 to 10 and
// over steps 291 to 300. The cost must not grow with the run.
async function pageStepsWithPanel(browser) {
  const world = await openPage(browser);
  await world.ready();
  const timed = (count) => world.evaluate(async (n) => {
    const step = document.getElementById("step");
    const start = performance.now();
    for (let i = 0; i < n; i++) {
      step.click();
      // The step's frame, its panel update and the layout after them.
      await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 0)));
    }
    return (performance.now() - start) / n;
  }, count);
  const early = await timed(10);
  await timed(280);
  const late = await timed(10);
  await world.close();
  return { early, late };
}

// Times each frame from its first draw to the GL's end of its last, and
// notes when the first frame was done. Reading a pixel back waits for the
// GL, in the browser's GPU process, to finish the frame.
function timeFrames() {
  window.frameMs = [];
  const pixel = new Uint8Array(4);
  for (const gl of [WebGLRenderingContext, WebGL2RenderingContext]) {
    const drawArrays = gl.prototype.drawArrays;
    gl.prototype.drawArrays = function (mode, ...rest) {
      if (mode === this.TRIANGLES) window.frameStart = performance.now();
      drawArrays.call(this, mode, ...rest);
      // The points of a frame come after its cube; those drawn before any
      // cube are the page's probe of the rasterizer.
      if (mode === this.POINTS && window.frameStart !== undefined) {
        this.readPixels(0, 0, 1, 1, this.RGBA, this.UNSIGNED_BYTE, pixel);
        window.frameMs.push(performance.now() - window.frameStart);
        window.firstFrameAt ??= performance.now();
      }
    };
  }
}

// An orbit drag after 45 steps for three seconds: frames per second, and
// the median frame time when `timed`. The pointer moves a pixel every 5 ms,
// as a mouse reports it; moves sent through the browser's remote control
// wait for a frame each and would limit the rate themselves (about 20 a
// second here).
async function pageDrag(browser, timed) {
  const world = await openPage(browser, { before: timed ? timeFrames : countFrames });
  await world.ready();
  await world.evaluate(() => {
    for (let i = 0; i < 45; i++) window.dispatchEvent(new KeyboardEvent("keydown", { key: "f" }));
  });
  await world.settle();
  const loadMs = await world.evaluate(() => window.firstFrameAt);
  const box = await world.canvasBox();
  await world.tab.mouseMove(box.x + 700, box.y + 300);
  await world.tab.mouseDown(1);
  const { fps, frames } = await world.evaluate(({ left, top }) => new Promise((resolve) => {
    const times = () => window.frameMs ?? window.frames;
    const before = times().length;
    const start = performance.now();
    let x = 700;
    const mover = setInterval(() => {
      x = x > 100 ? x - 1 : 700;
      window.dispatchEvent(new MouseEvent("mousemove", { clientX: left + x, clientY: top + 300 }));
      const seconds = (performance.now() - start) / 1000;
      if (seconds < 3) return;
      clearInterval(mover);
      resolve({ fps: (times().length - before) / seconds, frames: times().slice(before) });
    }, 5);
  }), { left: box.x, top: box.y });
  await world.tab.mouseUp(1);
  await world.close();
  return { fps, frameMs: timed ? median(frames) : NaN, loadMs };
}

function countFrames() {
  window.frames = [];
  for (const gl of [WebGLRenderingContext, WebGL2RenderingContext]) {
    const drawArrays = gl.prototype.drawArrays;
    gl.prototype.drawArrays = function (mode, ...rest) {
      drawArrays.call(this, mode, ...rest);
      // A frame draws the cube first, then its points.
      if (mode === this.TRIANGLES) {
        window.frames.push(performance.now());
        window.firstFrameAt ??= performance.now();
      }
    };
  }
}

const browsers = {};
for (const name of engineNames) browsers[name] = await launchEngine(name);
const figures = { nativeStepMs: [], nativeFrameMs: [], nativeFps: [] };
for (const name of engineNames) {
  figures[name] = { stepRatio: [], frameRatio: [], fps: [], loadMs: [], pageStepMs: [],
                    pageFrameMs: [], early: [], late: [], growth: [] };
}
for (let round = 0; round < rounds; round++) {
  // Alternate which goes first, so that a slow spell of the machine does
  // not always fall on the same side.
  const native = () => {
    const stepMs = googleBenchmark("step_bench", "^BM_Step/", "ms_per_step");
    const frameMs = googleBenchmark("frame_bench", "^BM_Frame/45/", "ms_median", true);
    const fps = googleBenchmark("frame_bench", "^BM_DragFrameRate/45/", "frames_per_s", true);
    return { stepMs, frameMs, fps };
  };
  const page = async (browser) => {
    const stepMs = await pageStep(browser);
    const timed = await pageDrag(browser, true);
    const counted = await pageDrag(browser, false);
    const { early, late } = await pageStepsWithPanel(browser);
    return { stepMs, frameMs: timed.frameMs, fps: counted.fps, loadMs: counted.loadMs, early, late };
  };
  const pages = {};
  const runPages = async () => {
    for (const name of engineNames) pages[name] = await page(browsers[name]);
  };
  let n;
  if (round % 2) {
    await runPages();
    n = native();
  } else {
    n = native();
    await runPages();
  }
  figures.nativeStepMs.push(n.stepMs);
  figures.nativeFrameMs.push(n.frameMs);
  figures.nativeFps.push(n.fps);
  for (const [name, p] of Object.entries(pages)) {
    const f = figures[name];
    f.pageStepMs.push(p.stepMs);
    f.stepRatio.push(p.stepMs / n.stepMs);
    f.pageFrameMs.push(p.frameMs);
    f.frameRatio.push(p.frameMs / n.frameMs);
    f.fps.push(p.fps);
    f.loadMs.push(p.loadMs);
    f.early.push(p.early);
    f.late.push(p.late);
    f.growth.push(p.late / p.early);
  }
  console.error(`round ${round + 1}: ${JSON.stringify({ pages, native: n })}`);
}
for (const browser of Object.values(browsers)) await browser.close();

const page = readFileSync(pagePath);
const row = (name, values, digits = 2) =>
  console.log(`${name.padEnd(44)} min ${minimum(values).toFixed(digits).padStart(8)}` +
              `   median ${median(values).toFixed(digits).padStart(8)}`);
console.log(`${rounds} rounds, interleaved`);
row("native step, ms", figures.nativeStepMs, 1);
row("desktop frame, orbit after 45, ms", figures.nativeFrameMs, 1);
row("desktop frames per second, drag after 45", figures.nativeFps, 1);
for (const name of engineNames) {
  const f = figures[name];
  console.log(`${name}, drawing with ${browsers[name].renderer}:`);
  row("  page step / native step", f.stepRatio);
  row("    page step, ms", f.pageStepMs, 1);
  row("  page frame / desktop frame, orbit after 45", f.frameRatio);
  row("    page frame, ms", f.pageFrameMs, 1);
  row("  page frames per second, drag after 45", f.fps, 1);
  row("  page load to first frame, ms", f.loadMs, 0);
  row("  clicked step with panel, steps 1-10, ms", f.early, 1);
  row("  clicked step with panel, steps 291-300, ms", f.late, 1);
  row("  steps 291-300 / steps 1-10", f.growth);
}
console.log(`world.html: ${page.length} bytes, ${gzipSync(page, { level: 9 }).length} gzipped`);
