// WebKitGTK, Safari's engine, through selenium-webdriver: WebKitWebDriver
// drives MiniBrowser, which has no headless mode, in an Xvfb of its own,
// drawing with Mesa's llvmpipe.

import { execFileSync, spawn } from "node:child_process";
import { createServer } from "node:net";

import { Builder, Button, Key, Origin } from "selenium-webdriver";

import { splitKey } from "./keys.mjs";
import { startXvfb } from "./xvfb.mjs";
import { Unsupported } from "./unsupported.mjs";

const MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
const BUTTONS = [Button.LEFT, Button.MIDDLE, Button.RIGHT];
const KEYS = {
  Shift: Key.SHIFT, Control: Key.CONTROL, Alt: Key.ALT, Meta: Key.META, Escape: Key.ESCAPE,
  Enter: Key.ENTER, Tab: Key.TAB, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
  ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, Home: Key.HOME, End: Key.END,
};
const keyOf = (name) => KEYS[name] ?? name;

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.on("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function untilListening(port, process) {
  const deadline = Date.now() + 20000;
  for (;;) {
    try {
      const response = await fetch(`http://127.0.0.1:${port}/status`);
      if (response.ok) return;
    } catch {
      // not yet
    }
    if (process.exitCode !== null || Date.now() > deadline) {
      throw new Error("WebKitWebDriver did not start");
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

// WebKitWebDriver runs one session at a time, and a screenshot of the X
// screen needs the window on top: each page gets an Xvfb, a driver and a
// MiniBrowser of its own.
async function startDriver(display, scale) {
  const port = await freePort();
  // GTK draws at a whole-number scale it is told, and the page sees it as
  // its pixel ratio.
  const env = { ...process.env, DISPLAY: display, GDK_SCALE: String(scale) };
  const server = spawn(process.env.WEBKIT_DRIVER ?? "/usr/bin/WebKitWebDriver", [`--port=${port}`],
                       { env, stdio: "ignore" });
  try {
    await untilListening(port, server);
  } catch (error) {
    server.kill();
    throw error;
  }
  return { url: `http://127.0.0.1:${port}`, stop: () => server.kill() };
}

export async function launch({ noWebGl = false } = {}) {
  const args = ["--automation", ...(noWebGl ? ["--enable-webgl=false"] : [])];
  return {
    renderer: "llvmpipe",
    async open({ width, height, deviceScaleFactor = 1, touch = false }) {
      if (!Number.isInteger(deviceScaleFactor)) {
        throw new Unsupported("GTK scales MiniBrowser by whole numbers only");
      }
      if (touch) throw new Unsupported("WebKitWebDriver turns touch actions into mouse events");
      // Room for the window and its toolbar, in device pixels.
      const xvfb = await startXvfb(deviceScaleFactor * width + 400,
                                   deviceScaleFactor * height + 400);
      let server;
      let driver;
      try {
        server = await startDriver(xvfb.display, deviceScaleFactor);
        driver = await new Builder()
          .usingServer(server.url)
          .withCapabilities({
            browserName: "MiniBrowser",
            "webkitgtk:browserOptions": { binary: MINIBROWSER, args },
          })
          .build();
        const tab = new WebKitTab(driver, xvfb.display, deviceScaleFactor, () => {
          server.stop();
          xvfb.stop();
        });
        await tab.resize(width, height);
        return tab;
      } catch (error) {
        await driver?.quit();
        server?.stop();
        xvfb.stop();
        throw error;
      }
    },
    async close() {},
  };
}

class WebKitTab {
  constructor(driver, display, scale, stop) {
    this.driver = driver;
    this.display = display;
    this.scale = scale;
    this.stop = stop;
  }

  // The window's size less its toolbar and frame is the page's. The window
  // manager's answer and the page's resize come some time after the ask.
  async resize(width, height) {
    const inner = () => this.evaluate(() => [innerWidth, innerHeight]);
    const deadline = Date.now() + 10000;
    for (;;) {
      const [innerWidth, innerHeight] = await inner();
      if (innerWidth === width && innerHeight === height) return;
      if (Date.now() > deadline) {
        // GTK keeps the window as wide as its toolbar needs.
        if (innerWidth > width) {
          throw new Unsupported(`MiniBrowser's page is at least ${innerWidth} pixels wide`);
        }
        throw new Error(`MiniBrowser's page is ${innerWidth} x ${innerHeight}, not ${width} x ${height}`);
      }
      const rect = await this.driver.manage().window().getRect();
      await this.driver.manage().window().setRect({
        width: rect.width + width - innerWidth, height: rect.height + height - innerHeight,
      });
      for (let wait = 0; wait < 20; wait++) {
        const [nowWidth, nowHeight] = await inner();
        if (nowWidth !== innerWidth || nowHeight !== innerHeight) break;
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
    }
  }

  goto(url) {
    return this.driver.get(url);
  }

  evaluate(fn, arg) {
    return this.driver.executeScript(`return (${fn}).apply(null, arguments)`, arg);
  }

  actions() {
    return this.driver.actions({ async: true });
  }

  async press(combination) {
    const { modifiers, key } = splitKey(combination);
    let actions = this.actions();
    for (const modifier of modifiers) actions = actions.keyDown(keyOf(modifier));
    actions = actions.keyDown(keyOf(key)).keyUp(keyOf(key));
    for (const modifier of modifiers.reverse()) actions = actions.keyUp(keyOf(modifier));
    await actions.perform();
  }

  async click(selector) {
    const element = await this.driver.findElement({ css: selector });
    await element.click();
  }

  keyDown(key) {
    return this.actions().keyDown(keyOf(key)).perform();
  }

  keyUp(key) {
    return this.actions().keyUp(keyOf(key)).perform();
  }

  mouseMove(x, y) {
    return this.actions()
      .move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT }).perform();
  }

  mouseDown(button) {
    return this.actions().press(BUTTONS[button - 1]).perform();
  }

  mouseUp(button) {
    return this.actions().release(BUTTONS[button - 1]).perform();
  }

  wheel(x, y, dx, dy) {
    return this.actions().scroll(Math.round(x), Math.round(y), dx, dy, Origin.VIEWPORT).perform();
  }

  setPixelRatio() {
    throw new Unsupported("GTK's scale is fixed when MiniBrowser starts");
  }

  touch() {
    throw new Unsupported("WebKitWebDriver turns touch actions into mouse events");
  }

  // The WebDriver's own screenshots of a WebGL canvas come out with their
  // top rows black; the X screen holds what the window shows.
  async screenshot(clip, device = false) {
    const [left, top] = await this.evaluate(() => [
      screenX + (outerWidth - innerWidth) / 2, screenY + outerHeight - innerHeight,
    ]);
    // The screen is in device pixels.
    const s = this.scale;
    const geometry = `${s * clip.width}x${s * clip.height}+${s * (left + clip.x)}+${s * (top + clip.y)}`;
    const grab = () => execFileSync("import", ["-display", this.display, "-window", "root",
                                               "-crop", geometry, "+repage", "png:-"],
                                    { maxBuffer: 64 << 20 });
    // What the page drew reaches the screen a frame or two later: the
    // screen is grabbed until two grabs in a row agree.
    let shot = grab();
    for (let tries = 0; ; tries++) {
      const again = grab();
      if (again.equals(shot)) break;
      if (tries === 20) throw new Error("the screen kept changing under the page");
      shot = again;
    }
    if (device || s === 1) return shot;
    // In page pixels: one device pixel of each s x s.
    return execFileSync("convert", ["png:-", "-sample", `${clip.width}x${clip.height}`, "png:-"],
                        { input: shot, maxBuffer: 64 << 20 });
  }

  download() {
    throw new Unsupported("MiniBrowser does not save downloads under WebDriver");
  }

  async close() {
    try {
      await this.driver.quit();
    } finally {
      this.stop();
    }
  }
}
