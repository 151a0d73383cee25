// The web page's figures in headless Chromium, beside their goals:
//   - the single file, gzipped (goal: at most 300 KB);
//   - first paint and first contentful paint after navigation, beside an
//     empty page in the same run (goal: at most 300 ms later);
//   - a preview click: the click's handlers, and the click until the next
//     frame is painted (goal: at most 16 ms), which also holds the wait for
//     that frame, up to 16.7 ms at 60 frames a second.
// Run by hand after `bash scripts/build-web.sh` and `npm ci` in tests/web:
//   node bench/web/page_bench.mjs [build/web/kakemaru.html]
// It uses the tests' harness (tests/web/harness.mjs) and its packages.
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { button, openPage, setOptions } from '../../tests/web/harness.mjs';

const pageFile = path.resolve(process.argv[2] ?? 'build/web/kakemaru.html');
const runs = 7;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

// Cleanups as the harness registers them with a test.
const cleanups = [];
const session = { after: (cleanup) => cleanups.push(cleanup) };

// First paint and first contentful paint after navigation, medians.
async function firstPaint(url) {
  const times = [];
  for (let run = 0; run < runs; run++) {
    const { page } = await openPage(session, { url });
    times.push(await page.evaluate(() => new Promise((resolve) => {
      new PerformanceObserver((list, observer) => {
        const paints = performance.getEntriesByType('paint');
        if (paints.length < 2) return;
        observer.disconnect();
        resolve(['first-paint', 'first-contentful-paint']
          .map((name) => paints.find((e) => e.name === name).startTime));
      }).observe({ type: 'paint', buffered: true });
    })));
    await cleanups.pop()();
  }
  return [0, 1].map((i) => median(times.map((t) => t[i])));
}

// Milliseconds from the click's first handler to the end of its last, and to
// just after the next frame is painted, for one preview click.
async function previewClick(page) {
  await page.evaluate(() => {
    window.clickTimes = new Promise((resolve) => {
      const started = { at: 0 };
      addEventListener('click', () => { started.at = performance.now(); }, { capture: true, once: true });
      addEventListener('click', () => {
        const handled = performance.now() - started.at;
        requestAnimationFrame(() => {
          const channel = new MessageChannel();
          channel.port1.onmessage = () => resolve([handled, performance.now() - started.at]);
          channel.port2.postMessage(0);
        });
      }, { once: true });
    });
  });
  await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
  return page.evaluate(() => window.clickTimes);
}

const empty = mkdtempSync(path.join(tmpdir(), 'kakemaru-bench-'));
try {
  const bytes = readFileSync(pageFile);
  const gzipped = gzipSync(bytes, { level: 9 }).length;
  console.log(`single file: ${(bytes.length / 1024).toFixed(1)} KB, `
              + `${(gzipped / 1024).toFixed(1)} KB gzipped (goal: at most 300 KB)`);

  writeFileSync(path.join(empty, 'empty.html'),
                '<!doctype html><html lang="ja"><title>empty</title><p>empty</p></html>');
  const emptyPaint = await firstPaint(pathToFileURL(path.join(empty, 'empty.html')).href);
  const pagePaint = await firstPaint(pathToFileURL(pageFile).href);
  ['first paint', 'first contentful paint'].forEach((name, i) => {
    console.log(`${name}: ${ms(pagePaint[i])}, empty page ${ms(emptyPaint[i])}, `
                + `${ms(pagePaint[i] - emptyPaint[i])} later (median of ${runs}; goal: at most 300 ms later)`);
  });

  const { page } = await openPage(session, { url: pathToFileURL(pageFile).href });
  await setOptions(page, { 段: [0, 1, 2, 3, 4, 5, 6, 7, 8, 9], 問題数: '８０問', ﾗﾝﾀﾞﾑ指定: 'あり',
                           '[ ]のパターン': '混合', 問題番号: 'あり' });
  const clicks = [];
  for (let run = 0; run < 3 * runs; run++) clicks.push(await previewClick(page));
  console.log(`preview click (80 questions): handlers ${ms(median(clicks.map((c) => c[0])))}, `
              + `to the next frame ${ms(median(clicks.map((c) => c[1])))} `
              + `(median of ${clicks.length}; goal: at most 16 ms)`);
} finally {
  for (const cleanup of cleanups.reverse()) await cleanup();
  rmSync(empty, { recursive: true, force: true });
}
