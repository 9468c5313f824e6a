'use strict';
// The app's side of the toolbox. The WebAssembly module's ToolboxCommands decide
// everything; this draws what they hand over (the tools, a tool's entries, the unit
// setting, the report, all as JSON), hands every user action back, and keeps the page's
// address naming the screen shown (#predict, #classic). No tool has code of its own here.
(() => {
  const $ = id => document.getElementById(id);
  const make = (tag, props = {}, ...children) => {
    const el = Object.assign(document.createElement(tag), props);
    el.append(...children);
    return el;
  };
  const CLASSIC = 'classic';
  const narrow = matchMedia('(max-width: 37.49em)');
  // The tool that opens a file picked, dropped or shared: the table's tool whose entry is a file.
  const fileTool = () => tools.find(t => t.takes_file)?.name;
  let tools = [], entries = [], classicOpened = false, documents = [], listedTools = '';

  // The module, with the toolbox's view and the dialog's (classic.js, which draws the
  // Classic screen when it is first shown), and its WebAssembly, which the page carries
  // as hexadecimal digits; the loader adds the module's exports to it.
  const binary = hex => {
    const digit = at => (hex.charCodeAt(at) & 15) + 9 * (hex.charCodeAt(at) >> 6), bytes = new Uint8Array(hex.length >> 1);
    for (let i = 0; i < bytes.length; i++) bytes[i] = digit(2 * i) << 4 | digit(2 * i + 1);
    return bytes;
  };
  const wasmBinary = binary($('wasm').textContent);
  $('wasm').remove();
  const Module = { page: classic, wasmBinary };
  // The module that runs the toolbox: this one, or once the run tool is chosen, the run
  // module, the same app with the run tool's readers, which then runs it from there on.
  let active = Module;
  const call = (name, ...args) => active['_quorran_' + name]?.(...args);

  // ---- Screens and the address ----------------------------------------------------

  const asked = () => decodeURIComponent(location.hash.slice(1));

  function showScreen(name) {
    $('tool').hidden = name === CLASSIC;
    $('classic-screen').hidden = name !== CLASSIC;
    for (const link of $('tool-list').querySelectorAll('a')) {
      if (link.hash === '#' + name) link.setAttribute('aria-current', 'page');
      else link.removeAttribute('aria-current');
    }
    if (name === CLASSIC && !classicOpened && tools.length) openClassic();
  }

  function openClassic() {
    classicOpened = true;
    classic.command = id => Module._quorran_command(id);
    classic.create(() => Module._quorran_open_classic());
  }

  // A link, a shortcut, the browser's Back or an address typed names another screen: a
  // tool's, or none (-1), which keeps the tool shown and has the address name it again.
  function follow() {
    const name = asked();
    if (name === CLASSIC) showScreen(name);
    else call('tool_chosen', tools.findIndex(t => t.name === name));
  }
  addEventListener('hashchange', follow);

  // The address names the tool shown, unless it names Classic; the screen and its link follow.
  function nameInAddress(tool) {
    if (asked() !== CLASSIC && asked() !== tool) history.replaceState(null, '', '#' + tool);
    showScreen(asked());
  }

  // On a narrow screen the tools are a menu that the Tools button opens; choosing one, or
  // Escape on the button or in the menu, closes it and gives the focus back to the button.
  function openMenu(open) {
    $('menu').setAttribute('aria-expanded', open);
    $('tools').classList.toggle('open', open);
  }
  $('menu').addEventListener('click', () => openMenu(!$('tools').classList.contains('open')));
  // A tool's link shows it at once, not a task later when the address has changed: on a
  // busy phone the keys typed meanwhile would go to entries about to be replaced.
  $('tools').addEventListener('click', event => {
    const link = event.target.closest('a');
    if (!link || event.button !== 0 || event.ctrlKey || event.metaKey || event.shiftKey || event.altKey) return;
    event.preventDefault();
    location.hash = link.hash;
    follow();
    if (!narrow.matches) return;
    openMenu(false);
    $('menu').focus();
  });
  for (const part of [$('menu'), $('tools')]) {
    part.addEventListener('keydown', event => {
      if (event.key !== 'Escape' || !narrow.matches) return;
      openMenu(false);
      $('menu').focus();
    });
  }

  // ---- Entries --------------------------------------------------------------------

  // A problem in words: "must be above zero" follows the entry's label.
  const sentence = (label, problem) => (/^[a-z]/.test(problem) ? [make('span', { textContent: label + ' ' }), problem] : [problem]);

  // One entry as the page draws it, and how to read, set and mark it.
  function entry(field, index) {
    const id = 'entry-' + field.name, mark = make('p', { id: id + '-mark', className: 'mark' });
    const changed = () => { call('entry_changed', index); announceLater(); };
    let box, control, get, set;
    if (field.kind === 'choice') {
      const options = field.choices.map(c => make('label', { className: 'option' },
        make('input', { type: 'radio', name: id, value: c.value, onchange: changed }), c.label));
      box = control = make('fieldset', {}, make('legend', { textContent: field.label }), ...options);
      const radios = () => [...box.querySelectorAll('input')];
      get = () => radios().find(r => r.checked)?.value ?? '';
      set = text => radios().forEach(r => { r.checked = r.value === text; });
    } else if (field.kind === 'flag') {
      control = make('input', { type: 'checkbox', id, onchange: changed });
      box = make('div', {}, make('label', { className: 'option' }, control, field.label));
      get = () => (control.checked ? 'on' : '');
      set = text => { control.checked = text === 'on'; };
    } else if (field.kind === 'file') {
      // A button that opens the system's file picker; the file's name beside it.
      const name = make('span', { id: id + '-name', className: 'file-name' });
      control = make('button', { type: 'button', id, textContent: 'Open\u2026', onclick: () => picker.click() });
      control.setAttribute('aria-labelledby', id + '-label ' + id);
      const picker = make('input', { type: 'file', id: id + '-picker', hidden: true, accept: RUN_FILES,
        onchange: () => picker.files[0] && openRun(picker.files[0]).finally(() => { picker.value = ''; }) });
      const progress = make('progress', { id: id + '-progress', max: 1, value: 0, hidden: true });
      progress.setAttribute('aria-labelledby', id + '-label');
      box = make('div', { className: 'file' }, make('label', { htmlFor: id, id: id + '-label', textContent: field.label }),
        make('div', { className: 'field' }, control, name, picker), progress,
        make('p', { id: id + '-here', className: 'here', textContent: 'Read on this device, offline: nothing is uploaded.' }));
      get = () => name.textContent;
      set = text => { name.textContent = text; };
      control.setAttribute('aria-describedby', id + '-name ' + id + '-here');
    } else {
      control = make('input', {
        type: 'text', id, name: field.name, placeholder: field.placeholder, inputMode: field.input_hint,
        autocomplete: 'off', autocapitalize: 'off', spellcheck: false, enterKeyHint: 'done', oninput: changed,
      });
      const shortcuts = field.shortcuts.map((s, k) =>
        make('button', { type: 'button', textContent: s.label, onclick: () => { call('shortcut', index, k); announceLater(); } }));
      // What a bare number is in, beside the field, and said after its name.
      const unit = field.unit ? [make('span', { id: id + '-unit', className: 'unit', textContent: field.unit })] : [];
      box = make('div', {}, make('label', { htmlFor: id, textContent: field.label }),
        make('div', { className: 'field' }, control, ...unit));
      if (shortcuts.length) box.append(make('div', { className: 'shortcuts' }, ...shortcuts));
      get = () => control.value;
      set = text => { control.value = text; };
    }
    box.classList.add('entry');
    box.append(mark);
    const described = control.getAttribute('aria-describedby') ?? (field.unit ? id + '-unit' : '');
    control.setAttribute('aria-describedby', (described ? described + ' ' : '') + mark.id);
    set(field.text);
    return {
      box, get, set, kind: field.kind,
      mark(problem) {
        mark.replaceChildren(...(problem ? sentence(field.label, problem) : []));
        if (problem) control.setAttribute('aria-invalid', 'true');
        else control.removeAttribute('aria-invalid');
      },
    };
  }

  // ---- The report -----------------------------------------------------------------

  // Texts are the core's own, their padding collapsed by the page; a flagged value
  // carries its note's mark.
  function reportNodes(report, drawings = []) {
    const marks = Object.fromEntries(report.notes.filter(n => n.mark).map(n => [n.key, n.mark]));
    const flag = mark => (mark ? [make('span', { className: 'flag', textContent: mark })] : []);
    const text = cell => [cell.text, ...flag(marks[cell.flag] && '\u00a0' + marks[cell.flag])];
    const nodes = [];
    // The main answer first and largest, its label above it unless its text says what it is.
    const main = report.headlines.find(h => h.main);
    if (main) {
      nodes.push(make('p', { className: 'answer' }, ...(main.self_described ? [] : [make('span', { textContent: main.label })]),
        ' ', make('strong', {}, main.text.trim(), ...flag(marks[main.flag] && '\u00a0' + marks[main.flag]))));
    }
    // Headlines that say what they are make a list; the others, each with its label.
    let list = null, values = null;
    for (const h of report.headlines) {
      if (h.self_described) {
        values = null;
        if (!list) nodes.push(list = make('ul', { className: 'headlines' }));
        list.append(make('li', {}, ...text(h)));
      } else {
        list = null;
        if (!values) nodes.push(values = make('dl', { className: 'headlines' }));
        values.append(make('div', {}, make('dt', { textContent: h.label }), make('dd', {}, ...text(h))));
      }
    }
    // Each drawing as a picture with its heading; what it shows in words is its text
    // alternative, and its numbers are the tables' below.
    for (const d of drawings) {
      const picture = make('img', { src: 'data:image/svg+xml,' + encodeURIComponent(d.svg), alt: d.text_alternative });
      nodes.push(make('figure', { className: 'drawing' }, picture, make('figcaption', { textContent: d.title })));
    }
    for (const t of report.tables.filter(t => t.rows.length)) {
      const cell = (c, i) => {
        if (t.columns[i].names) return make('th', { scope: 'row' }, ...text(c));
        const td = make('td', {}, ...text(c));
        td.dataset.label = t.columns[i].label;
        return td;
      };
      const head = make('tr', {}, ...t.columns.map(c =>
        make('th', { scope: 'col', className: c.names ? 'name' : '', textContent: c.label })));
      const rows = t.rows.map(row => make('tr', {}, ...row.map(cell)));
      const table = make('table', {}, make('thead', {}, head), make('tbody', {}, ...rows));
      if (t.title) table.prepend(make('caption', { textContent: t.title }));
      nodes.push(make('div', { className: 'table' }, table));
    }
    for (const n of report.notes) {
      const note = make('p', { className: 'note' }, ...flag(n.mark && n.mark + ' '), n.text);
      note.dataset.key = n.key;
      nodes.push(note);
    }
    if (report.documents.length) nodes.push(documentButtons(report.documents));
    return nodes;
  }

  // Each document can be saved; a printable one printed alone, by the print style sheet.
  function documentButtons(all) {
    documents = all;
    const buttons = all.flatMap((d, i) => [
      make('button', { type: 'button', textContent: 'Save ' + d.file_name, onclick: () => save(documents[i]) }),
      ...(d.printable ? [make('button', { type: 'button', textContent: 'Print ' + d.file_name, onclick: () => print(documents[i]) })] : []),
    ]);
    return make('div', { className: 'documents' }, ...buttons);
  }

  const blobUrl = d => URL.createObjectURL(new Blob([d.text], { type: d.media_type }));

  function save(d) {
    const link = make('a', { href: blobUrl(d), download: d.file_name });
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }

  // Until the print is done the page prints that document alone; otherwise it prints itself.
  function print(d) {
    const image = make('img', { src: blobUrl(d), alt: d.file_name });
    $('print-area').replaceChildren(image);
    document.body.classList.add('printing-document');
    addEventListener('afterprint', () => document.body.classList.remove('printing-document'), { once: true });
    image.decode().finally(() => window.print());
  }

  // Changes only what differs: what the user reads or has selected is not redrawn.
  function patch(old, fresh) {
    const attributes = el => [...el.attributes ?? []].map(a => a.name + '=' + a.value).join();
    if (old.nodeName !== fresh.nodeName || attributes(old) !== attributes(fresh) ||
        old.childNodes.length !== fresh.childNodes.length) {
      old.replaceWith(fresh);
    } else if (old.nodeType === Node.TEXT_NODE) {
      if (old.data !== fresh.data) old.data = fresh.data;
    } else {
      const children = [...fresh.childNodes];
      [...old.childNodes].forEach((child, i) => patch(child, children[i]));
    }
  }

  // A table too wide for its screen shows each row as a block, every value beside its
  // column's header. Every table is measured in one layout, then the wide ones stacked:
  // measuring each after stacking the one before would lay the page out once a table.
  function fitTables() {
    const boxes = [...$('report').querySelectorAll('.table')];
    for (const box of boxes) box.classList.remove('stacked');
    const wide = boxes.filter(box => box.scrollWidth > box.clientWidth);
    for (const box of wide) box.classList.add('stacked');
  }
  addEventListener('resize', fitTables);

  // ---- Announcements ----------------------------------------------------------------

  // A screen reader hears the result once typing pauses, not every keystroke's: the
  // entries' problems and that the result is not up to date, or else what the result
  // shows first, its main answer. One announcement a pause, and only news.
  const PAUSE = 700;
  let pending = 0, announced = '';

  function announcement() {
    const parts = [...$('entries').querySelectorAll('.mark')].map(m => m.textContent).filter(Boolean);
    if (!$('stale').hidden) parts.push($('stale').textContent);
    if (parts.length) return parts.join(' ');
    const first = $('report').querySelector('.answer, li, dl > div, tbody tr, p.note');
    const cells = !first ? [] : first.matches('li, p') ? [first] : [...first.children];
    return cells.map(e => e.textContent.trim()).join(' ');
  }

  function announceLater() {
    clearTimeout(pending);
    pending = setTimeout(() => {
      const text = announcement();
      if (text !== announced) $('announce').textContent = announced = text;
    }, PAUSE);
  }

  function announceNothingYet() {
    clearTimeout(pending);
    $('announce').textContent = announced = '';
  }

  // ---- The main answer above the keyboard --------------------------------------------

  // While an entry has the focus on a narrow screen, the main answer stays in sight in a
  // bar at the foot of the visual viewport, above the on-screen keyboard, which shrinks
  // the visual viewport alone on most phones. The bar never takes the focus; tapping it
  // puts the keyboard away and shows the whole result. The page gets room below for the
  // keyboard and the bar, and the entry typed in is kept above the bar.
  const bar = $('answer-bar'), viewport = window.visualViewport;
  function placeBar(keepEntry = false) {
    const answer = $('report').querySelector('.answer');
    bar.hidden = !(narrow.matches && $('entries').contains(document.activeElement) && answer);
    if (bar.hidden) {
      document.body.style.paddingBottom = '';
      return;
    }
    const view = viewport ?? { offsetTop: 0, offsetLeft: 0, width: innerWidth, height: innerHeight };
    bar.replaceChildren(...answer.cloneNode(true).childNodes);
    bar.classList.toggle('stale', $('results').classList.contains('stale'));
    Object.assign(bar.style, { left: view.offsetLeft + 'px', width: view.width + 'px' });
    const top = view.offsetTop + view.height - bar.offsetHeight;
    bar.style.top = top + 'px';
    document.body.style.paddingBottom = innerHeight - top + 'px';
    const hidden = document.activeElement.getBoundingClientRect().bottom - top;
    if (keepEntry && hidden > 0) scrollBy(0, hidden + 8);
  }
  bar.addEventListener('mousedown', event => event.preventDefault());
  bar.addEventListener('click', () => {
    document.activeElement.blur();
    $('results').scrollIntoView({ block: 'start' });
  });
  // From one entry to the next the bar stays, and so does the page's room below.
  document.addEventListener('focusin', () => placeBar(true));
  document.addEventListener('focusout', event => $('entries').contains(event.relatedTarget) || placeBar());
  viewport?.addEventListener('resize', () => placeBar(true));
  viewport?.addEventListener('scroll', () => placeBar());
  narrow.addEventListener('change', () => placeBar());

  // ---- The unit setting and Clear -----------------------------------------------------

  // Labelled by the module, once it lists the tools.
  function settings(labels) {
    const choice = (value, label) => make('label', { className: 'option' },
      make('input', { type: 'radio', name: 'units', id: 'units-' + value, value, onchange: () => call('units_chosen', value === 'km' ? 1 : 0) }),
      label);
    $('settings').replaceChildren(
      make('fieldset', { className: 'units' }, make('legend', { textContent: labels.units }),
        choice('km', labels.km), choice('miles', labels.miles)),
      make('button', { type: 'button', id: 'clear', textContent: labels.clear, onclick: () => call('clear') }));
  }

  // ---- The view the module calls ----------------------------------------------------

  Module.panel = {
    askedTool: asked,

    // The run module lists the same tools again as it takes over: the links and the
    // settings stay, and with them the focus.
    showTools(json) {
      if (json === listedTools) return;
      listedTools = json;
      const listed = JSON.parse(json);
      tools = listed.tools;
      settings(listed.labels);
      const link = (name, title) => make('li', {}, make('a', { href: '#' + name, textContent: title }));
      $('tool-list').replaceChildren(...tools.map(t => link(t.name, t.title)), link(CLASSIC, 'Classic'));
    },

    showTool(index, json) {
      const tool = JSON.parse(json);
      $('tool-title').textContent = tool.title;
      $('tool-purpose').textContent = tool.purpose;
      entries = tool.entries.map(entry);
      announceNothingYet();
      $('entries').replaceChildren(...entries.map(e => e.box));
      nameInAddress(tool.name);
      if (tool.name === fileTool()) runModule().catch(() => {});
    },

    highlightTool(index) { nameInAddress(tools[index].name); },

    showUnits(km) { $('units-' + (km ? 'km' : 'miles')).checked = true; },

    entryText: entry => entries[entry].get(),
    setEntryText(entry, text) { entries[entry].set(text); },
    markEntry(entry, problem) { entries[entry].mark(problem); },

    showReport(json, drawings) {
      const report = JSON.parse(json), box = $('report');
      const nodes = reportNodes(report, JSON.parse(drawings || '[]'));
      $('copy').hidden = nodes.length === 0;
      if (nodes.length === 0) nodes.push(make('p', { className: 'hint', textContent: 'Results show here as you type.' }));
      const fresh = make('div', {}, ...nodes);
      if (box.firstChild) patch(box.firstChild, fresh);
      else box.append(fresh);
      fitTables();
      placeBar();
    },

    setReportCurrent(current) {
      $('results').classList.toggle('stale', !current);
      $('stale').hidden = current || $('copy').hidden;
      placeBar();
    },

    copy(text) { navigator.clipboard?.writeText(text); },
  };

  $('copy').addEventListener('click', () => call('copy'));

  // ---- Recorded runs ------------------------------------------------------------------

  // Read on the device alone: the run module is this app with the run tool's readers,
  // loaded when the run tool is first shown (from the service worker's cache once it
  // has fetched it, at idle after a first visit); it takes over the toolbox, entries and
  // all, which this module then leaves to it.
  const RUN_FILES = '.gpx,.tcx,.fit,application/gpx+xml,application/vnd.garmin.tcx+xml,application/vnd.ant.fit';
  const LARGE = 5e6;  // bytes: from here on, reading shows its progress
  let loading = null, opened = null, opening = 0;
  const runs = {
    opened: name => opened?.name === name,
    bytes: () => opened.bytes,
    number: () => opened?.number ?? 0,
    events: () => opened.events(),
  };
  function runModule() {
    loading ??= new Promise((resolve, reject) => {
      document.head.append(make('script', { src: 'run.js', integrity: document.querySelector('meta[name=run-module]').content,
        onload: resolve, onerror: reject }));
    }).then(() => createQuorranRun({ page: classic, panel: Module.panel, runs, wasmBinary: binary(quorranRunWasm) }))
      .then(module => {
        active = module;
        performance.mark('quorran-runs');
        return module;
      }, error => {
        loading = null;
        throw error;
      });
    return loading;
  }

  // Until the page is drawn again: the slices of a large file's reading come between.
  const slice = () => new Promise(resolve => (window.scheduler?.yield ? scheduler.yield().then(resolve) : setTimeout(resolve)));

  // A file picked, dropped, shared or opened from the system: its bytes read, and for a
  // GPX or TCX its XML events written down a slice at a time, before the run tool reads it.
  async function openRun(file) {
    const mine = ++opening;
    performance.mark('quorran-run-opening');
    if (asked() !== fileTool()) {
      history.pushState(null, '', '#' + fileTool());
      follow();
    }
    const module = await runModule();
    const bytes = new Uint8Array(await file.arrayBuffer());
    const index = entries.findIndex(e => e.kind === 'file'), id = 'entry-file';
    const progress = $(id + '-progress'), large = bytes.length > LARGE;
    let events = () => new Uint8Array(0);
    if (String.fromCharCode(...bytes.subarray(8, 12)) !== '.FIT') {
      const reader = module.xmlEvents(bytes, mine);
      if (large) progress.hidden = false;
      while (!reader.step(30)) {
        reader.feed();
        progress.value = reader.progress();
        await slice();
        if (mine !== opening) return;
      }
      // The core's reader takes the last records and keeps the run, a task of its own.
      if (large) await slice();
      if (mine !== opening) return;
      reader.feed();
      events = reader.events;
    }
    if (large) await slice();
    progress.hidden = true;
    if (mine !== opening) return;
    opened = { name: file.name, bytes, events, number: mine };
    performance.mark('quorran-run-read');
    entries[index].set(file.name);
    call('entry_changed', index);
    announceLater();
    performance.mark('quorran-run-opened');
  }

  // A file dropped anywhere on the page.
  addEventListener('dragover', event => {
    if (event.dataTransfer?.types.includes('Files')) event.preventDefault();
  });
  // Files dropped together open none, as in the windows: which one was meant is unknown.
  addEventListener('drop', event => {
    const files = event.dataTransfer?.files ?? [];
    if (!files.length) return;
    event.preventDefault();
    if (files.length === 1) openRun(files[0]);
  });
  // Opened from the system, as the installed app's file handler.
  window.launchQueue?.setConsumer(launch => launch.files?.[0]?.getFile().then(openRun));
  // Shared from another app: the service worker keeps the file until the page opens it.
  async function openShared() {
    const cache = await caches.open('quorran-shared'), shared = await cache.match('run');
    if (!shared) return;
    await cache.delete('run');
    const name = decodeURIComponent(shared.headers.get('X-File-Name') || 'shared run');
    await openRun(new File([await shared.blob()], name));
  }

  // Once the calculator is usable, the service worker keeps the site for the next visit.
  // After a first visit, the service worker fetches the run module at the page's idle time.
  createQuorran(Module).then(() => {
    performance.mark('quorran-usable');
    navigator.serviceWorker?.register('sw.js');
    const worker = navigator.serviceWorker?.controller;
    const later = () => worker.postMessage('later');
    if (worker) 'requestIdleCallback' in window ? requestIdleCallback(later, { timeout: 10e3 }) : setTimeout(later, 5e3);
    if (asked() === fileTool() && window.caches) openShared().catch(() => {});
  });
})();
