// The page's behaviour: fills the material list and the reference table from the core,
// hands each button press to the core with the boxes' texts, and shows what the core
// returns, event by event, as the bearing window does. Nothing is calculated, parsed or
// formatted here.
/* global createBearingModule, bearingCoreGzip */
'use strict';

(() => {
  const byId = (id) => document.getElementById(id);

  // The decimal separator of the browser's language, as the desktop program takes its
  // system's: "16,7" in Russian, "16.7" in English. The browser loads its locale data on
  // the first use, which takes longer than the rest of the start: it is read once, after
  // the page has become usable.
  let separator = null;
  const decimalSeparator = () => {
    if (separator === null) {
      const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
      separator = parts.find((part) => part.type === 'decimal')?.value ?? '.';
    }
    return separator;
  };

  // Where each control the core names is shown.
  const controls = {
    maxDiameterLine: byId('max-diameter-line'),
    minLengthLine: byId('min-length-line'),
    minDiameterOnLength: byId('min-diameter'),
    load: byId('load'),
    frequency: byId('frequency'),
    length: byId('length'),
  };

  const resultsCaption = byId('results-caption');
  const captionText = resultsCaption.textContent;
  const material = byId('material');
  const dialog = byId('message');

  // The core's messages break lines with CR LF or a lone CR.
  const showMessage = (event) =>
    new Promise((resolve) => {
      byId('message-title').textContent = event.title;
      byId('message-text').textContent = event.text.replace(/\r\n?/g, '\n');
      dialog.dataset.icon = event.icon;
      dialog.addEventListener('close', () => resolve(), { once: true });
      dialog.showModal();
    });

  const setText = (event) => {
    const control = controls[event.control];
    if (control instanceof HTMLInputElement) {
      control.value = event.text;
    } else if (control) {
      control.textContent = event.text;
    }
  };

  // Each message waits for the user to close it before the next event shows, as the
  // window's modal message box does.
  const replay = async (events) => {
    for (const event of events) {
      if (event.kind === 'message') {
        await showMessage(event);
      } else {
        setText(event);
      }
    }
  };

  const fillMaterialList = (module) => {
    let group = null;
    for (const item of module.materialList()) {
      if (item.header !== undefined) {
        group = document.createElement('optgroup');
        group.label = item.header;
        material.append(group);
      } else {
        const option = new Option(item.name, String(item.row));
        // The list shows a name without its trailing blank; the caption takes it as it is.
        option.dataset.name = item.name;
        option.dataset.temperature = item.temperature;
        group.append(option);
      }
    }
  };

  // A table row headed by a name, its values in the cells after it.
  const fillRow = (line, name, values) => {
    const heading = document.createElement('th');
    heading.scope = 'row';
    heading.textContent = name;
    line.append(heading);
    for (const value of values) {
      line.insertCell().textContent = value;
    }
  };

  const fillReferenceTable = (module) => {
    const table = byId('reference');
    let body = null;
    for (const row of module.referenceTable(decimalSeparator())) {
      const line = document.createElement('tr');
      if (row.header !== undefined) {
        body = table.createTBody();
        const cell = document.createElement('th');
        cell.scope = 'rowgroup';
        cell.colSpan = 5;
        cell.append(document.createElement('span'));
        cell.firstChild.textContent = row.header;
        line.append(cell);
      } else {
        fillRow(line, row.name, [row.maxPressure, row.maxSpeed, row.maxPV, row.maxTemperature]);
      }
      body.append(line);
    }
  };

  // Results of another material must not stay beside this one's name.
  const onMaterialChanged = () => {
    controls.maxDiameterLine.textContent = '';
    controls.minLengthLine.textContent = '';
    const option = material.selectedOptions[0];
    byId('max-temperature').textContent = option ? option.dataset.temperature : '';
    resultsCaption.textContent = option ? `${captionText} (материал - ${option.dataset.name})` : captionText;
  };

  const selectedRow = () => (material.selectedIndex < 0 ? -1 : Number(material.value));


  // The design check: the material, load and frequency of the bearing section with the
  // check's own boxes; its figures, lines and charts are the core's, as the command line
  // writes them.
  const checkBoxes = () => [
    selectedRow(),
    controls.load.value,
    controls.frequency.value,
    byId('check-diameter').value,
    byId('check-length').value,
  ];

  const clearCheck = () => {
    byId('check-table').hidden = true;
    byId('check-caption').textContent = '';
    byId('check-table').tBodies[0].replaceChildren();
    byId('check-lines').replaceChildren();
    delete byId('check-results').dataset.passes;
    for (const id of ['pv-chart', 'design-chart']) {
      byId(id).hidden = true;
      byId(id).replaceChildren();
    }
  };

  // The core's SVG, markup the page itself made and that holds no script, shown in place.
  // The film's charts and the check's name some marks alike; with `prefix`, a chart's ids
  // take it, so that the page's ids stay unique (no chart refers to its own ids).
  const showChart = (id, svg, prefix = '') => {
    const figure = byId(id);
    figure.innerHTML = svg;
    figure.hidden = svg === '';
    if (prefix !== '') {
      for (const mark of figure.querySelectorAll('[id]')) {
        mark.id = `${prefix}${mark.id}`;
      }
    }
  };

  const showCheck = async (module) => {
    const boxes = checkBoxes();
    const result = module.designCheck(...boxes, byId('check-temperature').value, decimalSeparator());
    clearCheck();
    if (result.message !== null) {
      await showMessage({ title: 'Ошибка', text: result.message, icon: 'warning' });
      return;
    }
    const option = material.selectedOptions[0];
    byId('check-caption').textContent = `Проверка: ${option.dataset.name.trim()}`;
    const body = byId('check-table').tBodies[0];
    for (const row of result.shown.rows) {
      fillRow(body.insertRow(), row.name, [row.value, row.limit, row.use]);
    }
    byId('check-lines').append(
      ...result.shown.lines.map((text) => {
        const item = document.createElement('li');
        item.textContent = text;
        return item;
      }),
    );
    byId('check-results').dataset.passes = String(result.passes);
    byId('check-table').hidden = false;
    const charts = module.checkCharts(...boxes, decimalSeparator());
    showChart('pv-chart', charts.pv);
    showChart('design-chart', charts.design);
  };

  // The oil film: its own boxes, an empty roughness or margin standing for the core's
  // default; its figures, lines, messages and charts are the core's, as the command line
  // writes them.
  const filmInputs = ['film-load', 'film-frequency', 'film-diameter', 'film-length', 'film-clearance', 'film-viscosity',
    'film-journal-roughness', 'film-bore-roughness', 'film-margin'];
  const filmBoxes = () => [...filmInputs.map((id) => byId(id).value), decimalSeparator()];

  const clearFilm = () => {
    byId('film-limit').hidden = true;
    byId('film-limit').textContent = '';
    byId('film-lines').replaceChildren();
    delete byId('film-results').dataset.passes;
    for (const id of ['film-pressure-chart', 'film-design-chart']) {
      byId(id).hidden = true;
      byId(id).replaceChildren();
    }
  };

  // A fault stops the case with its message, as the check's do; a limit of the model is
  // said above the figures the case still reached.
  const showFilm = async (module) => {
    const boxes = filmBoxes();
    const result = module.oilFilm(...boxes);
    clearFilm();
    const message = result.messages.map(({ text }) => text.replace(/\r\n?/g, '\n')).join('\n');
    if (result.passes === null) {
      await showMessage({ title: 'Ошибка', text: message, icon: 'warning' });
      return;
    }
    byId('film-limit').textContent = message;
    byId('film-limit').hidden = message === '';
    byId('film-lines').append(
      ...result.lines.map((text) => {
        const item = document.createElement('li');
        item.textContent = text;
        return item;
      }),
    );
    byId('film-results').dataset.passes = String(result.passes);
    const charts = module.filmCharts(...boxes);
    showChart('film-pressure-chart', charts.pressure, 'film-');
    showChart('film-design-chart', charts.design, 'film-');
  };

  // The boxes that may stay empty show what stands for them.
  const fillFilmDefaults = (module) => {
    const defaults = module.filmDefaults(decimalSeparator());
    byId('film-journal-roughness').placeholder = defaults.journalRoughness;
    byId('film-bore-roughness').placeholder = defaults.boreRoughness;
    byId('film-margin').placeholder = defaults.margin;
  };

  // A report is made in the page and handed to the browser as a download: no request.
  // Each is dated with the browser's clock, in whole seconds.
  const now = () => Math.floor(Date.now() / 1000);
  let reportUrl = null;
  const saveReport = (html) => {
    if (reportUrl !== null) {
      URL.revokeObjectURL(reportUrl);
    }
    reportUrl = URL.createObjectURL(new Blob([html], { type: 'text/html;charset=utf-8' }));
    const link = document.createElement('a');
    link.href = reportUrl;
    link.download = 'отчет.html';
    link.click();
  };

  const start = (module) => {
    fillMaterialList(module);
    const calculator = new module.Calculator();
    let pressing = false;
    const press = async (action) => {
      if (pressing) {
        return;
      }
      pressing = true;
      document.body.dataset.pressing = 'true';
      try {
        await action();
      } finally {
        pressing = false;
        delete document.body.dataset.pressing;
      }
    };
    material.addEventListener('change', () => {
      onMaterialChanged();
      clearCheck();
    });
    dialog.addEventListener('cancel', () => dialog.close());
    byId('message-ok').addEventListener('click', () => dialog.close());
    byId('calculate-sizing').addEventListener('click', () =>
      press(() => replay(calculator.pressSizing(selectedRow(), controls.load.value, controls.frequency.value).events)),
    );
    byId('calculate-diameter').addEventListener('click', () =>
      press(() =>
        replay(
          calculator.pressDiameterForLength(
            selectedRow(),
            controls.load.value,
            controls.frequency.value,
            controls.length.value,
            decimalSeparator(),
          ).events,
        ),
      ),
    );
    byId('check-design').addEventListener('click', () => press(() => showCheck(module)));
    byId('check-report').addEventListener('click', () =>
      saveReport(module.checkReport(...checkBoxes(), byId('check-temperature').value, decimalSeparator(), now())),
    );
    byId('film-calculate').addEventListener('click', () => press(() => showFilm(module)));
    byId('film-report').addEventListener('click', () => saveReport(module.filmReport(...filmBoxes(), now())));
    // The benchmark reads how long after the navigation started the page answered.
    performance.mark('plain-bearings-interactive');
    setTimeout(() => {
      fillReferenceTable(module);
      fillFilmDefaults(module);
      document.body.dataset.ready = 'true';
    });
  };

  // Where the browser lacks what the page needs (WebAssembly under the page's policy,
  // DecompressionStream), the page says so instead of staying silent.
  const unsupported = () => {
    byId('unsupported').hidden = false;
  };

  // The page carries its WebAssembly gzipped, in base64, and hands it to the module
  // instead of letting it fetch a file.
  const fromBase64 = (base64) => {
    if (Uint8Array.fromBase64) {
      return Uint8Array.fromBase64(base64);
    }
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) {
      bytes[i] = text.charCodeAt(i);
    }
    return bytes;
  };
  // Read through the stream's own reader, whose reads resolve as microtasks, so that the
  // WebAssembly is whole before the browser turns to its next task; a Response's
  // arrayBuffer() would wait for tasks of its own, behind the page's first layout.
  const inflate = async (gzip) => {
    const stream = new DecompressionStream('gzip');
    const writer = stream.writable.getWriter();
    // A broken stream fails the reads below; the writer's promises would only repeat it.
    writer.write(gzip).catch(() => {});
    writer.close().catch(() => {});
    const chunks = [];
    const reader = stream.readable.getReader();
    for (let part = await reader.read(); !part.done; part = await reader.read()) {
      chunks.push(part.value);
    }
    const wasm = new Uint8Array(chunks.reduce((size, chunk) => size + chunk.length, 0));
    let at = 0;
    for (const chunk of chunks) {
      wasm.set(chunk, at);
      at += chunk.length;
    }
    return wasm;
  };

  // Compiled on the page's own thread as soon as it is inflated: browsers compile
  // WebAssembly lazily, so that takes a millisecond or two, and the page answers before
  // its first layout, where an asynchronous compilation would end in a task queued behind
  // that layout. Chromium before 114 refuses to compile a module of this size on the
  // page's thread; there it is compiled in the background.
  const instantiate = (wasm, imports) => {
    try {
      return { instance: new WebAssembly.Instance(new WebAssembly.Module(wasm), imports) };
    } catch (error) {
      if (error instanceof RangeError) {
        return WebAssembly.instantiate(wasm, imports);
      }
      throw error;
    }
  };

  const instantiateWasm = (imports, receiveInstance) => {
    inflate(fromBase64(bearingCoreGzip))
      .then((wasm) => instantiate(wasm, imports))
      .then(({ instance }) => receiveInstance(instance), unsupported);
    return {};
  };

  if (typeof WebAssembly === 'object' && typeof DecompressionStream === 'function') {
    createBearingModule({ instantiateWasm }).then(start, unsupported);
  } else {
    unsupported();
  }
})();
