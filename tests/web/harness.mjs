// The one harness of the web page's tests: each test starts its own headless
// Chromium (its own profile), drives it with playwright-core and opens the
// built page from file:// with every other request refused and counted, the
// clock frozen so that the page's seed is known, and window.print replaced,
// so that a test decides what the print dialog does. Firefox's print test
// starts a headless Firefox ESR of its own (its profile, ended through its
// pid), driven by puppeteer-core over WebDriver BiDi, with its real print.
// WebKit's print test drives WebKitGTK through startWebKit, with its real
// print dialog.
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';
import { fileURLToPath, pathToFileURL } from 'node:url';

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

// The desktop's texts for the same sheet on paper of this size.
export function desktopTexts(args, width, height) {
  const out = execFileSync(process.env.SHEET_POSITIONS,
                           [...args.split(' '), '--paper-pt', `${width}`, `${height}`],
                           { encoding: 'utf8' });
  return out.trim().split('\n').map((line) => {
    const [page, x, y, size, ...text] = line.split(' ');
    return { page: +page, x: +x, y: +y, height: +size, text: text.join(' ') };
  });
}

// For another engine than Chromium, the body of an async function that sets
// the sheet that sheet_positions' `args` make, by the controls' ids (a
// table's box D<k>, a group's item <group>-<item>, Edit1 for --number),
// chooses the paper and makes a preview. It answers the controls that did not
// take their values, and PrintBtn if no sheet was made.
const groupIds = { '--emphasis': 'ImportantDan', '--count': 'QNumCheck', '--order': 'RandomCheck',
                   '--zero': 'JousuuCheck', '--square': 'rgSquare', '--multi': 'rgMulti', '--num': 'rgNum' };
export function previewScript(args, paper) {
  const words = args.split(' ');
  const ids = [];
  let number = '1';
  for (let i = 0; i < words.length; i += 2) {
    const [key, value] = [words[i], words[i + 1]];
    if (key === '--tables') ids.push(...value.split(',').map((k) => `D${k}`));
    else if (key === '--number') number = value;
    else if (key in groupIds) ids.push(`${groupIds[key]}-${value}`);
  }
  return `const $ = (id) => document.getElementById(id);
    const ids = ${JSON.stringify(ids)};
    for (const id of ids) if (!$(id).checked) $(id).click();
    $('Edit1').value = ${JSON.stringify(number)};
    $('paper').value = ${JSON.stringify(paper)};
    $('paper').dispatchEvent(new Event('change', { bubbles: true }));
    $('PreviewBtn').click();
    return [...ids.filter((id) => !$(id).checked), ...($('PrintBtn').disabled ? ['PrintBtn'] : [])];`;
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

// --- WebKitGTK, Safari's engine ---
// The page in a WebKit window (webkit_page.py) on an X server of the test's
// own, both ended through their pids when `hooks.after` runs: a test's `t`
// or node:test's module-level hooks. Every request to it fails after
// `timeout` ms with what the program last wrote to its error output.
export async function startWebKit(hooks, { timeout = 60_000 } = {}) {
  const dir = mkdtempSync(path.join(tmpdir(), 'kakemaru-webkit-'));
  const children = [];
  hooks.after(async () => {
    // WebKit first, asked to quit, then whatever is left of each group.
    for (const { child, ended, kill } of children.reverse()) {
      if (child.stdin) {
        child.stdin.end();
        await Promise.race([ended, new Promise((r) => setTimeout(r, 3000))]);
      }
      kill();
      await ended;
      process.off('exit', kill);
    }
    rmSync(dir, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  });
  // A process group of its own, so that its pid ends its helpers too, even
  // when the test's process ends without its hooks.
  const start = (command, args, options) => {
    const child = spawn(command, args, { ...options, detached: true });
    const kill = () => {
      try {
        process.kill(-child.pid, 'SIGKILL');
      } catch {}  // the group has already gone
    };
    process.once('exit', kill);
    const ended = new Promise((resolve) => {
      child.once('exit', (code, signal) => resolve(signal ?? code));
      child.once('error', (error) => resolve(error.message));
    });
    children.push({ child, ended, kill });
    return { child, ended };
  };
  const bounded = (promise, what) => Promise.race([promise, new Promise((_, reject) =>
    setTimeout(() => reject(new Error(`${what}: no answer in ${timeout / 1000} s`)), timeout).unref())]);

  // Xvfb picks a free display and writes its number to file descriptor 3.
  const xvfb = start('Xvfb', ['-displayfd', '3', '-screen', '0', '2000x1400x24', '-nolisten', 'tcp'],
                     { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
  const display = await bounded(new Promise((resolve, reject) => {
    let said = '';
    xvfb.child.stdio[3].on('data', (data) => {
      said += data;
      if (said.includes('\n')) resolve(said.trim());
    });
    xvfb.ended.then((code) => reject(new Error(`Xvfb ended (${code})`)));
  }), 'Xvfb');

  // Its files in the test's folder; no session bus, no accessibility bus.
  const home = (name) => {
    mkdirSync(path.join(dir, name), { mode: 0o700 });
    return path.join(dir, name);
  };
  const env = { ...process.env, DISPLAY: `:${display}`, TZ: 'UTC', HOME: home('home'),
                XDG_CONFIG_HOME: home('config'), XDG_DATA_HOME: home('data'),
                XDG_CACHE_HOME: home('cache'), XDG_RUNTIME_DIR: home('runtime'),
                DBUS_SESSION_BUS_ADDRESS: 'disabled:', NO_AT_BRIDGE: '1' };
  const program = fileURLToPath(new URL('webkit_page.py', import.meta.url));
  const webkit = start('/usr/bin/python3', [program], { env, stdio: ['pipe', 'pipe', 'pipe'] });
  let said = '';
  webkit.child.stderr.on('data', (data) => { said = (said + data).slice(-4000); });
  const replies = new Map();
  let buffered = '';
  let ready;
  const started = new Promise((resolve) => { ready = resolve; });
  webkit.child.stdout.on('data', (data) => {
    const lines = (buffered + data).split('\n');
    buffered = lines.pop();
    for (const line of lines) {
      const message = JSON.parse(line);
      if (message.ready) ready();
      replies.get(message.id)?.(message);
      replies.delete(message.id);
    }
  });
  const gone = webkit.ended.then((code) => { throw new Error(`WebKit ended (${code}): ${said}`); });
  gone.catch(() => {});
  await bounded(Promise.race([started, gone]), 'WebKit starting');

  let lastId = 0;
  const ask = (cmd, request = {}) => {
    const id = ++lastId;
    const answered = new Promise((resolve, reject) => {
      replies.set(id, (message) => ('error' in message
        ? reject(new Error(`WebKit ${cmd}: ${message.error}`)) : resolve(message.value)));
    });
    webkit.child.stdin.write(`${JSON.stringify({ id, cmd, ...request })}\n`);
    return bounded(Promise.race([answered, gone]), `WebKit ${cmd}`)
      .catch((error) => { error.message += `\n${said}`; throw error; });
  };
  let pdfs = 0;
  return {
    // The page opened at `seed` (see openPage) in a window of this size,
    // once it is ready.
    async open({ seed = 0, url = pageUrl, width, height }) {
      const script = `(${freezeClock})(${JSON.stringify({ now: seededNow(seed), realPrint: true })});`;
      await ask('open', { url, width, height, script });
      await ask('eval', { js: `for (let i = 0; i < 400; i++) {
          if (document.documentElement.dataset.ready === 'true') return true;
          await new Promise((r) => setTimeout(r, 25));
        }
        throw new Error('the page did not become ready');` });
    },
    // An async function's body run in the page; its result as JSON.
    evaluate: (js) => ask('eval', { js }),
    // The next print dialog prints to a new PDF on this paper (A4, B5,
    // Letter), or is cancelled; returns the PDF's path.
    async answerPrint(action, paper) {
      const pdf = path.join(dir, `print-${++pdfs}.pdf`);
      await ask('answer', { action, paper, pdf });
      return pdf;
    },
    // Every print dialog so far ({ action, state: printed, cancelled or
    // failed, paper, pdf, error }), once none is still open or printing.
    prints: () => ask('prints'),
  };
}
