// The page's behaviour: fills the material list and the reference table from the core,
// hands each button press to the core with the boxes' texts, and shows what the core
// returns, event by event, as the bearing window does. Nothing is calculated, parsed or
// formatted here.
/* global createBearingModule */
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
        const name = document.createElement('th');
        name.scope = 'row';
        name.textContent = row.name;
        line.append(name);
        for (const value of [row.maxPressure, row.maxSpeed, row.maxPV, row.maxTemperature]) {
          line.insertCell().textContent = value;
        }
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

  const start = (module) => {
    fillMaterialList(module);
    const calculator = new module.Calculator();
    let pressing = false;
    const press = async (call) => {
      if (pressing) {
        return;
      }
      pressing = true;
      document.body.dataset.pressing = 'true';
      try {
        await replay(call().events);
      } finally {
        pressing = false;
        delete document.body.dataset.pressing;
      }
    };
    material.addEventListener('change', onMaterialChanged);
    dialog.addEventListener('cancel', () => dialog.close());
    byId('message-ok').addEventListener('click', () => dialog.close());
    byId('calculate-sizing').addEventListener('click', () =>
      press(() => calculator.pressSizing(selectedRow(), controls.load.value, controls.frequency.value)),
    );
    byId('calculate-diameter').addEventListener('click', () =>
      press(() =>
        calculator.pressDiameterForLength(
          selectedRow(),
          controls.load.value,
          controls.frequency.value,
          controls.length.value,
          decimalSeparator(),
        ),
      ),
    );
    // The benchmark reads how long after the navigation started the page answered.
    performance.mark('plain-bearings-interactive');
    setTimeout(() => {
      fillReferenceTable(module);
      document.body.dataset.ready = 'true';
    });
  };

  createBearingModule().then(start);
})();
