// The page's module against the command line: thousands of generated cases, both
// buttons, both decimal separators, zeros, overflows and hostile texts. The module must
// show the numbers the command line reports and the same messages, and the diameter with
// the separator it was given.
//
// WEB_DIFFERENTIAL_SEED and WEB_DIFFERENTIAL_CASES replace the seed and the number of cases.

import assert from 'node:assert/strict';
import { test } from 'node:test';

import { commandLineAnswers, generateCases, loadModule, press, shown } from './cases.mjs';

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
