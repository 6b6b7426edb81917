// What playwright's and puppeteer's pages do alike: a tab of Chromium or
// Firefox is one of these, with what differs added.

const BUTTONS = ["left", "middle", "right"];

export class PageTab {
  constructor(page) {
    this.page = page;
  }

  goto(url) {
    return this.page.goto(url);
  }

  evaluate(fn, arg) {
    return this.page.evaluate(fn, arg);
  }

  click(selector) {
    return this.page.click(selector);
  }

  keyDown(key) {
    return this.page.keyboard.down(key);
  }

  keyUp(key) {
    return this.page.keyboard.up(key);
  }

  mouseMove(x, y) {
    return this.page.mouse.move(x, y);
  }

  mouseDown(button) {
    return this.page.mouse.down({ button: BUTTONS[button - 1] });
  }

  mouseUp(button) {
    return this.page.mouse.up({ button: BUTTONS[button - 1] });
  }
}
