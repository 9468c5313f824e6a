// Debian's chromium, headless, driven by puppeteer-core and axe-core from the build
// folder's node_modules, and the site served as a static host serves it.
import { mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from '../../ui/web/static_server.mjs';

export const required = createRequire(join(process.env.QUORRAN_NODE_MODULES, 'index.js'));
const puppeteer = required('puppeteer-core');
export const { PredefinedNetworkConditions } = puppeteer;

// Every Content-Security-Policy violation on the watched pages, as each page reports it.
export const violations = [];
export async function watched(page) {
  await page.exposeFunction('quorranViolation', text => violations.push(text));
  await page.evaluateOnNewDocument(() => addEventListener('securitypolicyviolation',
    e => window.quorranViolation(`${location.hash} ${e.effectiveDirective}: ${e.blockedURI} at ${e.sourceFile}:${e.lineNumber}`)));
  return page;
}

// Run in the page: the words (runs of letters or digits) under the selector that are
// shown broken across lines; what is there for screen readers alone is not shown.
export function brokenWords(selector) {
  const broken = [], walker = document.createTreeWalker(document.querySelector(selector), NodeFilter.SHOW_TEXT);
  for (let node; (node = walker.nextNode());) {
    if (!node.parentElement.checkVisibility() || node.parentElement.closest('.for-screen-readers, .stacked thead')) continue;
    for (const word of node.data.matchAll(/[\p{L}\p{N}]+/gu)) {
      const range = document.createRange();
      range.setStart(node, word.index);
      range.setEnd(node, word.index + word[0].length);
      if (new Set([...range.getClientRects()].map(r => Math.round(r.bottom))).size > 1) broken.push(word[0]);
    }
  }
  return broken;
}

// The browser, and the site at url; close() ends both.
export async function start() {
  const server = await serve(process.env.QUORRAN_SITE);
  const profile = mkdtempSync(join(tmpdir(), 'quorran-chromium-'));
  const args = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--user-data-dir=' + profile];
  const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM ?? '/usr/lib/chromium/chromium', headless: true, args });
  return {
    browser, server, url: `http://localhost:${server.address().port}/`,
    async close() {
      await browser.close();
      server.closeAllConnections();
      server.close(() => {});
      rmSync(profile, { recursive: true, force: true });
    },
  };
}
