// The one harness of the web page's tests: each test starts its own headless
// Chromium (its own profile), drives it with playwright-core and opens the
// built page from file:// with every other request refused and counted, the
// clock frozen so that the page's seed is known, and window.print replaced,
// so that a test decides what the print dialog does. Firefox's print test
// starts a headless Firefox ESR of its own (its profile, ended through its
// pid), driven by puppeteer-core over WebDriver BiDi, with its real print.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';
import { pathToFileURL } from 'node:url';

export const pageFile = process.env.KAKEMARU_WEB_PAGE;
export const pageUrl = pageFile && pathToFileURL(pageFile).href;

const chromiumArgs = [
  '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run',
];

// A Chromium of this test's own, closed when the test ends. Playwright
// starts it and talks to it over a pipe: connecting to a DevTools port once
// hung for two minutes after the socket had connected.
export async function startBrowser(t, args = []) {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium', args: [...chromiumArgs, ...args], chromiumSandbox: false,
    timeout: 60_000,
  });
  t.after(() => browser.close());
  return browser;
}

// In the page before its scripts: Date stands still at `now`; print() only
// counts unless the browser's own print is wanted.
function freezeClock({ now, realPrint }) {
  const RealDate = Date;
  globalThis.Date = class extends RealDate {
    constructor(...args) { super(...(args.length ? args : [now])); }
    static now() { return now; }
  };
  if (realPrint) return;
  window.printCalls = 0;
  window.print = () => { window.printCalls += 1; };
}
// The page's seed is its time of day in milliseconds since midnight UTC.
const seededNow = (seed) => Date.UTC(2024, 0, 15) + seed;


// The page opened at a time of day that makes its seed `seed` (milliseconds
// since midnight UTC), in a Chromium given `args` besides the harness's own.
// `requests` lists every request that tried to leave the file.
export async function openPage(t, { seed = 0, url = pageUrl, viewport, args } = {}) {
  const browser = await startBrowser(t, args);
  const context = await browser.newContext({ viewport: viewport ?? { width: 1280, height: 900 } });
  await context.setOffline(true);
  const requests = [];
  context.on('request', (request) => {
    if (!/^(file|data|blob):/.test(request.url())) requests.push(request.url());
  });
  await context.route(/^(?!file:|data:|blob:)/, (route) => route.abort());
  await context.addInitScript(freezeClock, { now: seededNow(seed), realPrint: false });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  return { page, requests, errors };
}

// The page in a headless Firefox ESR of this test's own, with these
// preferences, its clock frozen at `seed` and its print left as it is; ready
// when the page says so.
export async function openFirefoxPage(t, { seed = 0, url = pageUrl, prefs = {} } = {}) {
  const profile = mkdtempSync(path.join(tmpdir(), 'kakemaru-firefox-'));
  let child = null;
  t.after(async () => {
    // Its own process group (puppeteer starts it detached): the pid ends its
    // content processes too.
    if (child) {
      const running = child.exitCode === null && child.signalCode === null;
      const ended = running && new Promise((resolve) => child.once('exit', resolve));
      try { process.kill(-child.pid, 'SIGKILL'); } catch { /* the group is gone */ }
      await ended;
    }
    rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  });
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true,
    userDataDir: profile, extraPrefsFirefox: prefs, timeout: 120_000, protocolTimeout: 60_000,
    handleSIGINT: false, handleSIGTERM: false, handleSIGHUP: false,
  });
  child = browser.process();
  const page = await browser.newPage();
  page.setDefaultTimeout(30_000);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.evaluateOnNewDocument(freezeClock, { now: seededNow(seed), realPrint: true });
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return { page, errors };
}

// The PDF a print writes to `file`, once whole: it ends with %%EOF and its
// size holds still between two looks.
export async function printedPdf(file, { timeout = 30_000 } = {}) {
  let before = null;
  for (const start = Date.now(); Date.now() - start < timeout; await sleep(100)) {
    const pdf = existsSync(file) ? readFileSync(file) : null;
    if (pdf && before && pdf.length === before.length && pdf.subarray(-8).includes('%%EOF')) return pdf;
    before = pdf;
  }
  throw new Error(`no whole PDF in ${file} after ${timeout / 1000} s`);
}

// Every word of every page with its box in points, from poppler; a word's
// box is its glyphs' ascent to descent, as the desktop's text cell is.
export function pdfPages(pdf) {
  const dir = mkdtempSync(path.join(tmpdir(), 'kakemaru-pdf-'));
  try {
    writeFileSync(path.join(dir, 'sheet.pdf'), pdf);
    const html = execFileSync('pdftotext', ['-bbox', path.join(dir, 'sheet.pdf'), '-'],
                              { encoding: 'utf8' });
    return html.split('<page ').slice(1).map((page) => ({
      width: Number(/width="([\d.]+)"/.exec(page)[1]),
      height: Number(/height="([\d.]+)"/.exec(page)[1]),
      words: [...page.matchAll(/<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</g)]
        .map(([, x, y, bottom, text]) => ({ x: +x, y: +y, height: bottom - y, text })),
    }));
  } finally {
    rmSync(dir, { recursive: true });
  }
}

// The desktop's texts for the same sheet on paper of this size, drawn
// inside a printer's margin of `margin` points.
export function desktopTexts(args, width, height, margin = 0) {
  const out = execFileSync(process.env.SHEET_POSITIONS,
                           [...args.split(' '), '--paper-pt', `${width}`, `${height}`,
                            '--margin-pt', `${margin}`], { encoding: 'utf8' });
  return out.trim().split('\n').map((line) => {
    const [page, x, y, size, ...text] = line.split(' ');
    return { page: +page, x: +x, y: +y, height: +size, text: text.join(' ') };
  });
}

// The text of the words that start at (x, y) and follow on that line, as
// long as `expected` without its spaces (the PDF splits a text at spaces).
function textAt(words, x, y, expected) {
  const first = words.find((w) => Math.abs(w.x - x) <= 1 && Math.abs(w.y - y) <= 1);
  if (!first) return {};
  const wanted = expected.replace(/\s/g, '').length;
  let text = '';
  for (const w of words.filter((w) => Math.abs(w.y - first.y) < 0.5 && w.x >= first.x)
    .sort((a, b) => a.x - b.x)) {
    if (text.length >= wanted) break;
    text += w.text.replace(/\s/g, '');
  }
  return { text, height: first.height };
}

// The desktop's texts that the PDF's pages do not show where the desktop
// puts them (within 1 pt), with what was found there.
export const misplacedTexts = (pages, expected) => expected
  .map((e) => ({ ...e, found: textAt(pages[e.page - 1]?.words ?? [], e.x, e.y, e.text) }))
  .filter(({ text, height, found }) =>
    found.text !== text.replace(/\s/g, '') || !(Math.abs(found.height - height) <= 1));

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
