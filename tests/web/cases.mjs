// What the web tests share: where the built page and the command line are, a seeded
// generator of bearing cases (ordinary numbers, zeros, overflows and hostile texts), the
// command line's answers for a batch of them, and the page module's answers.

import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

// CTest gives both paths; by hand they default to the default preset's tree.
const root = new URL('../..', import.meta.url).pathname;
export const pageDir = resolve(process.env.PLAIN_BEARINGS_PAGE_DIR ?? join(root, 'build/default/web/src/web'));
export const pagePath = join(pageDir, 'plain-bearings.html');
export const calcPath = resolve(process.env.PLAIN_BEARINGS_CALC ?? join(root, 'build/default/src/cli/plain-bearings-calc'));

export const loadModule = () => createRequire(import.meta.url)(join(pageDir, 'bearing-core.js'))();

// A small, fast, seeded generator, so that a failing case can be run again.
export const seededRandom = (seed) => {
  let state = seed >>> 0;
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
};

const hostile = ['', '0', '-0', ' ', 'abc', '1,5', '1 500', '&H1F', '&O17', '2D3', '1e39', '-1e39', '3.4e38', '1e-45',
  '1e30', '.', '-5', '+7', '300 об/мин', '1e400', '\t12\t'];

// An ordinary number within [0, top), now and then a huge or tiny one, or a hostile text.
const numberText = (random, top) => {
  const pick = random();
  if (pick < 0.6) {
    const value = random() * top;
    return random() < 0.5 ? String(Math.round(value)) : value.toFixed(1 + Math.floor(random() * 4));
  }
  if (pick < 0.75) {
    return `${(random() * 9 + 1).toFixed(3)}e${Math.floor(random() * 90) - 45}`;
  }
  return hostile[Math.floor(random() * hostile.length)];
};

// `count` cases; a case without a length is the sizing button, one with a length the
// diameter button.
export const generateCases = (seed, count) => {
  const random = seededRandom(seed);
  return Array.from({ length: count }, () => ({
    row: Math.floor(random() * 21),
    load: numberText(random, 100000),
    frequency: numberText(random, 5000),
    // The command line sizes only when the length is empty: a blank one stands for it.
    length: random() < 0.5 ? null : numberText(random, 400) || ' ',
  }));
};

// Runs the command line, whose status 1 says only that some case ended in a message or
// did not pass.
const runCalc = (args, input, env = {}) => {
  try {
    return execFileSync(calcPath, args, {
      input,
      env: { ...process.env, ...env },
      maxBuffer: 1 << 30,
      stdio: ['pipe', 'pipe', 'ignore'],
    }).toString('utf8');
  } catch (error) {
    if (error.status !== 1) {
      throw error;
    }
    return error.stdout.toString('utf8');
  }
};

const csvField = (text) => `"${text.replaceAll('"', '""')}"`;

// The command line's JSON answer for each row of a batch, in order, from one run:
// `header` names the columns, `fields` gives a case's texts in their order.
const commandLineBatch = (args, header, cases, fields) => {
  const lines = [header, ...cases.map((c) => fields(c).map(csvField).join(','))];
  return JSON.parse(runCalc(['--batch', '-', '--format', 'json', ...args], `${lines.join('\r\n')}\r\n`));
};

// The command line's JSON answer for each case, in order, from one batch run.
export const commandLineAnswers = (cases) =>
  commandLineBatch([], 'material,load,frequency,length', cases, (c) => [String(c.row + 1), c.load, c.frequency,
    c.length ?? '']);

// The page module's press for one case: {events, numbers}, the events the page replays
// in order and the numbers in the result texts as shown.
export const press = (calculator, c, separator) =>
  c.length === null
    ? calculator.pressSizing(c.row, c.load, c.frequency)
    : calculator.pressDiameterForLength(c.row, c.load, c.frequency, c.length, separator);

// What a user sees after the press: each control's last text, and the messages in order
// with their line breaks as the command line writes them.
export const shown = ({ events }) => {
  const texts = {};
  const messages = [];
  for (const event of events) {
    if (event.kind === 'message') {
      messages.push(event.text.replace(/\r\n?/g, '\n'));
    } else {
      texts[event.control] = event.text;
    }
  }
  return { texts, message: messages.length ? messages.join('\n') : null };
};

// `count` design checks: mostly ordinary bearings, so that both verdicts and every
// governing limit come up, now and then a hostile or extreme text; a temperature in
// about half of them.
export const generateCheckCases = (seed, count) => {
  const random = seededRandom(seed);
  const text = (top) => (random() < 0.85 ? (random() * top).toFixed(Math.floor(random() * 3)) : numberText(random, top));
  return Array.from({ length: count }, () => ({
    row: Math.floor(random() * 21),
    load: text(20000),
    frequency: text(3000),
    diameter: text(200),
    length: text(200),
    temperature: random() < 0.5 ? '' : text(400),
  }));
};

// The command line's JSON answer for each check, in order, from one batch run.
export const commandLineChecks = (cases) =>
  commandLineBatch(['--check'], 'material,load,frequency,diameter,length,temperature', cases, (c) => [
    String(c.row + 1), c.load, c.frequency, c.diameter, c.length, c.temperature]);

// The materials as the command line lists them: {name, group} by row.
export const commandLineMaterials = () => JSON.parse(runCalc(['--list-materials', '--format', 'json'], ''));

// One check as the command line writes it in text (`locale` sets its decimal separator),
// and its chart of `kind` and report (dated `date`) when `files` names a folder. The
// material is named as the page names it, by its name and group.
export const commandLineCheck = (c, material, { locale = 'C', files = null, kind = 'pv', date = 0 } = {}) => {
  const args = ['--check', '-m', material.name, '--group', material.group, '-F', c.load, '-n', c.frequency, '-d', c.diameter, '-L', c.length];
  if (c.temperature !== '') {
    args.push('-t', c.temperature);
  }
  if (files) {
    args.push('--chart', join(files, 'chart.svg'), '--chart-kind', kind, '--report', join(files, 'report.html'));
  }
  return runCalc(args, '', { LANG: locale, LC_ALL: locale, SOURCE_DATE_EPOCH: String(date) });
};

// The module's check in the command line's text form.
export const checkLines = ({ shown }) => [
  ...shown.rows.map((row) => `${row.name} = ${row.value}, ${row.use} от ${row.limit}`),
  ...shown.lines,
];

// The oil film's texts in the order the page's boxes and the module take them; an empty
// roughness or margin is not given.
export const filmInputs = ['load', 'frequency', 'diameter', 'length', 'clearance', 'viscosity', 'journalRoughness',
  'boreRoughness', 'margin'];

// `count` oil-film cases: mostly bearings that the film carries, with L/d and Δ/d across
// what the model takes, numbers written with a point or a comma; among them loads far
// beyond what the film carries, smooth surfaces (no roughness: an infinite margin),
// roughnesses and margins given or left to their defaults, and now and then a hostile or
// extreme text, a clearance too large for a thin film or an L/d outside the grid's.
export const generateFilmCases = (seed, count) => {
  const random = seededRandom(seed);
  const written = (value, decimals) => {
    const text = value.toFixed(decimals);
    return random() < 0.5 ? text.replace('.', ',') : text;
  };
  return Array.from({ length: count }, () => {
    const diameter = 20 + random() * 280;
    const lengthRatio = 0.15 + random() * 2.5;
    const relativeClearance = 0.0005 + random() * 0.003;
    const pick = random();
    const c = {
      load: written(100 + random() * 50000, 1),
      frequency: written(50 + random() * 6000, 0),
      diameter: written(diameter, 2),
      length: written(diameter * lengthRatio, 2),
      clearance: written(relativeClearance * diameter * 1000, 1),
      viscosity: written(0.004 + random() * 0.1, 4),
      journalRoughness: random() < 0.5 ? '' : written(random() * 8, 1),
      boreRoughness: random() < 0.5 ? '' : written(random() * 12, 1),
      margin: random() < 0.6 ? '' : written(0.5 + random() * 4, 2),
    };
    if (pick < 0.1) {
      c.load = written(Number(c.load.replace(',', '.')) * 1e4, 0);
    } else if (pick < 0.2) {
      c.journalRoughness = '0';
      c.boreRoughness = '0';
    } else if (pick < 0.3) {
      const field = filmInputs[Math.floor(random() * filmInputs.length)];
      c[field] = numberText(random, 1000) || (field.endsWith('Roughness') || field === 'margin' ? '-1' : '');
    } else if (pick < 0.34) {
      c.clearance = written(diameter * 20, 0);
    } else if (pick < 0.38) {
      c.length = written(diameter * (random() < 0.5 ? 0.05 : 5), 2);
    }
    return c;
  });
};

// The command line's JSON answer for each oil-film case, in order, from one batch run;
// an empty optional cell is not given.
export const commandLineFilms = (cases) =>
  commandLineBatch(['--film'], 'load,frequency,diameter,length,clearance,viscosity,roughness_journal,roughness_bore,' +
    'film_margin', cases, (c) => filmInputs.map((input) => c[input]));

// One oil-film case as the command line writes it in text (`locale` sets its decimal
// separator): its lines, a line each; and its chart of `kind` and report (dated `date`)
// when `files` names a folder. Both roughnesses or neither are to be given, each written
// with a point: the option parts the two by a comma.
export const commandLineFilm = (c, { locale = 'C', files = null, kind = 'pressure', date = 0 } = {}) => {
  const args = ['--film', '-F', c.load, '-n', c.frequency, '-d', c.diameter, '-L', c.length, '--clearance', c.clearance,
    '--viscosity', c.viscosity];
  if (c.journalRoughness !== '' || c.boreRoughness !== '') {
    args.push('--roughness', `${c.journalRoughness},${c.boreRoughness}`);
  }
  if (c.margin !== '') {
    args.push('--film-margin', c.margin);
  }
  if (files) {
    args.push('--chart', join(files, 'chart.svg'), '--chart-kind', kind, '--report', join(files, 'report.html'));
  }
  return runCalc(args, '', { LANG: locale, LC_ALL: locale, SOURCE_DATE_EPOCH: String(date) });
};

// The module's oil film of a case, its numbers shown with `separator`.
export const moduleFilm = (module, c, separator) => module.oilFilm(...filmInputs.map((input) => c[input]), separator);
