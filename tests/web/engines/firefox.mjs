// Firefox ESR through puppeteer-core over WebDriver BiDi. Headless Firefox
// has no WebGL without a GPU, so it runs in an Xvfb of its own, drawing with
// Mesa's llvmpipe.

import { mkdtemp, readdir, readFile, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";

import puppeteer from "puppeteer-core";

import { splitKey } from "./keys.mjs";
import { PageTab } from "./page_tab.mjs";
import { startXvfb } from "./xvfb.mjs";


export async function launch({ noWebGl = false } = {}) {
  const xvfb = await startXvfb();
  const downloads = await mkdtemp(join(tmpdir(), "world-firefox-"));
  let browser;
  try {
    browser = await puppeteer.launch({
      browser: "firefox",
      executablePath: process.env.FIREFOX ?? "/usr/bin/firefox-esr",
      headless: false,
      env: { ...process.env, DISPLAY: xvfb.display },
      extraPrefsFirefox: {
        "webgl.disabled": noWebGl,
        // Touch events as on a touch screen, though this one has none.
        "dom.w3c_touch_events.enabled": 1,
        "browser.download.folderList": 2,
        "browser.download.dir": downloads,
        "browser.download.useDownloadDir": true,
        "browser.download.always_ask_before_handling_new_types": false,
        "browser.download.start_downloads_in_tmp_dir": false,
      },
    });
  } catch (error) {
    xvfb.stop();
    throw error;
  }
  return {
    renderer: "llvmpipe",
    async open({ width, height, deviceScaleFactor = 1, touch = false }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, deviceScaleFactor, hasTouch: touch });
      return new FirefoxTab(page, context, downloads);
    },
    async close() {
      await browser.close();
      xvfb.stop();
      await rm(downloads, { recursive: true, force: true });
    },
  };
}

class FirefoxTab extends PageTab {
  constructor(page, context, downloads) {
    super(page);
    this.context = context;
    this.downloads = downloads;
  }

  async press(combination) {
    const { modifiers, key } = splitKey(combination);
    for (const modifier of modifiers) await this.page.keyboard.down(modifier);
    await this.page.keyboard.press(key);
    for (const modifier of modifiers.reverse()) await this.page.keyboard.up(modifier);
  }

  async wheel(x, y, dx, dy) {
    await this.page.mouse.move(x, y);
    await this.page.mouse.wheel({ deltaX: dx, deltaY: dy });
  }

  async touch(fingers, settle) {
    const handles = [];
    for (const path of fingers) handles.push(await this.page.touchscreen.touchStart(...path[0]));
    const steps = Math.max(...fingers.map((path) => path.length));
    for (let step = 1; step < steps; step++) {
      for (const [i, path] of fingers.entries()) {
        await handles[i].move(...path[Math.min(step, path.length - 1)]);
      }
    }
    await settle();
    for (const handle of handles) await handle.end();
  }

  async setPixelRatio(ratio) {
    await this.page.setViewport({ ...this.page.viewport(), deviceScaleFactor: ratio });
  }

  screenshot(clip) {
    return this.page.screenshot({ clip, type: "png" });
  }

  // The file lands in the folder the preferences name.
  async download(selector) {
    for (const name of await readdir(this.downloads)) await rm(join(this.downloads, name));
    await this.page.click(selector);
    const deadline = Date.now() + 10000;
    for (;;) {
      const names = (await readdir(this.downloads)).filter((n) => !n.endsWith(".part"));
      if (names.length) {
        // Written, then renamed into place.
        await new Promise((resolve) => setTimeout(resolve, 200));
        return { name: names[0], data: await readFile(join(this.downloads, names[0])) };
      }
      if (Date.now() > deadline) throw new Error("no download arrived");
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }

  close() {
    return this.context.close();
  }
}
