// The page's pictures against the desktop program's, made with the same
// steps and drags. Rasterizers may place a point one pixel apart, so every
// lit pixel must have its colour at most one pixel away in the other
// picture, and at most 1 % of the pixels may differ at all. A point moved
// over can also uncover, or cover, a lone marker pixel in a gap that a
// tracer point too dim to light covers in the other: at most one pixel in
// ten thousand may lack its colour nearby.

import assert from "node:assert/strict";
import { after, before, test } from "node:test";

import {
  compare, desktopPicture, HEIGHT, launch, litPixels, openPage, views, WIDTH,
} from "./world_page.mjs";

let browser;
const shots = {};

before(async () => {
  browser = await launch();
  for (const actions of views.runs) {
    const world = await openPage(browser);
    await world.ready();
    Object.assign(shots, await world.perform(actions));
    assert.deepEqual(world.errors, []);
    await world.page.context().close();
  }
});

after(() => browser?.close());

for (const name of views.runs.flat().filter((a) => a.shot).map((a) => a.shot)) {
  test(`${name} looks as on the desktop`, () => {
    const desktop = desktopPicture(name);
    const page = shots[name];
    assert.ok(litPixels(desktop) > 300, "the desktop's picture shows something");
    const { unmatched, differing, share } = compare(page, desktop);
    console.log(`${name}: ${differing} pixels differ (${(100 * share).toFixed(2)} %), ` +
                `${unmatched} lit pixels unmatched`);
    assert.ok(unmatched <= 1e-4 * WIDTH * HEIGHT, `${unmatched} lit pixels lack their colour nearby`);
    assert.ok(share <= 0.01, `${differing} pixels differ`);
  });
}
