// Put at the start of the emscripten module, inside its factory: the module never
// fetches. The page hands it its WebAssembly, and under node it reads the .wasm beside
// it, which it tries only when it finds no fetch (node has one of its own since 18,
// which this emscripten's module would call with a file path, and fail).
// eslint-disable-next-line no-unused-vars
const fetch = undefined;
