// Makes the one HTML file of the web page: the template with the style sheet, the
// emscripten module, its WebAssembly (gzipped, in base64) and the page's script inlined,
// and a Content-Security-Policy that lets only those two inline blocks run and allows no
// request of any kind.
//
//   node inline.mjs SOURCE_DIR MODULE_JS MODULE_WASM SKETCH_SVG VERSION OUTPUT_HTML

import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { constants, gzipSync } from 'node:zlib';

const [sourceDir, modulePath, wasmPath, sketchPath, version, output] = process.argv.slice(2);
const read = (path) => readFileSync(path, 'utf8');
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

const style = read(join(sourceDir, 'page.css'));
// The WebAssembly is the larger part of the page; gzipped, its base64 takes half the room
// of the raw one's, and the page inflates it with the browser's own DecompressionStream.
// Node's gzip leaves the header's time at zero, so the same WebAssembly makes the same
// page.
const wasm = gzipSync(readFileSync(wasmPath), { level: constants.Z_BEST_COMPRESSION }).toString('base64');
const script = [read(modulePath), `const bearingCoreGzip = '${wasm}';`, read(join(sourceDir, 'page.js'))].join('\n');
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
// screen reader as the window names it, and scaled by the style sheet. Its own ids and
// the references to them take a prefix: inline, they share the page's ids (the sketch's
// "load" arrow and the load's box).
const sketch = read(sketchPath)
  .replace(/^[\s\S]*?(?=<svg)/, '')
  .replace(/<!--[\s\S]*?-->/g, '')
  .replace(/ width="\d+" height="\d+"/, ' role="img" aria-label="Эскиз подшипника"')
  .replace(/(id="|href="#|url\(#)(?=[\w-])/g, '$1sketch-')
  .trim();

const page = read(join(sourceDir, 'page.html'))
  .replace('@CONTENT_SECURITY_POLICY@', policy)
  .replace('@VERSION@', version)
  .replace('@SKETCH@', () => sketch)
  .replace('@STYLE@', () => `<style>${style}</style>`)
  .replace('@SCRIPT@', () => `<script>${script}</script>`);
writeFileSync(output, page);
