// The Classic screen (the pace dialog) in headless Chromium, through real DOM events:
// both calculations against the texts quorran-cli prints, the lists, the message box,
// the keys a page uses instead of a desktop's, the 79-character limit, the phone layout,
// and a reload with no network once the service worker is installed.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { start } from './chromium.mjs';

const cli = process.env.QUORRAN_CLI;
const source = name => readFileSync(new URL('../../' + name, import.meta.url), 'utf8');
const ID = Object.fromEntries([...source('core/dialog/control_ids.h').matchAll(/(IDC_\w+) = (\d+)/g)].map(m => [m[1], '#c' + m[2]]));
const CAPTION = source('ui/dialog_strings.h').match(/QUORRAN_DIALOG_CAPTION "(.*)"/)[1];
const STARTING_FOCUS = ID.IDC_PACE_DISTANCE.slice(1);
const opened = () => page.waitForFunction(id => document.activeElement?.id === id, {}, STARTING_FOCUS);

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
  const run = spawnSync(process.execPath, [cli, group, ...options, '--json', '--', ...entries], { encoding: 'utf8' });
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
  page = await chromium.browser.newPage();
  page.on('pageerror', error => assert.fail(error));
  await page.setViewport({ width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await page.goto(chromium.url + '#classic');
  await opened();
});
after(() => chromium?.close());

test('opens set up as the desktop dialog', async () => {
  assert.equal(await page.$eval('#classic-title', h => h.textContent), CAPTION);
  assert.deepEqual(await page.$$eval('input:checked', radios => radios.map(r => '#' + r.id)),
    [ID.IDC_PACE_MILES, ID.IDC_FINISH_MILES, ID.IDC_PER_MILE]);
  for (const [group, placeholder] of [['pace', 'Other Formats'], ['finish', 'Splits']]) {
    const { result, ...rest } = await state(page, group);
    assert.deepEqual(rest, { items: [placeholder], shown: 0, focus: STARTING_FOCUS, box: null }, result);
  }
  assert.ok(!(await page.$$eval('button', buttons => buttons.map(b => b.textContent))).includes('Close'));
});

test('both calculations show the texts quorran-cli prints', async t => {
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
});

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

test('fits a 360 px phone screen with targets a finger can hit', async () => {
  assert.equal(await page.evaluate(() => { const e = document.documentElement; return e.scrollWidth - e.clientWidth; }), 0);
  const targets = await page.$$eval('#dialog :is(button, input[type=text], select, label)',
    all => all.map(el => [el.id || el.textContent, el.getBoundingClientRect().toJSON()]));
  for (const [name, { left, right, width, height }] of targets)
    assert.ok(left >= 0 && right <= 360 && width >= 24 && height >= 24, `${name}: ${width} x ${height} at ${left}`);
});

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
