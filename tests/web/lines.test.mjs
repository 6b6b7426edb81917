// What the page prints: the lines panel and the saved file hold exactly what
// the desktop program writes to its standard output.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { after, before, test } from "node:test";

import { desktopLines, launch, openPage, root } from "./world_page.mjs";

const reference = readFileSync(join(root, "tests", "data", "stdout-30-steps.txt"), "utf8");

let browser;
before(async () => { browser = await launch(); });
after(() => browser?.close());

test("60 presses of f print and save what the desktop program prints", async () => {
  const world = await openPage(browser);
  await world.ready();
  assert.equal(await world.lines(), "");
  await world.step(60);
  const lines = await world.lines();
  assert.equal(lines, desktopLines("60-steps"));
  assert.equal(lines.slice(0, reference.length), reference);

  const [download] = await Promise.all([
    world.page.waitForEvent("download"), world.page.click("#save"),
  ]);
  assert.equal(download.suggestedFilename(), "steps.txt");
  assert.equal(readFileSync(await download.path(), "latin1"), lines);
  assert.deepEqual(world.errors, []);
});

test("the Step button steps as f does, and the panel follows the last line", async () => {
  const world = await openPage(browser);
  await world.ready();
  for (let i = 0; i < 40; i++) await world.page.click("#step");
  await world.settle();
  assert.equal((await world.lines()).slice(0, reference.length), reference);
  assert.equal(await world.lineCount(), 40 * 11);
  const scrolled = await world.page.$eval("#lines",
    (panel) => panel.scrollHeight - panel.scrollTop - panel.clientHeight);
  assert.ok(scrolled <= 1, `${scrolled} px below the view`);
});
