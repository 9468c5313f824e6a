// The Classic screen (the pace dialog) in headless Chromium, through real DOM events, on
// a phone and on a desktop: both calculations against the texts quorran-cli prints, the
// lists, the message box, the keys a page uses instead of a desktop's, the 79-character
// limit, the phone's one column and the desktop's template layout, and a reload with no
// network once the service worker is installed.
import { test, before, after, afterEach } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { start, watched, violations, brokenWords } from './chromium.mjs';

const cli = process.env.QUORRAN_CLI;
const source = name => readFileSync(new URL('../../' + name, import.meta.url), 'utf8');
const ID = Object.fromEntries([...source('core/dialog/control_ids.h').matchAll(/(IDC_\w+) = (\d+)/g)].map(m => [m[1], '#c' + m[2]]));
const CAPTION = source('ui/dialog_strings.h').match(/QUORRAN_DIALOG_CAPTION "(.*)"/)[1];
const STARTING_FOCUS = ID.IDC_PACE_DISTANCE.slice(1);
const opened = () => page.waitForSelector(ID.IDC_OTHER_FORMATS);
const LAYOUTS = {
  desktop: { width: 1280, height: 800, deviceScaleFactor: 1, isMobile: false, hasTouch: false },
  phone: { width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
};

const GROUPS = {
  pace: { fields: [ID.IDC_PACE_DISTANCE, ID.IDC_PACE_HOURS, ID.IDC_PACE_MINUTES, ID.IDC_PACE_SECONDS],
    units: { '--km': [ID.IDC_PACE_MILES, ID.IDC_PACE_KM] }, calculate: ID.IDC_PACE_CALCULATE, result: ID.IDC_PACE_RESULT,
    list: ID.IDC_OTHER_FORMATS, shown: items => items.findIndex(item => item.includes('per 400m')) },
  finish: { fields: [ID.IDC_FINISH_DISTANCE, ID.IDC_FINISH_PACE_MINUTES, ID.IDC_FINISH_PACE_SECONDS],
    units: { '--km': [ID.IDC_FINISH_MILES, ID.IDC_FINISH_KM], '--per-km': [ID.IDC_PER_MILE, ID.IDC_PER_KM] },
    calculate: ID.IDC_FINISH_CALCULATE, result: ID.IDC_FINISH_RESULT, list: ID.IDC_SPLITS,
    shown: items => (items.length > 0 ? 0 : -1) },
};

// Group, options, entries, and how Calculate is reached: a click or Enter in the last field.
// Seconds of exactly 11.25 print as 11.3; a distance of 2 miles has no splits.
const CASES = [
  ['pace', [], ['', '', '', ''], 'click'],                  ['finish', [], ['10', '', ''], 'Enter'],
  ['pace', [], ['10', '1', '21', '52.5'], 'click'],         ['pace', ['--km'], ['20 km', '2', '1', '5'], 'Enter'],
  ['pace', [], ['.5', '0', '3.75', '1d1'], 'click'],        ['pace', ['--km'], ['m', '3', '30'], 'Enter'],
  ['pace', [], ['26.21875', '3', '30', '0'], 'click'],      ['finish', ['--km', '--per-km'], ['42.195', '4', '30'], 'click'],
  ['finish', [], ['h', '8', '0'], 'Enter'],                 ['finish', [], ['2', '8', '0'], 'click'],
  ['finish', [], ['30', '9'], 'click'],                     ['finish', [], ['-30', '9', '0'], 'click'],
];

// What quorran-cli answers for the same entries: the result and the list, or the warning.
function expected(group, options, entries) {
  const run = spawnSync(process.execPath, [cli, group, '--dialog', ...options, '--json', '--', ...entries], { encoding: 'utf8' });
  const answer = JSON.parse(run.stdout);
  if (answer.status === 'warning') return { warning: answer.warning };
  const [result, ...others] = answer.headlines.map(h => h.text);
  return { result, items: group === 'pace' ? others : answer.tables[0].lines };
}

// The group's result, list and line shown, the focus, and the message box if one is open.
const state = (page, group) => page.evaluate(({ result, list }) => {
  const $ = selector => document.querySelector(selector), box = $('#box');
  return { result: $(result).textContent, items: [...$(list).options].map(o => o.value),
    shown: $(list).selectedIndex, focus: document.activeElement.id,
    box: box.open ? [$('#box-caption').textContent, $('#box-text').textContent] : null };
}, GROUPS[group]);

async function enter(page, selector, text) {
  await page.$eval(selector, field => field.select());
  await (text ? page.keyboard.type(text) : page.keyboard.press('Backspace'));
}

let chromium, page, server;
before(async () => {
  chromium = await start();
  server = chromium.server;
  page = await watched(await chromium.browser.newPage());
  page.on('pageerror', error => assert.fail(error));
});
after(() => chromium?.close());
afterEach(() => assert.deepEqual(violations.splice(0), [], 'Content-Security-Policy violations'));

// The Classic screen afresh, on the layout's screen.
async function load(layout) {
  await page.setViewport(LAYOUTS[layout]);
  await page.goto('about:blank');
  await page.goto(chromium.url + '#classic');
  await opened();
}

// Each test of the dialog on the desktop, then on the phone, where the rest go on.
for (const layout of Object.keys(LAYOUTS)) {
  test(`${layout}: opens set up as the desktop dialog`, async () => {
    await load(layout);
    assert.equal(await page.$eval('#classic-title', h => h.textContent), CAPTION);
    assert.deepEqual(await page.$$eval('#dialog input:checked', radios => radios.map(r => '#' + r.id)),
      [ID.IDC_PACE_MILES, ID.IDC_FINISH_MILES, ID.IDC_PER_MILE]);
    // On a touch screen the focus, and with it the keyboard, stays away.
    const focus = layout === 'phone' ? '' : STARTING_FOCUS;
    for (const [group, placeholder] of [['pace', 'Other Formats'], ['finish', 'Splits']]) {
      const { result, ...rest } = await state(page, group);
      assert.deepEqual(rest, { items: [placeholder], shown: 0, focus, box: null }, result);
    }
    assert.ok(!(await page.$$eval('button', buttons => buttons.map(b => b.textContent))).includes('Close'));
  });

  test(`${layout}: both calculations show the texts quorran-cli prints`, calculations);
}

async function calculations(t) {
  for (const [group, options, entries, how] of CASES) {
    await t.test(`${group} ${options.join(' ')} ${entries.join('|')} (${how})`, async () => {
      const g = GROUPS[group];
      for (const [option, [first, second]] of Object.entries(g.units)) await page.click(options.includes(option) ? second : first);
      for (const [i, selector] of g.fields.entries()) await enter(page, selector, entries[i] ?? '');
      const before = await state(page, group);
      await (how === 'click' ? page.click(g.calculate) : page.keyboard.press('Enter'));
      const want = expected(group, options, entries), got = await state(page, group);
      if (want.warning) {
        assert.deepEqual(got, { ...before, focus: 'box-ok', box: ['Quorix', want.warning] });
        await page.keyboard.press('Escape');
        const focus = how === 'click' ? g.calculate.slice(1) : before.focus;
        assert.deepEqual(await state(page, group), { ...before, focus });
      } else {
        assert.deepEqual(got, { ...want, shown: g.shown(want.items), focus: g.fields[0].slice(1), box: null });
      }
    });
  }
}

test('About opens a box that OK and Escape close, giving the focus back', async () => {
  for (const close of [() => page.click('#box-ok'), () => page.keyboard.press('Escape')]) {
    await page.click(ID.IDC_ABOUT);
    const about = await state(page, 'pace');
    assert.equal(about.box[0], 'Quorix');
    assert.match(about.box[1], /^Quorran Time Calculator, 03 Jan 2003\n(.+\n){4}\n(.+\n){2}Empty fields are treated as zero$/);
    await close();
    assert.deepEqual(await state(page, 'pace'), { ...about, focus: ID.IDC_ABOUT.slice(1), box: null });
  }
  // Focus moved while the box's close event is on its way stays where it was moved.
  await page.click(ID.IDC_ABOUT);
  assert.equal(await page.evaluate(async field => {
    document.querySelector('#box').close();
    document.querySelector(field).focus();
    await new Promise(resolve => setTimeout(resolve, 50));
    return '#' + document.activeElement.id;
  }, ID.IDC_PACE_DISTANCE), ID.IDC_PACE_DISTANCE);
  const before = await state(page, 'finish');
  await page.keyboard.press('Escape');  // with no box open, Escape does nothing
  assert.deepEqual(await state(page, 'finish'), before);
});

test('an entry field takes at most 79 characters', async () => {
  await enter(page, ID.IDC_PACE_DISTANCE, '1'.repeat(100));
  assert.equal((await page.$eval(ID.IDC_PACE_DISTANCE, field => field.value)).length, 79);
});

// Below 37.5 em (600 px) one column at 320 and 360 px, with the text at 100% and 200%:
// text at 16 px (32 px) or more as rendered, targets of 44 x 44 px, nothing wider than
// the screen, no word broken across lines, with a finish time shown; the message box too.
// Each field comes just after its label and below it, each list in its group's frame.
// From 37.5 em every control at its template rectangle.
test('one column on a phone, the template from 37.5 em', async () => {
  for (const [i, selector] of GROUPS.finish.fields.entries()) await enter(page, selector, ['m', '8', '0'][i]);
  await page.keyboard.press('Enter');
  assert.deepEqual(await page.evaluate(lists => {
    const box = e => e.getBoundingClientRect();
    const misplaced = [...document.querySelectorAll('#dialog input[aria-labelledby]')].filter(field => {
      const label = document.getElementById(field.getAttribute('aria-labelledby'));
      return field.previousElementSibling !== label || box(label).bottom > box(field).top;
    });
    const outside = lists.filter(([list, caption]) => {
      const group = [...document.querySelectorAll('#dialog .group')].find(g => g.firstChild.textContent === caption);
      const inner = box(document.querySelector(list)), outer = box(group);
      return inner.top < outer.top || inner.bottom > outer.bottom;
    });
    return [misplaced.map(e => e.id), outside];
  }, [[ID.IDC_OTHER_FORMATS, 'Find Pace'], [ID.IDC_SPLITS, 'Find Finish Time']]), [[], []]);
  const session = await page.createCDPSession();
  for (const [width, scale] of [[320, 1], [360, 1], [320, 2], [360, 2]]) {
    await session.send('Page.setFontSizes', { fontSizes: { standard: 16 * scale, fixed: 13 * scale } });
    await page.setViewport({ ...LAYOUTS.phone, width });
    await page.click(ID.IDC_ABOUT);
    for (const part of ['#classic-screen', '#box']) {
      const where = `${part} at ${width} px, text ${scale * 100}%`;
      const found = { ...await page.evaluate(measure, part), broken: await page.evaluate(brokenWords, part) };
      assert.deepEqual([found.overflow, found.outside, found.broken], [0, [], []], where);
      for (const [name, px] of found.fonts) assert.ok(px >= 16 * scale, `${where}: ${name} in text of ${px} px`);
      for (const [name, w, h] of found.targets) assert.ok(w >= 44 && h >= 44, `${where}: ${name} is ${w} x ${h}`);
    }
    await page.keyboard.press('Escape');
  }
  await session.send('Page.setFontSizes', { fontSizes: { standard: 16, fixed: 13 } });
  // The template's layout has every control at its rectangle (to a pixel, as a dialog
  // scaled down rounds); the one column none.
  const layout = () => page.$$eval('#dialog .control', all => {
    const placed = all.filter(e => [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight].every((at, i) =>
      Math.abs(at - parseFloat([e.style.left, e.style.top, e.style.width, e.style.height][i])) <= 1));
    return placed.length === all.length ? 'template' : placed.length === 0 ? 'one column' : `${placed.length} of ${all.length} placed`;
  });
  for (const [width, wanted] of [[599, 'one column'], [600, 'template'], [1280, 'template']]) {
    await page.setViewport({ ...LAYOUTS.desktop, width });
    assert.equal(await layout(), wanted, `${width} px`);
  }
  await page.setViewport(LAYOUTS.phone);
});

// What a part of the page shows: how far the page scrolls sideways, what lies outside
// the screen, the rendered text sizes and the targets' sizes.
function measure(part) {
  const root = document.querySelector(part), screen = innerWidth;
  const shown = [root, ...root.querySelectorAll('*')].filter(e => e.checkVisibility() && !e.matches('.probe'));
  const box = e => e.getBoundingClientRect();
  const size = e => parseFloat(getComputedStyle(e).fontSize) * e.currentCSSZoom * visualViewport.scale;
  return {
    overflow: document.documentElement.scrollWidth - screen,
    outside: shown.filter(e => box(e).left < 0 || box(e).right > screen + 0.5).map(e => e.outerHTML.slice(0, 60)),
    fonts: shown.filter(e => [...e.childNodes].some(n => n.nodeType === Node.TEXT_NODE && n.data.trim()) || e.matches('input[type=text], select')).map(e => [e.id || e.textContent, size(e)]),
    targets: shown.filter(e => e.matches('button, input[type=text], select, label')).map(e => [e.id || e.textContent, box(e).width, box(e).height]),
  };
}

test('can be installed, and works with no network after one visit', async () => {
  const session = await page.createCDPSession();
  assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  await page.evaluate(() => navigator.serviceWorker.ready);
  server.closeAllConnections();
  await new Promise(resolve => server.close(resolve));
  await page.setOfflineMode(true);
  await page.reload();
  await opened();
  for (const [i, selector] of GROUPS.finish.fields.entries()) await enter(page, selector, ['m', '8', '0'][i]);
  await page.keyboard.press('Enter');
  assert.deepEqual(await state(page, 'finish'),
    { ...expected('finish', [], ['m', '8', '0']), shown: 0, focus: GROUPS.finish.fields[0].slice(1), box: null });
});
