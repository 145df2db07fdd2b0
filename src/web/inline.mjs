// Makes the one HTML file of the web page: the template with the style sheet, the
// emscripten module (the WebAssembly inside it) and the page's script inlined, and a
// Content-Security-Policy that lets only those two inline blocks run and allows no
// request of any kind.
//
//   node inline.mjs SOURCE_DIR MODULE_JS SKETCH_SVG VERSION OUTPUT_HTML

import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [sourceDir, modulePath, sketchPath, version, output] = process.argv.slice(2);
const read = (path) => readFileSync(path, 'utf8');
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

const style = read(join(sourceDir, 'page.css'));
// The module would first try to fetch() its own data: URL, which the policy refuses with
// an error in the console, and then decode the WebAssembly from the script itself; with
// no fetch in its scope it goes straight to the decoding.
const module = `const createBearingModule = ((fetch) => {\n${read(modulePath)}\nreturn createBearingModule;\n})();`;
const script = `${module}\n${read(join(sourceDir, 'page.js'))}`;
if (script.includes('</script') || style.includes('</style')) {
  throw new Error('an inlined block would end its element early');
}

// 'wasm-unsafe-eval' lets the page compile its own WebAssembly, which it decodes from
// the script; there is nothing to fetch, connect to or load.
const policy = [
  "default-src 'none'",
  `script-src ${hash(script)} 'wasm-unsafe-eval'`,
  `style-src ${hash(style)}`,
  "img-src 'none'",
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');

// The window's sketch of the bearing, drawn inline (no image to load), named for a
// screen reader as the window names it, and scaled by the style sheet.
const sketch = read(sketchPath)
  .replace(/^[\s\S]*?(?=<svg)/, '')
  .replace(/<!--[\s\S]*?-->/g, '')
  .replace(/ width="\d+" height="\d+"/, ' role="img" aria-label="Эскиз подшипника"')
  .trim();

const page = read(join(sourceDir, 'page.html'))
  .replace('@CONTENT_SECURITY_POLICY@', policy)
  .replace('@VERSION@', version)
  .replace('@SKETCH@', () => sketch)
  .replace('@STYLE@', () => `<style>${style}</style>`)
  .replace('@SCRIPT@', () => `<script>${script}</script>`);
writeFileSync(output, page);
