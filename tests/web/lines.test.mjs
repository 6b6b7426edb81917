// What the page prints: the lines panel and the saved file hold exactly what
// the desktop program writes to its standard output.

import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";

import { desktopLines, inEachEngine, openPage, root } from "./world_page.mjs";

const reference = readFileSync(join(root, "tests", "data", "stdout-30-steps.txt"), "utf8");

inEachEngine((test, engine) => {
  test("60 presses of f print what the desktop program prints", async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    assert.equal(await world.lines(), "");
    await world.step(60);
    const lines = await world.lines();
    assert.equal(lines, desktopLines("60-steps"));
    assert.equal(lines.slice(0, reference.length), reference);
    assert.deepEqual(await world.errors(), []);
    await world.close();
  });

  test("Save is off with no lines, and then downloads them byte for byte", async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    const saveOff = () => world.evaluate(() => document.getElementById("save").disabled);
    assert.equal(await saveOff(), true);
    await world.step(5);
    assert.equal(await saveOff(), false);
    const { name, data } = await world.download("#save");
    assert.equal(name, "steps.txt");
    assert.equal(data.toString("latin1"), await world.lines());
    await world.close();
  });

  test("Run steps on every frame until Pause, and the count follows", async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    const count = () => world.evaluate(() => Number(document.getElementById("step-count").textContent));
    const label = () => world.evaluate(() => document.getElementById("run").textContent);
    await world.click("#run");
    assert.equal(await label(), "Pause");
    await world.waitFor(() => Number(document.getElementById("step-count").textContent) >= 10);
    await world.click("#run");
    assert.equal(await label(), "Run");
    await world.settle();
    const steps = await count();
    await world.settle();
    assert.equal(await count(), steps, "paused");
    const lines = await world.lines();
    assert.equal(lines.split("\n").length - 1, 11 * steps);
    assert.ok(steps <= 60, `${steps} steps`);
    assert.equal(lines, desktopLines("60-steps").slice(0, lines.length));
    await world.close();
  });

  test("the Step button steps as f does, and the panel follows the last line", async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    for (let i = 0; i < 40; i++) await world.click("#step");
    await world.settle();
    assert.equal((await world.lines()).slice(0, reference.length), reference);
    assert.equal(await world.lineCount(), 40 * 11);
    const below = await world.evaluate(() => {
      const panel = document.getElementById("lines");
      return panel.scrollHeight - panel.scrollTop - panel.clientHeight;
    });
    assert.ok(below <= 1, `${below} px below the view`);
    await world.close();
  });
});
