// The web page's JavaScript and its tests, checked by scripts/lint: ESLint's
// recommended rules, no warning allowed.
import js from '@eslint/js';
import globals from 'globals';

export default [
  js.configs.recommended,
  {
    files: ['src/web/page.js'],
    languageOptions: { sourceType: 'script', globals: { ...globals.browser } },
  },
  {
    files: ['src/web/*.mjs', 'tests/web/*.mjs', 'bench/web/*.mjs'],
    languageOptions: { sourceType: 'module', globals: { ...globals.node, ...globals.browser } },
  },
  {
    rules: {
      eqeqeq: 'error',
      'no-var': 'error',
      'prefer-const': 'error',
      strict: ['error', 'global'],
    },
  },
  {
    // Put inside the emscripten module's factory function, whose strictness is the module's.
    files: ['src/web/nofetch.js'],
    languageOptions: { sourceType: 'script' },
    rules: { strict: 'off' },
  },
];
