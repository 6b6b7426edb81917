// Chromium, headless, drawing with SwiftShader, through playwright-core.

import { readFile } from "node:fs/promises";

import { chromium } from "playwright-core";

import { PageTab } from "./page_tab.mjs";

// Without the networking flags Chromium keeps trying hosts it cannot reach.
const FLAGS = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];


export async function launch({ noWebGl = false } = {}) {
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    args: [...FLAGS, ...(noWebGl ? ["--disable-webgl", "--disable-3d-apis"] : [])],
  });
  return {
    renderer: "SwiftShader",
    async open({ width, height, deviceScaleFactor = 1, touch = false }) {
      const context = await browser.newContext({
        viewport: { width, height }, deviceScaleFactor, hasTouch: touch, acceptDownloads: true,
      });
      return new ChromiumTab(await context.newPage());
    },
    close: () => browser.close(),
  };
}

class ChromiumTab extends PageTab {
  press(key) {
    return this.page.keyboard.press(key);
  }

  async wheel(x, y, dx, dy) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.wheel(dx, dy);
  }

  // Each finger a list of page positions, moved together.
  async touch(fingers, settle) {
    const cdp = await this.page.context().newCDPSession(this.page);
    const at = (step) => fingers.map((path, id) => {
      const [x, y] = path[Math.min(step, path.length - 1)];
      return { x, y, id };
    });
    const steps = Math.max(...fingers.map((path) => path.length));
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: at(0) });
    for (let step = 1; step < steps; step++) {
      await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: at(step) });
    }
    await settle();
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await cdp.detach();
  }

  // As when the window moves to a screen of another resolution.
  // The session stays: its override ends with it.
  async setPixelRatio(ratio) {
    this.emulation ??= await this.page.context().newCDPSession(this.page);
    const { width, height } = this.page.viewportSize();
    await this.emulation.send("Emulation.setDeviceMetricsOverride",
                              { width, height, deviceScaleFactor: ratio, mobile: false });
  }

  screenshot(clip, device = false) {
    return this.page.screenshot({ clip, scale: device ? "device" : "css" });
  }

  async download(selector) {
    const [download] = await Promise.all([
      this.page.waitForEvent("download"), this.page.click(selector),
    ]);
    return { name: download.suggestedFilename(), data: await readFile(await download.path()) };
  }

  close() {
    return this.page.context().close();
  }
}
