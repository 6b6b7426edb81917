// The page's start-up, as the web's audits see it, against another build of
// the page in the same run, rounds interleaved:
// - the time from opening the page to its first frame, and the long tasks
//   (over 50 ms) until then, in headless Chromium, each named by the
//   start-up's stages that ended in it;
// - Lighthouse's scores and total blocking time, with its desktop and its
//   mobile preset (the CPU slowed 4 x), each page served from a local server.
//
//   scripts/web.sh --test && (cd bench/lighthouse && npm ci)
//   node bench/lighthouse/start_up_bench.mjs [ROUNDS] [OTHER_PAGE]
//
// OTHER_PAGE is another world.html, for example one built from an earlier
// commit; without it only build-web/world.html is measured. Figures are
// minimum and median of the rounds.

import { createServer } from "node:http";
import { readFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

import * as chromeLauncher from "chrome-launcher";
import lighthouse from "lighthouse";
import puppeteer from "puppeteer-core";
import desktopConfig from "lighthouse/core/config/desktop-config.js";

const root = resolve(dirname(fileURLToPath(import.meta.url)), "..", "..");
const rounds = Number(process.argv[2] ?? 3);
const pages = { "this page": join(root, "build-web", "world.html") };
if (process.argv[3]) pages["the other page"] = resolve(process.argv[3]);

const chromeFlags = [
  "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const n = sorted.length;
  return n % 2 ? sorted[(n - 1) / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
};
const minAndMedian = (values, digits = 0) =>
  `${Math.min(...values).toFixed(digits)} / ${median(values).toFixed(digits)}`;

// Each page at a path of its own on one local server.
function serve() {
  const files = Object.values(pages).map((file) => readFileSync(file));
  const server = createServer((request, response) => {
    const index = Number(request.url.match(/^\/(\d+)\/world\.html$/)?.[1]);
    if (!(index >= 0 && index < files.length)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { "Content-Type": "text/html; charset=utf-8" });
    response.end(files[index]);
  });
  return new Promise((done) => server.listen(0, "127.0.0.1", () => done(server)));
}

// Long tasks from opening to the first frame, read over the DevTools
// protocol: the page's marks say which stages each one held.
async function longTasks(url) {
  const chrome = await chromeLauncher.launch({ chromePath: "/usr/bin/chromium", chromeFlags });
  try {
    const browser = await puppeteer.connect({ browserURL: `http://127.0.0.1:${chrome.port}` });
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
      window.worldLongTasks = [];
      new PerformanceObserver((list) => {
        for (const entry of list.getEntries()) {
          window.worldLongTasks.push([entry.startTime, entry.duration]);
        }
      }).observe({ type: "longtask", buffered: true });
      // The first frame draws the marker cube, in this build or any other.
      for (const gl of [WebGLRenderingContext, WebGL2RenderingContext]) {
        const drawArrays = gl.prototype.drawArrays;
        gl.prototype.drawArrays = function (mode, ...rest) {
          if (mode === this.TRIANGLES) window.worldFirstFrame ??= performance.now();
          return drawArrays.call(this, mode, ...rest);
        };
      }
    });
    await page.goto(url);
    await page.waitForFunction(() => window.worldFirstFrame, { timeout: 30000 });
    // A long task is reported once it has ended: the first frame's, after it.
    await page.evaluate(() => new Promise((done) => setTimeout(done, 200)));
    const found = await page.evaluate(() => ({
      tasks: window.worldLongTasks,
      marks: performance.getEntriesByType("mark").filter((m) => m.name.startsWith("world: "))
        .map((m) => [m.name.slice(7), m.startTime]),
      firstFrame: window.worldFirstFrame,
    }));
    await browser.disconnect();
    return found;
  } finally {
    chrome.kill();
  }
}

async function audit(url, preset) {
  const chrome = await chromeLauncher.launch({ chromePath: "/usr/bin/chromium", chromeFlags });
  try {
    const { lhr } = await lighthouse(url, { port: chrome.port, output: "json", logLevel: "error" },
                                     preset === "desktop" ? desktopConfig : undefined);
    const score = (name) => lhr.categories[name].score;
    return {
      performance: score("performance"), accessibility: score("accessibility"),
      "best practices": score("best-practices"), seo: score("seo"),
      tbt: lhr.audits["total-blocking-time"].numericValue,
      failed: Object.values(lhr.audits)
        .filter((a) => a.score !== null && a.score < 1 && a.scoreDisplayMode === "binary")
        .map((a) => a.id),
    };
  } finally {
    chrome.kill();
  }
}

const server = await serve();
const urls = Object.keys(pages).map(
  (_, i) => `http://127.0.0.1:${server.address().port}/${i}/world.html`);
const results = {};
try {
  for (let round = 0; round < rounds; round++) {
    for (const [i, name] of Object.keys(pages).entries()) {
      const r = (results[name] ??= { tasks: [], desktop: [], mobile: [] });
      r.tasks.push(await longTasks(urls[i]));
      for (const preset of ["desktop", "mobile"]) r[preset].push(await audit(urls[i], preset));
    }
  }
} finally {
  server.close();
}

for (const [name, r] of Object.entries(results)) {
  console.log(`\n${name} (${pages[name]})`);
  for (const preset of ["desktop", "mobile"]) {
    const runs = r[preset];
    const scores = ["performance", "accessibility", "best practices", "seo"]
      .map((k) => `${k} ${[...new Set(runs.map((x) => x[k]))].join("–")}`).join(", ");
    const tbt = minAndMedian(runs.map((x) => x.tbt));
    console.log(`  ${preset}: ${scores}; total blocking time ${tbt} ms`);
    const failed = [...new Set(runs.flatMap((x) => x.failed))];
    if (failed.length) console.log(`    audits not passed: ${failed.join(", ")}`);
  }
  const firstFrames = r.tasks.map((found) => found.firstFrame);
  console.log(`  from opening to the first frame: ${minAndMedian(firstFrames)} ms`);
  r.tasks.forEach((found, round) => {
    const named = found.tasks.map(([start, duration]) => {
      // A long task's duration is given in whole milliseconds, or coarser.
      const stages = found.marks.filter(([, at]) => at >= start && at <= start + duration + 2)
        .map(([stage]) => stage);
      const started = found.marks.find(([stage]) => stage === "the program started")?.[1];
      const before = start + duration <= started ? "the page's script and WebAssembly" : "";
      return `${duration.toFixed(0)} ms (${stages.join(", ") || before || "no stage ended in it"})`;
    });
    const list = named.join("; ") || "none";
    console.log(`  round ${round + 1}, long tasks to the first frame: ${list}`);
  });
}
