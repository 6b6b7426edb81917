// Makes docs/page.png, the README's picture of the page: the steps and the
// drag of docs/world.png, in headless Chromium at 1024 x 768, the desktop
// window's shape. Run it after scripts/web.sh --test, which builds the page
// and installs what this needs.

import { execFileSync } from "node:child_process";
import { join } from "node:path";

import { launchEngine, openPage, root } from "../tests/web/world_page.mjs";

const output = join(root, "docs", "page.png");
const [width, height] = [1024, 768];
const browser = await launchEngine("chromium");
try {
  const world = await openPage(browser, { width, height });
  await world.ready();
  await world.step(14);
  await world.drag(1, [[400, 300], [340, 200]]);
  await world.settle();
  const shot = await world.tab.screenshot({ x: 0, y: 0, width, height });
  execFileSync("convert", ["png:-", "-strip", output], { input: shot });
  await world.close();
} finally {
  await browser.close();
}
console.log(`wrote ${output}`);
