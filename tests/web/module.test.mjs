// The page's module against the command line: thousands of generated cases, both
// buttons, both decimal separators, zeros, overflows and hostile texts. The module must
// show the numbers the command line reports and the same messages, and the diameter with
// the separator it was given.
//
// WEB_DIFFERENTIAL_SEED and WEB_DIFFERENTIAL_CASES replace the seed and the number of cases.

import assert from 'node:assert/strict';
import { test } from 'node:test';

import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import {
  checkLines,
  commandLineAnswers,
  commandLineCheck,
  commandLineFilm,
  commandLineFilms,
  commandLineMaterials,
  commandLineChecks,
  generateCases,
  generateCheckCases,
  filmInputs,
  generateFilmCases,
  loadModule,
  moduleFilm,
  press,
  shown,
} from './cases.mjs';

const seed = Number(process.env.WEB_DIFFERENTIAL_SEED ?? 20261207);
const count = Number(process.env.WEB_DIFFERENTIAL_CASES ?? 12000);

// A number as shown (" 636.6", " 1.909859E+35", "16,7"), or null for none.
const value = (shownNumber, separator = '.') => (shownNumber === '' ? null : Number(shownNumber.replace(separator, '.')));

test(`the module shows what the command line reports for ${count} cases (seed ${seed})`, async (t) => {
  const module = await loadModule();
  const cases = generateCases(seed, count);
  const answers = commandLineAnswers(cases);
  assert.equal(answers.length, cases.length);
  const calculator = new module.Calculator();
  const kinds = { sizing: 0, diameter: 0, messages: 0, zeroLoad: 0, zeroDiameter: 0, overflow: 0 };
  try {
    cases.forEach((c, i) => {
      const answer = answers[i];
      const name = `case ${i} ${JSON.stringify(c)}`;
      const pointPress = press(calculator, c, '.');
      const commaPress = press(calculator, c, ',');
      const point = shown(pointPress);
      const comma = shown(commaPress);
      assert.equal(point.message, answer.message, name);
      assert.equal(comma.message, answer.message, name);

      // The result lines hold the numbers as shown; a run that stopped clears them,
      // whatever figures it reached.
      const lines = [
        ['maxDiameterLine', 'максимальный диаметр =', 'maxDiameter', answer.max_diameter],
        ['minLengthLine', 'минимальная длина =', 'minLength', answer.min_length],
      ];
      for (const [control, caption, field, expected] of lines) {
        const number = pointPress.numbers[field];
        assert.equal(commaPress.numbers[field], number, name);
        assert.equal(point.texts[control] ?? '', number === '' ? '' : `${caption}${number} мм`, `${name}: ${control}`);
        if (number === '') {
          assert.ok(expected === null || answer.message !== null, `${name}: ${control} empty`);
        } else {
          assert.equal(value(number), expected, `${name}: ${control}`);
        }
      }

      // The diameter box alone follows the separator it is given.
      const diameter = pointPress.numbers.minDiameter;
      assert.equal(point.texts.minDiameterOnLength ?? '', diameter, name);
      assert.equal(comma.texts.minDiameterOnLength ?? '', commaPress.numbers.minDiameter, name);
      if (answer.min_diameter === null) {
        assert.equal(diameter, '', name);
      } else {
        assert.ok(!diameter.includes(','), name);
        assert.equal(commaPress.numbers.minDiameter, diameter.replace('.', ','), name);
        assert.equal(value(diameter), answer.min_diameter, name);
      }

      kinds[c.length === null ? 'sizing' : 'diameter'] += 1;
      kinds.messages += answer.message === null ? 0 : 1;
      kinds.zeroLoad += answer.min_area === 0 ? 1 : 0;
      kinds.zeroDiameter += answer.max_diameter === 0 ? 1 : 0;
      kinds.overflow += answer.message?.includes('переполнение') ? 1 : 0;
    });
  } finally {
    calculator.delete();
  }
  t.diagnostic(`cases of each kind: ${JSON.stringify(kinds)}`);
  // The generator must keep reaching every kind of case.
  for (const [kind, seen] of Object.entries(kinds)) {
    assert.ok(seen > count / 100, `${kind}: ${seen} cases`);
  }
});

// The check's fields as the command line's JSON names them; the module gives each figure
// as the same double.
const checkFields = ['pressure', 'speed', 'pv', 'pressure_use', 'speed_use', 'pv_use', 'governing', 'governing_use',
  'max_load', 'max_load_limit', 'max_frequency', 'max_frequency_limit', 'max_sliding_speed', 'temperature_holds',
  'temperature_margin', 'passes', 'message', 'code'];
const checkCount = Number(process.env.WEB_CHECK_CASES ?? 600);

test(`the module's design check gives the command line's figures for ${checkCount} cases (seed ${seed})`, async (t) => {
  const module = await loadModule();
  const cases = generateCheckCases(seed, checkCount);
  const answers = commandLineChecks(cases);
  assert.equal(answers.length, cases.length);
  // No material chosen: the command line's documented code, with the sizing's message.
  const none = module.designCheck(-1, '5000', '300', '16.7', '20', '', '.');
  assert.deepEqual([none.code, none.message], ['choose_material', 'Выберите материал']);
  const kinds = { passes: 0, fails: 0, faults: 0, p: 0, v: 0, pv: 0, temperatureFails: 0 };
  cases.forEach((c, i) => {
    const name = `check ${i} ${JSON.stringify(c)}`;
    const result = module.designCheck(c.row, c.load, c.frequency, c.diameter, c.length, c.temperature, '.');
    const answer = answers[i];
    const expected = Object.fromEntries(checkFields.map((field) => [field, answer[field]]));
    // A check that stopped gives its code and message alone.
    const got = Object.fromEntries(checkFields.map((field) => [field, result[field] ?? null]));
    got.message = got.message?.replace(/\r\n?/g, '\n') ?? null;
    assert.deepEqual(got, expected, name);
    if (answer.code === null) {
      kinds[answer.passes ? 'passes' : 'fails'] += 1;
      kinds[answer.governing] += 1;
      kinds.temperatureFails += answer.temperature_holds === false ? 1 : 0;
    } else {
      kinds.faults += 1;
    }
  });
  t.diagnostic(`checks of each kind: ${JSON.stringify(kinds)}`);
  for (const [kind, seen] of Object.entries(kinds)) {
    assert.ok(seen >= 5, `${kind}: ${seen} checks`);
  }

  // A sample written out: the lines, both charts and the report are the command line's own.
  const materials = commandLineMaterials();
  const folder = mkdtempSync(join(tmpdir(), 'web-check-'));
  try {
    const sample = [{ row: 14, load: '5000', frequency: '300', diameter: '16.7', length: '20', temperature: '80' },
      ...cases.filter((c, i) => answers[i].code === null).slice(0, 12)];
    for (const [i, c] of sample.entries()) {
      const name = `sample ${i} ${JSON.stringify(c)}`;
      for (const [locale, separator] of [['C', '.'], ['ru_RU.UTF-8', ',']]) {
        const result = module.designCheck(c.row, c.load, c.frequency, c.diameter, c.length, c.temperature, separator);
        const kind = i % 2 ? 'design' : 'pv';
        const text = commandLineCheck(c, materials[c.row], { locale, files: folder, kind, date: 1765141454 + i });
        assert.equal(`${checkLines(result).join('\n')}\n`, text, `${name} ${locale}`);
        const charts = module.checkCharts(c.row, c.load, c.frequency, c.diameter, c.length, separator);
        assert.ok(readFileSync(join(folder, 'chart.svg'), 'utf8').includes(charts[kind]), `${name}: ${kind} chart`);
        assert.match(charts.pv, /id="operating-point"/, name);
        assert.match(charts.design, /id="proposed-design"/, name);
        const report = module.checkReport(c.row, c.load, c.frequency, c.diameter, c.length, c.temperature, separator,
          1765141454 + i);
        assert.equal(report, readFileSync(join(folder, 'report.html'), 'utf8').replaceAll('plain-bearings-calc',
          'plain-bearings'), `${name}: report`);
      }
    }
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

// The oil film: every filmFields figure of the module within 1e-9 of the command line's
// (the same core, built for the page and for the program), the fault or the limit with
// the same code and message, and for a sample the lines, the charts and the report the
// command line writes, with either decimal separator.
const filmCount = Number(process.env.WEB_FILM_CASES ?? 400);
const close = (got, expected) =>
  got === expected ||
  (typeof got === 'number' && typeof expected === 'number' &&
    Math.abs(got - expected) <= 1e-9 * Math.max(Math.abs(got), Math.abs(expected)));

test(`the module's oil film gives the command line's figures for ${filmCount} cases (seed ${seed})`, async (t) => {
  const module = await loadModule();
  const cases = generateFilmCases(seed, filmCount);
  const answers = commandLineFilms(cases);
  assert.equal(answers.length, cases.length);
  const kinds = { passes: 0, fails: 0, faults: 0, beyondFilm: 0, otherLimits: 0, smooth: 0 };
  const results = cases.map((c, i) => {
    const name = `film ${i} ${JSON.stringify(c)}`;
    const answer = answers[i];
    const result = moduleFilm(module, c, '.');
    // The separator changes the lines alone.
    assert.deepEqual(moduleFilm(module, c, ',').fields, result.fields, name);
    for (const [field, value] of Object.entries(result.fields)) {
      assert.ok(field in answer, `${name}: ${field} missing`);
      assert.ok(close(value, answer[field]), `${name}: ${field} ${value} against ${answer[field]}`);
    }
    const codes = result.messages.map(({ code }) => code);
    assert.equal(codes.join(' ') || null, answer.code, name);
    assert.equal(result.messages.map(({ text }) => text.replace(/\r\n?/g, '\n')).join('\n') || null, answer.message,
      name);
    assert.equal(result.passes, answer.passes, name);
    if (answer.passes === null) {
      kinds.faults += 1;
    } else {
      kinds[answer.passes ? 'passes' : 'fails'] += 1;
      kinds.beyondFilm += codes.includes('load_beyond_film') ? 1 : 0;
      kinds.otherLimits += codes.length > 0 && !codes.includes('load_beyond_film') ? 1 : 0;
      kinds.smooth += answer.roughness_sum === 0 ? 1 : 0;
    }
    return result;
  });
  t.diagnostic(`films of each kind: ${JSON.stringify(kinds)}`);
  for (const [kind, seen] of Object.entries(kinds)) {
    assert.ok(seen >= 5, `${kind}: ${seen} films`);
  }
  // Two smooth surfaces: a margin without end, which JSON and the module give as none.
  assert.ok(results.some((r) => r.fields.roughness_sum === 0 && r.fields.eccentricity !== null &&
    r.fields.film_margin === null));

  // A sample in text: one case of each verdict, limit and fault, both roughnesses or neither.
  const sample = [];
  const pick = (kind, test) => {
    const i = cases.findIndex((c, k) => !sample.includes(k) && (c.journalRoughness === '') ===
      (c.boreRoughness === '') && test(results[k], c));
    assert.ok(i >= 0, `no ${kind} in the sample`);
    sample.push(i);
  };
  pick('passing case', (r) => r.passes === true);
  pick('passing case with its roughness given', (r, c) => r.passes === true && c.journalRoughness !== '');
  pick('failing case', (r) => r.passes === false && r.messages.length === 0);
  pick('load beyond the film', (r) => r.messages[0]?.code === 'load_beyond_film');
  // A text that starts with '-' would read as an option.
  pick('fault', (r, c) => r.passes === null && filmInputs.every((input) => /^[^-\s]/.test(c[input]) ||
    (c[input] === '' && input.endsWith('Roughness'))));
  // Its charts are contained in the --chart file, and its report is the --report file.
  const folder = mkdtempSync(join(tmpdir(), 'web-film-'));
  try {
    for (const [n, i] of sample.entries()) {
      const c = { ...cases[i], journalRoughness: cases[i].journalRoughness.replace(',', '.'),
        boreRoughness: cases[i].boreRoughness.replace(',', '.') };
      const texts = filmInputs.map((input) => c[input]);
      for (const [locale, separator] of [['C', '.'], ['ru_RU.UTF-8', ',']]) {
        const name = `film ${i} ${JSON.stringify(c)} ${locale}`;
        const kind = n % 2 ? 'design' : 'pressure';
        const date = 1765141454 + n;
        const lines = moduleFilm(module, c, separator).lines;
        const text = commandLineFilm(c, { locale, files: results[i].passes === null ? null : folder, kind, date });
        assert.equal(text, lines.map((line) => `${line}\n`).join(''), name);
        if (results[i].passes !== null) {
          // Where the film carries no solution, --chart says why in place of a chart; the
          // page draws the design chart with the case's S, as the report does.
          if (results[i].fields.eccentricity !== null) {
            const chart = module.filmCharts(...texts, separator)[kind];
            assert.ok(readFileSync(join(folder, 'chart.svg'), 'utf8').includes(chart), `${name}: ${kind} chart`);
          }
          assert.equal(module.filmReport(...texts, separator, date),
            readFileSync(join(folder, 'report.html'), 'utf8').replaceAll('plain-bearings-calc', 'plain-bearings'),
            `${name}: report`);
        }
      }
    }
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});
