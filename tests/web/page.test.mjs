// The real page in headless Chromium, driven as a user drives it: typed, clicked and
// keyed. Every test runs with all requests intercepted: anything but the page itself
// fails the run.
//
// PLAIN_BEARINGS_SCREENSHOTS names a folder for the 360 px and 1280 px screenshots.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { chromium } from 'playwright-core';

import { checkLines, filmInputs, generateCases, loadModule, moduleFilm, pagePath, press, shown } from './cases.mjs';

const require = createRequire(import.meta.url);
const pageUrl = pathToFileURL(pagePath).href;
const screenshots = process.env.PLAIN_BEARINGS_SCREENSHOTS;

let browser;
let module;
const requests = [];

before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
  module = await loadModule();
});
after(async () => {
  await browser?.close();
  // Nothing but the page itself was ever asked for.
  assert.deepEqual([...new Set(requests)], [pageUrl]);
});

// `init` runs in the page before its own script, as a browser's own make-up would;
// `until` is what the page shows once it has started.
const openPage = async ({ locale = 'ru-RU', width = 1280, height = 900, init, until = 'body[data-ready]' } = {}) => {
  const context = await browser.newContext({ locale, viewport: { width, height } });
  if (init) {
    await context.addInitScript(init);
  }
  await context.route('**/*', (route) => {
    requests.push(route.request().url());
    return route.request().url() === pageUrl ? route.continue() : route.abort();
  });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(pageUrl);
  await page.waitForSelector(until);
  page.errors = errors;
  return page;
};

const closePage = async (page) => {
  assert.deepEqual(page.errors, []);
  await page.context().close();
};

const results = async (page) => {
  await page.waitForFunction(() => !document.body.dataset.pressing);
  return page.evaluate(() => ({
    maxDiameterLine: document.getElementById('max-diameter-line').textContent,
    minLengthLine: document.getElementById('min-length-line').textContent,
    minDiameterOnLength: document.getElementById('min-diameter').textContent,
  }));
};

// The message dialog as a screen reader finds it, or null when the press has ended with
// none open. A press replays its events after each dialog closes, so this waits for the
// next dialog or for the end of the press.
const openDialog = async (page) => {
  await page.waitForFunction(() => document.querySelector('dialog[open]') || !document.body.dataset.pressing);
  return page.evaluate(() => {
    const dialog = document.querySelector('dialog[open]');
    if (!dialog) {
      return null;
    }
    const byId = (id) => document.getElementById(id).textContent;
    return {
      modal: dialog.matches(':modal'),
      title: byId(dialog.getAttribute('aria-labelledby')),
      text: byId(dialog.getAttribute('aria-describedby')),
      focused: document.activeElement?.id,
    };
  });
};

const workedExample = { row: 14, load: '5000', frequency: '300', length: '20' };

describe('the worked example: bronze БрО10Ф1, 5000 N, 300 rpm, length 20 mm', () => {
  const expected = {
    maxDiameterLine: 'максимальный диаметр = 636.6 мм',
    minLengthLine: 'минимальная длина = 5.2 мм',
  };

  for (const [locale, diameter] of [
    ['ru-RU', '16,7'],
    ['en-US', '16.7'],
  ]) {
    test(`by mouse, ${locale}: the diameter is ${diameter}`, async () => {
      const page = await openPage({ locale });
      await page.getByLabel('Радиальное усилие:').fill(workedExample.load);
      await page.getByLabel('Частота вращения:').fill(workedExample.frequency);
      await page.getByRole('option', { name: 'Бронза БрО10Ф1' }).click();
      await page.getByLabel('Длина:').fill(workedExample.length);
      await page.getByRole('button', { name: 'Расчет минимального диаметра в зависимости от длины' }).click();
      assert.deepEqual(await results(page), { ...expected, minDiameterOnLength: diameter });
      assert.equal(await page.locator('#max-temperature').textContent(), '250');
      assert.equal(
        await page.locator('#results-caption').textContent(),
        'Характеристики подшипника (материал - Бронза БрО10Ф1)',
      );
      await closePage(page);
    });
  }

  test('by keyboard alone, ru-RU', async () => {
    const page = await openPage();
    const tabTo = async (id) => {
      for (let i = 0; i < 20 && (await page.evaluate(() => document.activeElement?.id)) !== id; ++i) {
        await page.keyboard.press('Tab');
      }
      assert.equal(await page.evaluate(() => document.activeElement?.id), id);
    };
    await tabTo('load');
    await page.keyboard.type(workedExample.load);
    await page.keyboard.press('Tab');
    await page.keyboard.type(workedExample.frequency);
    await page.keyboard.press('Tab');
    // Down the list to the bronze, past the other materials (the group headings are skipped).
    for (let i = 0; i < 30 && (await page.locator('#material').inputValue()) !== '14'; ++i) {
      await page.keyboard.press('ArrowDown');
    }
    assert.equal(await page.locator('#material').inputValue(), '14');
    await page.keyboard.press('Tab');
    await page.keyboard.press('Enter');
    assert.deepEqual(await results(page), { ...expected, minDiameterOnLength: '' });
    await tabTo('length');
    await page.keyboard.type(workedExample.length);
    await page.keyboard.press('Tab');
    await page.keyboard.press('Space');
    assert.deepEqual(await results(page), { ...expected, minDiameterOnLength: '16,7' });
    await closePage(page);
  });
});

// Each message with the inputs that bring it; the zero-diameter message still leaves a
// length behind it once closed.
const messageCases = [
  ['no material chosen', { row: -1, load: '5000', frequency: '300', length: null }, 'Выберите материал'],
  ['no frequency', { row: 0, load: '5000', frequency: '0', length: null },
    'Задайте радиальное усилие на подшипник и частоту вращения'],
  ['the diameter rounds to zero', { row: 0, load: '5000', frequency: '1e30', length: null },
    'Ошибка: деление на ноль\n\nСлишком мал расчетный максимальный диаметр\nЗадайте меньшую частоту вращения'],
  ['the length below the minimum', { row: 14, load: '5000', frequency: '300', length: '1' },
    'Введенная длина подшипника меньше расчитанной минимально допустимой длины'],
  ['the load overflows', { row: 0, load: '1e39', frequency: '300', length: null },
    'Ошибка: переполнение\n\nРадиальное усилие выходит за пределы допустимого диапазона чисел'],
  ['the frequency overflows', { row: 0, load: '5000', frequency: '1e39', length: null },
    'Ошибка: переполнение\n\nЧастота вращения выходит за пределы допустимого диапазона чисел'],
  ['the length overflows', { row: 0, load: '5000', frequency: '300', length: '1e39' },
    'Ошибка: переполнение\n\nДлина выходит за пределы допустимого диапазона чисел'],
  ['the result overflows', { row: 0, load: '5000', frequency: '1e-45', length: null },
    'Ошибка: переполнение\n\nРезультат расчета выходит за пределы допустимого диапазона чисел\n' +
      'Проверьте радиальное усилие, частоту вращения и длину'],
];

// Types a case into the page and presses its button; a length means the diameter button.
const enterCase = async (page, c) => {
  await page.fill('#load', c.load);
  await page.fill('#frequency', c.frequency);
  await page.fill('#length', c.length ?? '');
  await page.selectOption('#material', c.row < 0 ? [] : String(c.row));
  const button = c.length === null ? '#calculate-sizing' : '#calculate-diameter';
  await page.click(button);
  return button;
};

describe('in a browser that lacks what the page uses', () => {
  const browsers = [
    // Chromium before 114 compiles a module of this size only in the background.
    ['no WebAssembly compiled on the page\'s thread: the page compiles it in the background', () => {
      WebAssembly.Module = function Module() {
        throw new RangeError('WebAssembly.Module(): buffer too large');
      };
    }, true],
    ['no DecompressionStream: the page says that it cannot calculate here', () => {
      delete window.DecompressionStream;
    }, false],
  ];
  for (const [name, init, works] of browsers) {
    test(name, async () => {
      const page = await openPage({ init, until: works ? 'body[data-ready]' : '#unsupported:not([hidden])' });
      assert.equal(await page.isVisible('#unsupported'), !works);
      if (works) {
        await enterCase(page, workedExample);
        assert.equal((await results(page)).minDiameterOnLength, '16,7');
      } else {
        assert.equal(await page.getByRole('alert').textContent(), await page.textContent('#unsupported'));
      }
      await closePage(page);
    });
  }
});

describe('each message opens a modal dialog with its title and text', () => {
  for (const [name, c, text] of messageCases) {
    test(name, async () => {
      const page = await openPage();
      const button = await enterCase(page, c);
      assert.deepEqual(await openDialog(page), { modal: true, title: 'Ошибка', text, focused: 'message-ok' });
      assert.equal(await page.getByRole('dialog', { name: 'Ошибка' }).count(), 1);
      await page.keyboard.press('Enter');
      assert.equal(await openDialog(page), null);
      assert.equal(await page.evaluate(() => document.activeElement?.id), button.slice(1));
      // After the dialog, the page shows what the module's press leaves behind.
      const calculator = new module.Calculator();
      assert.deepEqual(await results(page), { minDiameterOnLength: '', ...shown(press(calculator, c, ',')).texts });
      calculator.delete();
      await closePage(page);
    });
  }
});

test('a sample of generated cases typed and clicked through the page shows what the module shows', async () => {
  const page = await openPage();
  const calculator = new module.Calculator();
  for (const [i, c] of generateCases(7, 40).entries()) {
    const expected = shown(press(calculator, c, ','));
    await enterCase(page, c);
    const messages = [];
    for (let dialog = await openDialog(page); dialog; dialog = await openDialog(page)) {
      messages.push(dialog.text);
      await page.click('#message-ok');
    }
    assert.equal(messages.length ? messages.join('\n') : null, expected.message, `case ${i} ${JSON.stringify(c)}`);
    const seen = await results(page);
    for (const [control, text] of Object.entries(expected.texts)) {
      assert.equal(seen[control], text, `case ${i} ${JSON.stringify(c)}: ${control}`);
    }
  }
  calculator.delete();
  await closePage(page);
});

test('the reference table lists every material in its group with the limits the core writes', async () => {
  for (const [locale, separator] of [
    ['ru-RU', ','],
    ['en-US', '.'],
  ]) {
    const page = await openPage({ locale });
    const table = await page.evaluate(() =>
      [...document.querySelectorAll('#reference tr')].map((row) =>
        [...row.cells].map((cell) => `${cell.tagName}${cell.scope ? `[${cell.scope}]` : ''} ${cell.textContent}`),
      ),
    );
    const expected = [
      ['Материал подшипника', 'Max давление, МПа', 'Max скорость, м/с', '[pv], МПАхм/с', 'Мах температура, град C']
        .map((heading) => `TH[col] ${heading}`),
      ...module.referenceTable(separator).map((row) =>
        row.header !== undefined
          ? [`TH[rowgroup] ${row.header}`]
          : [`TH[row] ${row.name}`, ...[row.maxPressure, row.maxSpeed, row.maxPV, row.maxTemperature].map((v) => `TD ${v}`)],
      ),
    ];
    assert.deepEqual(table, expected);
    assert.equal(table.filter((row) => row[0].startsWith('TH[row]')).length, 21);
    assert.equal(table[4][0], 'TH[row] Полиамид');
    assert.equal(table[4][3], `TD 0${separator}15`);
    await closePage(page);
  }
});

// Types a check into the page (a temperature only when it has one) and presses its button.
const enterCheck = async (page, c) => {
  await page.fill('#load', c.load);
  await page.fill('#frequency', c.frequency);
  // Choosing a material clears the results: the one already chosen is left as it is.
  if ((await page.locator('#material').inputValue()) !== (c.row < 0 ? '' : String(c.row))) {
    await page.selectOption('#material', c.row < 0 ? [] : String(c.row));
  }
  // The oil film's section has boxes of the same names.
  const check = page.locator('#check');
  await check.getByLabel('Диаметр цапфы d:').fill(c.diameter);
  await check.getByLabel('Длина подшипника L:').fill(c.length);
  await check.getByLabel('Рабочая температура t:').fill(c.temperature);
  await page.getByRole('button', { name: 'Проверить' }).click();
};

// The check as the page shows it: the table's rows in the command line's words, then
// the lines below it; the charts' marks.
const checkShown = async (page) => {
  await page.waitForFunction(() => !document.body.dataset.pressing);
  return page.evaluate(() => ({
    caption: document.querySelector('#check-table caption').textContent,
    lines: [
      ...[...document.querySelectorAll('#check-table tbody tr')].map((row) => {
        const [name, value, limit, use] = [...row.cells].map((cell) => cell.textContent);
        return `${name} = ${value}, ${use} от ${limit}`;
      }),
      ...[...document.querySelectorAll('#check-lines li')].map((item) => item.textContent),
    ],
    marks: [...document.querySelectorAll('.chart svg [id]')].map((mark) => mark.id),
  }));
};

const checkExample = { ...workedExample, diameter: '16.7', temperature: '80' };

describe('the design check of the worked example, d × L = 16.7 × 20 mm', () => {
  test('typed and pressed by keyboard: the figures, the charts and the report', async () => {
    const page = await openPage();
    await enterCheck(page, checkExample);
    // Once more from the keyboard: the button is reached and pressed without the mouse.
    await page.getByLabel('Рабочая температура t:').focus();
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement?.id), 'check-design');
    await page.keyboard.press('Enter');
    const seen = await checkShown(page);
    const c = checkExample;
    const expected = module.designCheck(c.row, c.load, c.frequency, c.diameter, c.length, c.temperature, ',');
    assert.equal(seen.caption, 'Проверка: Бронза БрО10Ф1');
    assert.deepEqual(seen.lines, checkLines(expected));
    assert.equal(seen.lines[0], 'давление p = 14,97 МПа, 99,8 % от [p] = 15 МПа');
    assert.equal(seen.lines.at(-1), 'итог: проходит');
    assert.ok(seen.marks.includes('operating-point') && seen.marks.includes('proposed-design'), seen.marks.join());
    assert.equal(await page.locator('#pv-chart svg').count(), 1);
    assert.equal(await page.locator('#design-chart svg').count(), 1);

    // The report comes as a download made in the page, an HTML file of this check.
    const [download] = await Promise.all([
      page.waitForEvent('download'),
      page.locator('#check').getByRole('button', { name: 'Отчет' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'отчет.html');
    assert.match(download.url(), /^blob:/);
    const html = readFileSync(await download.path(), 'utf8');
    // Read in a page of its own (this page's policy would refuse the report's style), in
    // the same context, where any request it made would be caught.
    const reader = await page.context().newPage();
    await reader.setContent(html);
    const report = await reader.evaluate((text) => ({
      lang: document.documentElement.lang,
      heading: document.querySelector('h1')?.textContent ?? '',
      operatingPoint: document.querySelectorAll('[id="operating-point"]').length,
      scripts: document.querySelectorAll('script').length,
      wellFormed: new DOMParser().parseFromString(text, 'application/xml').querySelector('parsererror') === null,
      text: document.body.textContent,
    }), html);
    await reader.close();
    assert.equal(report.lang, 'ru');
    assert.ok(report.heading.length > 0);
    assert.ok(report.operatingPoint > 0);
    assert.equal(report.scripts, 0);
    assert.ok(report.wellFormed);
    assert.match(report.text, /Бронза БрО10Ф1/);
    assert.match(report.text, /14,97/);

    // Without a temperature, the verdict says that none was compared.
    await enterCheck(page, { ...checkExample, temperature: '' });
    assert.equal((await checkShown(page)).lines.at(-1), 'итог: проходит (температура не сравнивалась: не задана)');
    await closePage(page);
  });

  // Each way a check stops: its message in the dialog, and no figure or chart left behind.
  const checkFaults = [
    ['no material chosen', { row: -1 }, 'Выберите материал'],
    ['a zero diameter', { diameter: '0' }, 'Диаметр должен быть больше нуля'],
    ['a length that is no number', { length: '20 мм' }, null],
    ['a temperature that is no number', { temperature: 'горячо' }, null],
  ];
  for (const [name, change, text] of checkFaults) {
    test(name, async () => {
      const page = await openPage();
      await enterCheck(page, checkExample);
      await checkShown(page);
      const c = { ...checkExample, ...change };
      await enterCheck(page, c);
      const expected = module.designCheck(c.row, c.load, c.frequency, c.diameter, c.length, c.temperature, ',');
      assert.ok(expected.message !== null && (text === null || expected.message === text));
      assert.deepEqual(await openDialog(page), {
        modal: true,
        title: 'Ошибка',
        text: expected.message.replace(/\r\n?/g, '\n'),
        focused: 'message-ok',
      });
      await page.keyboard.press('Enter');
      assert.deepEqual(await checkShown(page), { caption: '', lines: [], marks: [] });
      assert.equal(await page.locator('#check-table').isHidden(), true);
      await closePage(page);
    });
  }
});

// The oil film's boxes by their labels, in the order of filmInputs.
const filmLabels = ['Радиальное усилие F:', 'Частота вращения n:', 'Диаметр цапфы d:', 'Длина подшипника L:',
  'Диаметральный зазор Δ:', 'Динамическая вязкость µ:', 'Шероховатость цапфы Rz:', 'Шероховатость вкладыша Rz:',
  'Требуемый запас K:'];

// Types an oil-film case into its section and presses its button.
const enterFilm = async (page, c) => {
  const film = page.locator('#film');
  for (const [i, input] of filmInputs.entries()) {
    await film.getByLabel(filmLabels[i]).fill(c[input]);
  }
  await film.getByRole('button', { name: 'Рассчитать слой' }).click();
};

// The oil film as the page shows it: the limit said above the lines, the lines, and the
// charts' marks.
const filmShown = async (page) => {
  await page.waitForFunction(() => !document.body.dataset.pressing);
  return page.evaluate(() => ({
    limit: document.getElementById('film-limit').hidden ? null : document.getElementById('film-limit').textContent,
    lines: [...document.querySelectorAll('#film-lines li')].map((item) => item.textContent),
    passes: document.getElementById('film-results').dataset.passes ?? null,
    pressureMarks: [...document.querySelectorAll('#film-pressure-chart:not([hidden]) svg [id]')].map((mark) => mark.id),
    designMarks: [...document.querySelectorAll('#film-design-chart:not([hidden]) svg [id]')].map((mark) => mark.id),
  }));
};

// 10 kN at 1500 rpm on d × L = 80 × 80 mm, Δ = 120 µm, µ = 0.02 Pa·s: ε about 0.56.
const filmExample = { load: '10000', frequency: '1500', diameter: '80', length: '80', clearance: '120',
  viscosity: '0,02', journalRoughness: '', boreRoughness: '', margin: '' };

describe('the oil film', () => {
  test('typed and pressed by keyboard: the lines, the charts, a limit and a fault', async () => {
    const page = await openPage();
    // The boxes that may stay empty show their defaults with the page's separator.
    const placeholders = await page.evaluate(() =>
      ['film-journal-roughness', 'film-bore-roughness', 'film-margin'].map((id) => document.getElementById(id).placeholder));
    assert.deepEqual(placeholders, ['3,2', '6,3', '2']);
    await enterFilm(page, filmExample);
    await page.getByLabel('Требуемый запас K:').focus();
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement?.id), 'film-calculate');
    await page.keyboard.press('Enter');
    const expected = moduleFilm(module, filmExample, ',');
    const seen = await filmShown(page);
    assert.deepEqual(seen.lines, expected.lines);
    assert.equal(seen.lines[4], 'относительный эксцентриситет ε = 0,5594, угол положения φ = 53,08°');
    assert.equal(seen.lines.at(-1), 'итог: проходит');
    assert.deepEqual([seen.limit, seen.passes], [null, 'true']);
    // The charts' ids take the section's prefix: the check's charts name marks alike.
    assert.ok(seen.pressureMarks.includes('film-pressure-curve') && seen.pressureMarks.includes('film-peak-pressure'),
      seen.pressureMarks.join());
    assert.ok(seen.designMarks.includes('film-design-curve') && seen.designMarks.includes('film-operating-point'),
      seen.designMarks.join());
    // Its report comes as a download made in the page, the module's report of the case.
    const [download] = await Promise.all([
      page.waitForEvent('download'),
      page.locator('#film').getByRole('button', { name: 'Отчет' }).click(),
    ]);
    assert.equal(download.suggestedFilename(), 'отчет.html');
    const html = readFileSync(await download.path(), 'utf8');
    const dated = html.match(/\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d UTC/)?.[0];
    assert.ok(dated, 'the report is dated');
    assert.match(html, /<h1>Масляный слой подшипника скольжения<\/h1>/);
    assert.ok(html.includes('0,5594'), 'the report shows ε with the page\'s separator');

    // A load that no film carries: the limit above the lines of the inputs and the verdict,
    // the design chart with the case's S and no pressure chart.
    const beyond = { ...filmExample, load: '1e9' };
    await enterFilm(page, beyond);
    const limit = moduleFilm(module, beyond, ',');
    assert.deepEqual(limit.messages.map(({ code }) => code), ['load_beyond_film']);
    const { designMarks, ...beyondSeen } = await filmShown(page);
    assert.deepEqual(beyondSeen, {
      limit: limit.messages[0].text.replace(/\r\n?/g, '\n'),
      lines: limit.lines,
      passes: 'false',
      pressureMarks: [],
    });
    assert.equal(limit.lines.at(-1), 'итог: не проходит');
    assert.ok(designMarks.includes('film-operating-sommerfeld') && !designMarks.includes('film-operating-point'),
      designMarks.join());

    // A value that is no number stops the case with its message, and leaves nothing behind.
    await enterFilm(page, { ...filmExample, viscosity: '0,02 Па·с' });
    assert.deepEqual(await openDialog(page), {
      modal: true,
      title: 'Ошибка',
      text: 'Динамическая вязкость масла задана не числом',
      focused: 'message-ok',
    });
    await page.keyboard.press('Enter');
    assert.equal(await page.evaluate(() => document.activeElement?.id), 'film-calculate');
    assert.deepEqual(await filmShown(page), { limit: null, lines: [], passes: null, pressureMarks: [], designMarks: [] });
    await closePage(page);
  });
});

describe('the layout fits the screen from a phone to a desktop', () => {
  for (const width of [360, 1280]) {
    test(`${width} px`, async () => {
      const page = await openPage({ width, height: 800 });
      await enterCase(page, workedExample);
      await enterCheck(page, checkExample);
      await checkShown(page);
      await enterFilm(page, filmExample);
      await filmShown(page);
      // Nothing but the reference table's own scrolling region is wider than the screen.
      const overflow = await page.evaluate(() => ({
        page: document.documentElement.scrollWidth - document.documentElement.clientWidth,
        controls: [...document.querySelectorAll('input, select, button, output, label')]
          .filter((element) => element.getBoundingClientRect().right > document.documentElement.clientWidth + 0.5)
          .map((element) => element.id || element.textContent),
      }));
      assert.deepEqual(overflow, { page: 0, controls: [] });
      if (screenshots) {
        await page.screenshot({ path: join(screenshots, `web-${width}.png`), fullPage: true });
      }
      await closePage(page);
    });
  }
});

describe('axe-core finds no accessibility violation', () => {
  const states = [
    ['the page as it opens', async () => {}],
    ['with results', (page) => enterCase(page, workedExample)],
    ['with a message open', (page) => enterCase(page, messageCases[0][1])],
    ['with a check and its charts', async (page) => {
      await enterCheck(page, checkExample);
      await checkShown(page);
    }],
    // The film's charts name some marks as the check's do.
    ['with a check and an oil film, all four charts', async (page) => {
      await enterCheck(page, checkExample);
      await checkShown(page);
      await enterFilm(page, filmExample);
      await filmShown(page);
    }],
    ['with an oil film beyond its limit', async (page) => {
      await enterFilm(page, { ...filmExample, load: '1e9' });
      await filmShown(page);
    }],
  ];
  for (const [name, reach] of states) {
    test(name, async () => {
      const page = await openPage();
      await reach(page);
      // The page's policy refuses any script added to it; axe comes in by the debugger.
      await page.evaluate(readFileSync(require.resolve('axe-core'), 'utf8'));
      const violations = await page.evaluate(async () =>
        (await window.axe.run()).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`),
      );
      assert.deepEqual(violations, []);
      // axe leaves out ids repeated inside the drawings; a label finds only the first.
      const repeatedIds = await page.evaluate(() => {
        const ids = [...document.querySelectorAll('[id]')].map((element) => element.id);
        return ids.filter((id, index) => ids.indexOf(id) !== index);
      });
      assert.deepEqual(repeatedIds, []);
      await page.context().close();
    });
  }
});

test('the page forbids every request and every script it did not bring', async () => {
  const page = await openPage();
  const policy = await page.getAttribute('meta[http-equiv="Content-Security-Policy"]', 'content');
  assert.match(policy, /^default-src 'none'; script-src 'sha256-[^']+' 'wasm-unsafe-eval'; style-src 'sha256-[^']+';/);
  // A request or a script the page did not bring is refused by the page itself, before
  // any interception.
  const refused = await page.evaluate(async () => {
    const violations = [];
    document.addEventListener('securitypolicyviolation', (event) => violations.push(event.effectiveDirective));
    const fetched = await fetch('https://example.org/').then(() => true, () => false);
    const script = document.createElement('script');
    script.textContent = 'window.injected = true;';
    document.head.append(script);
    await new Promise((resolve) => setTimeout(resolve, 0));
    return { violations, fetched, injected: window.injected === true };
  });
  assert.deepEqual(refused, { violations: ['connect-src', 'script-src-elem'], fetched: false, injected: false });
  assert.equal(await page.evaluate(() => document.cookie), '');
  // The browser reports the refusals in the console, and nothing else.
  assert.ok(page.errors.length > 0 && page.errors.every((error) => error.includes('Content Security Policy')));
  page.errors.length = 0;
  await closePage(page);
});
