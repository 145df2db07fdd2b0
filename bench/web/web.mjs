// The web page's figures: its size as one file, the time from the start of navigation to
// the moment it answers (the material list filled, the buttons live) in headless
// Chromium, and the time of a press, in the page and in the module alone under node: the
// diameter button, and the oil film's button (a case solved with both its charts). Every
// time is the median of repeated runs. A floor, a page that only marks itself
// interactive, is timed the same way, so that a busy machine shows as such.
//
//   node bench/web/web.mjs PAGE_DIR [LOADS] [PRESSES] [FILM_PRESSES]

import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

import { chromium } from 'playwright-core';

const [pageDir = 'build/default/web/src/web', loads = '21', presses = '501', filmPresses = '51'] = process.argv.slice(2);
const pagePath = resolve(pageDir, 'plain-bearings.html');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const format = (ms) => (ms < 1 ? `${(ms * 1000).toFixed(1)} µs` : `${ms.toFixed(1)} ms`);

const page = readFileSync(pagePath);
console.log(`size: ${(page.length / 1024).toFixed(1)} KiB as one file, ${(gzipSync(page).length / 1024).toFixed(1)} KiB gzipped`);

// The module alone: the worked example's diameter press, strings in and events out.
const module = await createRequire(import.meta.url)(join(resolve(pageDir), 'bearing-core.js'))();
const calculator = new module.Calculator();
const nodeTimes = [];
for (let i = 0; i < Number(presses); ++i) {
  const start = performance.now();
  for (let k = 0; k < 100; ++k) {
    calculator.pressDiameterForLength(14, '5000', '300', '20', ',');
  }
  nodeTimes.push((performance.now() - start) / 100);
}
calculator.delete();
console.log(`press in the module under node: ${format(median(nodeTimes))} (median of ${presses} runs of 100)`);

// The oil film of the page's example (10 kN, 1500 rpm, 80 × 80 mm, Δ = 120 µm,
// µ = 0.02 Pa·s): its figures and lines, then its two charts, as the page's button asks.
const film = ['10000', '1500', '80', '80', '120', '0,02', '', '', ''];
const filmTimes = [];
for (let i = 0; i < Number(filmPresses); ++i) {
  const start = performance.now();
  module.oilFilm(...film, ',');
  module.filmCharts(...film, ',');
  filmTimes.push(performance.now() - start);
}
console.log(`oil film in the module under node: ${format(median(filmTimes))} (median of ${filmPresses})`);

const floorDir = mkdtempSync(join(tmpdir(), 'plain-bearings-floor-'));
const floorPath = join(floorDir, 'floor.html');
writeFileSync(
  floorPath,
  '<!DOCTYPE html><html lang="ru"><title>floor</title><p>floor</p>' +
    '<script>performance.mark("plain-bearings-interactive"); document.body.dataset.ready = "true";</script>',
);

const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
const interactive = [];
const floor = [];
const pressTimes = [];
const filmPressTimes = [];
for (let i = 0; i < Number(loads); ++i) {
  const context = await browser.newContext({ locale: 'ru-RU' });
  const tab = await context.newPage();
  const interactiveAt = () => tab.evaluate(() => performance.getEntriesByName('plain-bearings-interactive')[0].startTime);
  await tab.goto(pathToFileURL(floorPath).href);
  await tab.waitForSelector('body[data-ready]');
  floor.push(await interactiveAt());
  await tab.goto(pathToFileURL(pagePath).href);
  await tab.waitForSelector('body[data-ready]');
  interactive.push(await interactiveAt());
  if (i === 0) {
    // A press from the click to the last result shown: with no message the page shows
    // every result before the click returns.
    pressTimes.push(
      ...(await tab.evaluate(async (count) => {
        const byId = (id) => document.getElementById(id);
        byId('load').value = '5000';
        byId('frequency').value = '300';
        byId('length').value = '20';
        byId('material').value = '14';
        const times = [];
        for (let k = 0; k < count; ++k) {
          byId('min-diameter').textContent = '';
          const start = performance.now();
          byId('calculate-diameter').click();
          times.push(performance.now() - start);
          if (byId('min-diameter').textContent !== '16,7') {
            throw new Error('the press did not show its result');
          }
          // The press ends after its last event; the next click comes in a later task.
          await new Promise((resolve) => setTimeout(resolve, 0));
        }
        return times;
      }, Number(presses))),
    );
    // The oil film's button, from the click to the lines and both charts shown.
    filmPressTimes.push(
      ...(await tab.evaluate(async ([values, count]) => {
        const ids = ['film-load', 'film-frequency', 'film-diameter', 'film-length', 'film-clearance', 'film-viscosity'];
        ids.forEach((id, k) => {
          document.getElementById(id).value = values[k];
        });
        const lines = document.getElementById('film-lines');
        const times = [];
        for (let k = 0; k < count; ++k) {
          lines.replaceChildren();
          const start = performance.now();
          document.getElementById('film-calculate').click();
          times.push(performance.now() - start);
          if (lines.children.length === 0 || document.querySelector('#film-design-chart svg') === null) {
            throw new Error('the oil film did not show its result');
          }
          await new Promise((resolve) => setTimeout(resolve, 0));
        }
        return times;
      }, [film, Number(filmPresses)])),
    );
  }
  await context.close();
}
await browser.close();
rmSync(floorDir, { recursive: true });
console.log(
  `navigation start to interactive in headless Chromium: ${format(median(interactive))} ` +
    `(median of ${loads} loads; the floor page: ${format(median(floor))}; ` +
    `the page over the floor of the same load: ${format(median(interactive.map((time, i) => time - floor[i])))})`,
);
console.log(`press in the page, click to results shown: ${format(median(pressTimes))} (median of ${presses})`);
console.log(
  `oil film in the page, click to lines and charts shown: ${format(median(filmPressTimes))} (median of ${filmPresses})`,
);
