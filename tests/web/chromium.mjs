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
