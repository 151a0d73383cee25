// The one harness of the web page's tests: each test starts its own headless
// Chromium (its own profile, ended through its pid), drives it with playwright-core
// and opens the built page from file:// with every other request refused and
// counted, the clock frozen so that the page's seed is known, and
// window.print replaced, so that a test decides when the print dialog closes.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

export const pageFile = process.env.KAKEMARU_WEB_PAGE;
export const pageUrl = pageFile && pathToFileURL(pageFile).href;

const chromiumArgs = [
  '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run',
  '--remote-debugging-port=0', '--remote-debugging-address=127.0.0.1',
];

// A Chromium of this test's own, ended when the test ends.
export async function startBrowser(t, args = []) {
  const profile = mkdtempSync(path.join(tmpdir(), 'kakemaru-chromium-'));
  // A process group of its own, so that its pid ends its helpers too.
  const child = spawn('/usr/bin/chromium', [...chromiumArgs, ...args, `--user-data-dir=${profile}`],
                      { stdio: ['ignore', 'ignore', 'pipe'], detached: true });
  const ended = new Promise((resolve) => child.once('exit', resolve));
  t.after(async () => {
    process.kill(-child.pid, 'SIGKILL');
    await ended;
    rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  });
  const endpoint = await new Promise((resolve, reject) => {
    let said = '';
    child.stderr.on('data', (data) => {
      said = (said + data).slice(-4000);
      const found = /DevTools listening on (ws:\S+)/.exec(said);
      if (found) resolve(found[1]);
    });
    ended.then((code) => reject(new Error(`chromium ended (${code}): ${said}`)));
  });
  // A loaded machine may keep a starting Chromium from answering for long.
  return chromium.connectOverCDP(endpoint, { timeout: 120_000 });
}

// In the page before its scripts: Date stands still at `now`, print() counts.
function freezeClockAndPrint(now) {
  const RealDate = Date;
  globalThis.Date = class extends RealDate {
    constructor(...args) { super(...(args.length ? args : [now])); }
    static now() { return now; }
  };
  window.printCalls = 0;
  window.print = () => { window.printCalls += 1; };
}

// The page opened at a time of day that makes its seed `seed` (milliseconds
// since midnight UTC), in a Chromium started with `args` besides its usual
// ones. `requests` lists every request that tried to leave the file.
export async function openPage(t, { seed = 0, url = pageUrl, viewport, args } = {}) {
  const browser = await startBrowser(t, args);
  const context = await browser.newContext({ viewport: viewport ?? { width: 1280, height: 900 } });
  await context.setOffline(true);
  const requests = [];
  context.on('request', (request) => {
    if (!/^(file|data|blob):/.test(request.url())) requests.push(request.url());
  });
  await context.route(/^(?!file:|data:|blob:)/, (route) => route.abort());
  await context.addInitScript(freezeClockAndPrint, Date.UTC(2024, 0, 15) + seed);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  return { page, requests, errors };
}

const fullWidth = (k) => String.fromCharCode(0xff10 + k);
export const tableBox = (page, k) =>
  page.getByRole('checkbox', { name: `${fullWidth(k)}の段`, exact: true });
export const radio = (page, group, item) => page.getByRole('group', { name: group, exact: true })
  .getByRole('radio', { name: item, exact: true });
export const button = (page, name) => page.getByRole('button', { name, exact: true });
export const numberBox = (page) => page.getByRole('textbox', { name: 'ﾌﾟﾘﾝﾄ番号', exact: true });
export const news = (page) => page.getByRole('status');

// Options by the captions the page shows: { 段: [3, 7], 問題数: '３０問',
// ﾌﾟﾘﾝﾄ番号: '7', ... }, set in the order given, by clicks and typing.
export async function setOptions(page, options) {
  for (const [name, value] of Object.entries(options)) {
    if (name === '段') for (const k of value) await tableBox(page, k).check();
    else if (name === 'ﾌﾟﾘﾝﾄ番号') await numberBox(page).fill(value);
    else await radio(page, name, value).click();
  }
}

// The controls as the accessibility tree shows them: the ticked boxes, the
// chosen item of each group ('' for none), and the groups and buttons that
// are disabled.
export async function controls(page) {
  const state = { ticked: [], chosen: {}, disabled: [] };
  const groups = [];
  for (const line of (await page.locator('body').ariaSnapshot()).split('\n')) {
    const found = /^( *)- (\w+) "([^"]*)"(.*)$/.exec(line);
    if (!found) continue;
    const [, indent, role, name, flags] = found;
    while (groups.length && groups.at(-1).indent >= indent.length) groups.pop();
    const group = groups.at(-1)?.name;
    if (role === 'group') {
      groups.push({ indent: indent.length, name });
      state.chosen[name] = '';
    } else if (role === 'radio' && flags.includes('[checked]')) {
      state.chosen[group] = name;
    } else if (role === 'checkbox' && flags.includes('[checked]')) {
      state.ticked.push(name);
    }
    const off = role === 'radio' ? group : name;
    if (flags.includes('[disabled]') && !state.disabled.includes(off)) state.disabled.push(off);
  }
  return state;
}
