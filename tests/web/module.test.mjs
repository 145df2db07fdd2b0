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

// "максимальный диаметр = 636.6 мм" holds 636.6; an empty line holds nothing.
const lineNumber = (line, caption) => {
  if (line === undefined || line === '') {
    return null;
  }
  assert.ok(line.startsWith(`${caption} =`) && line.endsWith(' мм'), line);
  return Number(line.slice(caption.length + 2, -3));
};

test(`the module shows what the command line reports for ${count} cases (seed ${seed})`, async () => {
  const module = await loadModule();
  const cases = generateCases(seed, count);
  const answers = commandLineAnswers(cases);
  assert.equal(answers.length, cases.length);
  const calculator = new module.Calculator();
  const kinds = { sizing: 0, diameter: 0, messages: 0, zeroLoad: 0, overflow: 0 };
  try {
    cases.forEach((c, i) => {
      const answer = answers[i];
      const name = `case ${i} ${JSON.stringify(c)}`;
      const point = shown(press(calculator, c, '.'));
      const comma = shown(press(calculator, c, ','));
      assert.equal(point.message, answer.message, name);
      assert.equal(comma.message, answer.message, name);

      // A run that stopped clears the result lines, whatever figures it reached.
      const figures = [
        ['maxDiameterLine', 'максимальный диаметр', answer.max_diameter],
        ['minLengthLine', 'минимальная длина', answer.min_length],
      ];
      for (const [control, caption, expected] of figures) {
        const number = lineNumber(point.texts[control], caption);
        assert.equal(lineNumber(comma.texts[control], caption), number, name);
        if (number === null) {
          assert.ok(expected === null || answer.message !== null, `${name}: ${control} empty`);
        } else {
          assert.equal(number, expected, `${name}: ${control}`);
        }
      }

      const diameter = point.texts.minDiameterOnLength;
      if (answer.min_diameter === null) {
        assert.equal(diameter, undefined, name);
      } else {
        assert.ok(!diameter.includes(','), name);
        assert.equal(comma.texts.minDiameterOnLength, diameter.replace('.', ','), name);
        assert.equal(Number(diameter), answer.min_diameter, name);
      }

      kinds[c.length === null ? 'sizing' : 'diameter'] += 1;
      kinds.messages += answer.message === null ? 0 : 1;
      kinds.zeroLoad += answer.min_area === 0 ? 1 : 0;
      kinds.overflow += answer.message?.includes('переполнение') ? 1 : 0;
    });
  } finally {
    calculator.delete();
  }
  // The generator must keep reaching every kind of case.
  for (const [kind, seen] of Object.entries(kinds)) {
    assert.ok(seen > count / 100, `${kind}: ${seen} cases`);
  }
});
