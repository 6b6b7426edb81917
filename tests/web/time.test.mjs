// Moving in time: every step reached comes back as it was drawn, going back
// prints nothing and loses nothing, the summary says the counts an
// independent model gave, and the lines panel stays bounded over a long run.

import assert from "node:assert/strict";

import { Unsupported } from "./engines/unsupported.mjs";
import { desktopLines, inEachEngine, openPage } from "./world_page.mjs";

// An independent model's counts, in the page's words.
const summaries = {
  0: "1 green, 0 infinite, 0 NaN; the largest finite tracer 0.42",
  48: "49,290 green, 0 infinite, 0 NaN; the largest finite tracer 3.0e35",
  53: "49,290 green, 3,520 infinite, 0 NaN; the largest finite tracer 3.4e38",
  54: "46,166 green, 5,105 infinite, 3,124 NaN; the largest finite tracer 3.4e38",
  80: "45 green, 1 infinite, 49,245 NaN; the largest finite tracer 2.3e38",
};

// Step s's lines in the desktop program's output: eleven a step.
const linesOfSteps = (all, first, last) =>
  all.split(/(?<=\n)/).slice(11 * (first - 1), 11 * last).join("");

// What Save downloads, or null where the engine cannot keep a download.
async function savedLines(world) {
  try {
    return (await world.download("#save")).data.toString("latin1");
  } catch (error) {
    if (error instanceof Unsupported) return null;
    throw error;
  }
}

inEachEngine((test, engine) => {
  test("back, forward and the timeline show the steps as first drawn; Save keeps every line",
       async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    const summary = () => world.evaluate(() => document.getElementById("summary").textContent);
    const where = () => world.evaluate(() => ["step-count", "furthest"].map(
      (id) => Number(document.getElementById(id).textContent)));
    // After keys sent to the page, the step they lead to drawn.
    const pressed = async (...keys) => {
      const drawn = await world.framesDrawn();
      for (const key of keys) await world.press(key);
      await world.settle(drawn);
    };
    const same = (a, b, what) => assert.ok(a.pixels.equals(b.pixels), what);

    assert.equal(await summary(), summaries[0]);
    const first = {};
    for (const step of [48, 53, 54]) {
      await world.step(step - (await world.shown()));
      first[step] = await world.picture();
      assert.equal(await summary(), summaries[step]);
    }
    await world.step(6);
    const desktop = desktopLines("60-steps");
    assert.equal(await world.lines(), desktop);

    // The timeline's own keys, with the focus on it.
    await world.evaluate(() => document.getElementById("timeline").focus());
    await pressed("Home");
    assert.deepEqual(await where(), [0, 60]);
    await pressed("End", ...Array(12).fill("ArrowLeft"));
    assert.deepEqual(await where(), [48, 60]);
    same(await world.picture(), first[48], "step 48 again from the timeline");
    await pressed(...Array(6).fill("ArrowRight"));
    same(await world.picture(), first[54], "step 54 again from the timeline");
    await pressed("b");
    assert.deepEqual(await where(), [53, 60]);
    same(await world.picture(), first[53], "step 53 again with b");
    assert.equal(await summary(), summaries[53]);
    await world.click("#step");
    await world.settle();
    same(await world.picture(), first[54], "step 54 again with Step");
    await world.click("#back");
    await world.settle();

    // Going back printed nothing again and lost nothing; the step shown is
    // marked and in view.
    assert.equal(await world.lines(), desktop);
    const saved = await savedLines(world);
    if (saved !== null) assert.equal(saved, desktop);
    const mark = await world.evaluate(() => {
      const panel = document.getElementById("lines").getBoundingClientRect();
      const mark = document.querySelector("#lines mark");
      const box = mark.getBoundingClientRect();
      // Its start, at least: the step's lines may be taller than the panel.
      const inView = box.top >= panel.top && Math.min(box.bottom, box.top + 40) <= panel.bottom;
      return { text: mark.textContent, inView };
    });
    assert.equal(mark.text, linesOfSteps(desktop, 53, 53));
    assert.ok(mark.inView, "the step shown is in view");

    // f goes on through the steps kept, and computes only from the furthest.
    await world.step(27);
    assert.deepEqual(await where(), [80, 80]);
    assert.equal(await summary(), summaries[80]);
    assert.equal(await world.lineCount(), 80 * 11);
    assert.deepEqual(await world.errors(), []);
    await world.close();
  });

  test("a long Run keeps the panel bounded about the step shown", async () => {
    const world = await openPage(engine.browser);
    await world.ready();
    await world.evaluate(() => {
      const speed = document.getElementById("speed");
      speed.value = "0";
      speed.dispatchEvent(new Event("change"));
    });
    await world.click("#run");
    await world.waitFor(() => Number(document.getElementById("step-count").textContent) >= 205,
                        undefined, 120000);
    await world.click("#run");
    await world.settle();
    const furthest = await world.shown();
    const desktop = desktopLines("60-steps");
    const saved = await savedLines(world);
    if (saved !== null) {
      assert.equal(saved.split("\n").length - 1, 11 * furthest);
      assert.equal(saved.slice(0, desktop.length), desktop);
    }
    const panel = () => world.evaluate(() => {
      const held = document.getElementById("lines-held");
      return { nodes: document.getElementById("lines").childNodes.length,
               held: held.hidden ? "" : held.textContent };
    });
    // Steps 101 on, to the step shown, the last.
    const atEnd = await world.lines();
    assert.equal(atEnd.split("\n").length - 1, 11 * (furthest - 100));
    if (saved !== null) assert.equal(atEnd, linesOfSteps(saved, 101, furthest));
    assert.deepEqual(await panel(), {
      nodes: 3,
      held: `The lines of steps 101 to ${furthest} of ${furthest}; Save the lines keeps them all.`,
    });
    await world.evaluate(() => document.getElementById("timeline").focus());
    const drawn = await world.framesDrawn();
    await world.press("Home");
    await world.settle(drawn);
    const atStart = await world.lines();
    assert.equal(atStart.slice(0, desktop.length), desktop);
    assert.equal(atStart.split("\n").length - 1, 11 * 200);
    if (saved !== null) assert.equal(atStart, linesOfSteps(saved, 1, 200));
    assert.equal(await world.evaluate(() => document.getElementById("lines").scrollTop), 0);
    assert.deepEqual(await world.errors(), []);
    await world.close();
  });
});
