// Printing through the browser: the sheets on paper where the desktop puts
// them, at the paper chosen in the page, and the number counted once for
// each print.
import test from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  button, desktopTexts, misplacedTexts, news, numberBox, openPage, pageFile, pdfPages, setOptions,
} from './harness.mjs';

const sheets = [
  {
    paper: 'A4', mm: [210, 297], seed: 12345,
    options: { 段: [2, 3, 7, 8], 問題数: '３０問', 乗数に０を: '入れる', ﾗﾝﾀﾞﾑ指定: 'あり',
               '[ ]のパターン': '混合', 問題番号: 'あり', ﾌﾟﾘﾝﾄ番号: '7' },
    desktop: '--tables 2,3,7,8 --count 5 --zero 1 --order 2 --square 3 --num 1 --number 7',
  },
  {
    paper: 'レター', mm: [215.9, 279.4], seed: 40000000,
    options: { 段: [0, 1, 2, 3, 4, 5, 6, 7, 8], 重点的にしたい段: '９の段', 問題数: '７２問',
               ﾗﾝﾀﾞﾑ指定: '降順', ﾌﾟﾘﾝﾄ番号: '-12' },
    desktop: '--tables 0,1,2,3,4,5,6,7,8,9 --emphasis 9 --count 10 --order 1 --number -12',
  },
  {
    paper: 'B5', mm: [182, 257], seed: 777, print: '印刷',
    options: { 段: [4, 6], '何十、何百の指定': '×100', ﾌﾟﾘﾝﾄ番号: '31' },
    desktop: '--tables 4,6 --multi 2 --number 31',
  },
];

// The desktop's sheet on the paper's own size, printed on the paper the page
// asks for in its @page rule; Chromium's PDF page is a little larger (A4
// 595.92 × 842.88 pt), which moves nothing from the top left.
for (const { paper, mm, seed, options, desktop, print = '印刷(答えつき)' } of sheets) {
  test(`${print} on ${paper}: the sheets' texts where the desktop prints them`, async (t) => {
    const { page } = await openPage(t, { seed, viewport: { width: 820, height: 1180 } });
    await setOptions(page, options);
    await page.getByRole('combobox', { name: '用紙', exact: true }).selectOption({ label: paper });
    await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
    await button(page, print).click();
    assert.equal(await page.evaluate(() => window.printCalls), 1);

    const pages = pdfPages(await page.pdf({ preferCSSPageSize: true }));
    assert.equal(pages.length, print === '印刷' ? 1 : 2, 'the questions, then the answers');
    const [width, height] = mm.map((v) => (v * 72) / 25.4);
    const expected = desktopTexts(`--seed ${seed} ${desktop}`, width, height)
      .filter((text) => text.page <= pages.length);
    assert.deepEqual(misplacedTexts(pages, expected), []);
  });
}

test('the number counts once for each print, a cancelled one too; the sheets stay for the print', async (t) => {
  const { page } = await openPage(t);
  await setOptions(page, { 段: [3], ﾌﾟﾘﾝﾄ番号: '7' });
  await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
  // A phone's address bar sliding away resizes the window: the answers stay.
  const picture = () => page.evaluate(() => document.getElementById('sheet').toDataURL());
  const answers = await picture();
  await page.setViewportSize({ width: 390, height: 700 });
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  assert.equal(await picture(), answers, 'a resize draws nothing anew');
  // window.print() returns at once here, as on a phone or after a Cancel in
  // WebKit; printToPDF, like Chromium's dialog, then fires beforeprint and
  // afterprint, which count nothing more.
  const printedNumbers = async () => pdfPages(await page.pdf({ preferCSSPageSize: true }))
    .map(({ words }) => words.find((w) => /^問題No\.-?\d+$/.test(w.text))?.text.slice(2));
  for (const [print, number, next, sheets] of [['印刷', '7', '8', ['No.7']],
    ['印刷(答えつき)', '8', '9', ['No.8', 'No.8']]]) {
    await button(page, print).click();
    assert.equal(await numberBox(page).inputValue(), next);
    assert.deepEqual(await printedNumbers(), sheets, 'the sheets stay in the print layout');
    assert.equal(await numberBox(page).inputValue(), next, 'counted once');
    const said = print === '印刷' ? 'を印刷しました' : 'を答えつきで印刷しました';
    await news(page).filter({ hasText: `問題No.${number}${said}。次の番号は${next}です` }).waitFor();
  }
  // A cancelled print counts too, and the next print carries the next number.
  await button(page, '印刷').click();
  await button(page, '印刷').click();
  assert.deepEqual(await printedNumbers(), ['No.10']);
  // The browser's own print (its menu, Ctrl+P) prints the question sheet
  // with the number in the box, and counts as 印刷 does.
  assert.deepEqual(await printedNumbers(), ['No.11']);
  assert.equal(await numberBox(page).inputValue(), '12');
  assert.equal(await page.evaluate(() => window.printCalls), 4);
});

// Where WebAssembly is missing (V8 without a JIT hides it) or refused (a CSP
// without 'wasm-unsafe-eval'), the page's JavaScript core makes the same sheets.
test('without WebAssembly the same sheets are drawn and printed', async (t) => {
  const dir = mkdtempSync(path.join(tmpdir(), 'kakemaru-csp-'));
  t.after(() => rmSync(dir, { recursive: true }));
  const refusing = path.join(dir, 'kakemaru.html');
  writeFileSync(refusing, readFileSync(pageFile, 'utf8').replace(" 'wasm-unsafe-eval'", ''));
  const ways = { wasm: {}, jitless: { args: ['--js-flags=--jitless'] },
                 refused: { url: pathToFileURL(refusing).href } };
  const made = {};
  for (const [how, opened] of Object.entries(ways)) {
    await t.test(how, async (t) => {  // one Chromium at a time
      const { page, errors } = await openPage(t, { seed: sheets[0].seed, ...opened });
      await setOptions(page, sheets[0].options);
      await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
      const picture = await page.evaluate(() => document.getElementById('sheet').toDataURL());
      await button(page, '印刷(答えつき)').click();
      const pdf = pdfPages(await page.pdf({ format: 'A4', preferCSSPageSize: false }));
      const cores = await page.evaluate(() => [typeof WebAssembly, typeof KakemaruCoreJs]);
      made[how] = { picture, pdf, errors, cores };
    });
  }
  const same = { picture: made.wasm?.picture, pdf: made.wasm?.pdf, errors: [] };
  assert.deepEqual(made, {
    wasm: { ...same, cores: ['object', 'undefined'] },  // the JavaScript core only when needed
    jitless: { ...same, cores: ['undefined', 'function'] },
    refused: { ...same, cores: ['object', 'function'] },
  });
});
