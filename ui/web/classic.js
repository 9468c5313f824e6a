'use strict';
// The Classic screen: the pace dialog, drawn when the screen is first shown. The
// WebAssembly module hands over the dialog template row by row; this draws each control
// at its rectangle, converted from dialog units with base units taken from the dialog's
// font, and carries out the view operations the commands ask for. All behaviour stays
// in the module. Below 37.5 em the style sheet lays the same controls out in one column,
// in the order they come: a label just before the field it names, a list in its group.
const classic = (() => {
  const dialog = document.getElementById('dialog');
  const box = document.getElementById('box');
  const control = id => document.getElementById('c' + id);
  const groups = [];  // group boxes: rectangle, element, and the Calculate button inside
  const fields = [];  // entry fields, to be named by the label on their left
  const touch = matchMedia('(pointer: coarse)');
  let units, size, textLimit, radioGroup = 0, opening = false;

  // Base units in pixels, as Windows takes them from a dialog's font: x the average
  // width of the 52 letters, y the height of a line of text.
  function baseUnits() {
    const probe = document.createElement('span');
    probe.textContent = 'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ';
    probe.className = 'probe';
    dialog.append(probe);
    const { width, height } = probe.getBoundingClientRect();
    probe.remove();
    return { x: Math.round(width / 52), y: Math.round(height) };
  }

  // A rectangle in dialog units, in pixels, each edge rounded as MulDiv rounds.
  const toPixels = r => ({
    left: Math.round(r.x * units.x / 4), top: Math.round(r.y * units.y / 8),
    width: Math.round(r.w * units.x / 4), height: Math.round(r.h * units.y / 8),
  });

  const inside = (r, outer) =>
    r.x >= outer.x && r.y >= outer.y && r.x + r.w <= outer.x + outer.w && r.y + r.h <= outer.y + outer.h;

  function place(el, r, origin) {
    const p = toPixels(r), o = origin ? toPixels(origin) : { left: 0, top: 0 };
    el.classList.add('control');
    Object.assign(el.style, {
      left: p.left - o.left + 'px', top: p.top - o.top + 'px', width: p.width + 'px', height: p.height + 'px',
    });
  }

  // The whole dialog scaled to the width of its screen, never above its own size, so
  // a phone shows all of it without scrolling sideways.
  function fit() {
    const room = dialog.parentElement.clientWidth;
    dialog.style.zoom = Math.min(1, room / toPixels(size).width);
  }

  function element(tag, props) {
    return Object.assign(document.createElement(tag), props);
  }

  const page = {
    command: null,  // the module's command entry, once it has loaded

    // Has the module (run) draw the dialog and set it up. On a touch screen that moves
    // no focus, which would bring the keyboard up over the dialog.
    create(run) {
      opening = true;
      try {
        run();
      } finally {
        opening = false;
      }
    },

    open(width, height, limit) {
      units = baseUnits();
      size = { x: 0, y: 0, w: width, h: height };
      textLimit = limit;
      const p = toPixels(size);
      Object.assign(dialog.style, { width: p.width + 'px', height: p.height + 'px' });
      fit();
      addEventListener('resize', fit);
    },

    addControl(id, kind, startsGroup, x, y, w, h, text) {
      if (startsGroup) radioGroup += 1;
      // A list closed is as tall as a push button: the template's height includes it open.
      const r = { x, y, w, h: kind === 'list' ? Math.min(h, 14) : h };
      const group = groups.find(g => inside(r, g.r));
      const notify = () => page.command?.(id), container = group ? group.el : dialog;
      let el, before = null;
      if (kind === 'group') {
        el = element('div', { role: 'group' });
        el.append(element('span', { id: 'c' + id, className: 'caption', textContent: text }));
        el.setAttribute('aria-labelledby', 'c' + id);
        groups.push({ r, el });
      } else if (kind === 'radio') {
        const radio = element('input', { type: 'radio', id: 'c' + id, name: 'radios' + radioGroup });
        radio.addEventListener('click', notify);
        el = element('label');
        el.append(radio, text);
      } else if (kind === 'button') {
        el = element('button', { type: 'button', id: 'c' + id, textContent: text });
        el.addEventListener('click', notify);
        if (group) group.calculate = el;
      } else if (kind === 'edit') {
        el = element('input', {
          type: 'text', id: 'c' + id, maxLength: textLimit, autocomplete: 'off', spellcheck: false,
          autocapitalize: 'off', enterKeyHint: 'go',
        });
        el.addEventListener('input', notify);
        // Enter (a phone keyboard's Go key) runs the Calculate of the field's own group.
        el.addEventListener('keydown', event => {
          if (event.key !== 'Enter' || event.isComposing) return;
          event.preventDefault();
          group?.calculate?.click();
        });
        fields.push({ r, el });
      } else if (kind === 'list') {
        el = element('select', { id: 'c' + id });
        el.addEventListener('change', notify);
      } else if (kind === 'icon') {
        el = element('div', { id: 'c' + id });
        const p = toPixels(r), side = 32 * Math.max(1, Math.round(Math.min(p.width, p.height) / 32));
        el.append(element('img', { src: 'icons/quorran.png', alt: '', width: side, height: side }));
      } else {
        el = element('div', { id: 'c' + id, className: 'static ' + kind, textContent: text });
        // A label names the entry field on its right, and comes just before it.
        const field = fields.find(f => f.r.x >= x + w && f.r.y < y + h && y < f.r.y + f.r.h);
        field?.el.setAttribute('aria-labelledby', el.id);
        if (field?.el.parentElement === container) before = field.el;
      }
      el.classList.add(kind);
      place(el, r, group?.r);
      container.insertBefore(el, before);
    },

    check(id) { control(id).checked = true; },
    nameList(id, name) { control(id).setAttribute('aria-label', name); },

    isChecked(id) { return control(id).checked ? 1 : 0; },

    getText(id) {
      const el = control(id);
      return el.tagName === 'INPUT' || el.tagName === 'SELECT' ? el.value : el.textContent;
    },

    setText(id, text) {
      const el = control(id);
      if (el.tagName === 'INPUT') el.value = text;
      else if (el.tagName !== 'SELECT') el.textContent = text;
    },

    listClear(id) { control(id).length = 0; },

    // A list's item holds the exact text as its value and shows it with no-break
    // spaces, so the blanks that line the split times up are not collapsed. Adding an
    // item does not change which one is shown.
    listAdd(id, text) {
      const list = control(id), shown = list.selectedIndex;
      list.add(new Option(text.replaceAll(' ', '\u00a0'), text));
      list.selectedIndex = shown;
    },

    listSelectPrefix(id, afterIndex, prefix) {
      const list = control(id), count = list.length, wanted = prefix.toLowerCase();
      const first = afterIndex >= 0 && afterIndex < count ? afterIndex + 1 : 0;
      for (let step = 0; step < count; step += 1) {
        const index = (first + step) % count;
        if (list.options[index].value.toLowerCase().startsWith(wanted)) {
          list.selectedIndex = index;
          return;
        }
      }
    },

    setFocus(id) {
      if (!(opening && touch.matches)) control(id).focus();
    },

    // A modal box with an OK button; Escape closes it too. The focus goes back where
    // it was when the box opened, unless the user has moved it since: the close event
    // comes a task after the box closes, and a busy page may have taken keys meanwhile.
    showBox(kind, caption, text) {
      const back = document.activeElement;
      box.className = kind;
      document.getElementById('box-caption').textContent = caption;
      document.getElementById('box-text').textContent = text;
      box.addEventListener('close', () => {
        const focus = document.activeElement;
        if (!focus || focus === document.body || box.contains(focus)) back?.focus();
      }, { once: true });
      box.showModal();
    },
  };

  return page;
})();
