// Printing in WebKitGTK, Safari's engine, as a user prints: the page's
// window.print() opens GTK's print dialog, which prints to a PDF through
// GTK's printer to file with GTK's default margins, or is cancelled. The
// sheets must land where the desktop puts them inside those margins, one
// page each, at every window size, and the number count once per command.
import test, { after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { desktopTexts, misplacedTexts, pdfPages, previewScript, startWebKit } from './harness.mjs';

const points = (mm) => (mm * 72) / 25.4;
const papers = { A4: [210, 297], B5: [182, 257], Letter: [215.9, 279.4] };

// Where WebKit prints the sheet, measured with WebKitGTK 2.50: inside GTK's
// margins (6.35 mm) at the top left, whatever @page says, on the printable
// width and a page as tall as that width in the paper's own proportions
// (WebKit ignores the bottom margin when it breaks pages): the sheet the
// desktop draws on that area, at its size.
function webkitSheet(paper) {
  const [paperWidth, paperHeight] = papers[paper].map(points);
  const margin = points(6.35);
  const width = paperWidth - 2 * margin;
  return { width, height: (width * paperHeight) / paperWidth, margin };
}

// One WebKit for the whole file.
const webkit = await startWebKit({ after });

// The page opened at `seed` in a window of this size, with the sheet of
// sheet_positions' `desktop` arguments and the paper chosen, and a preview made.
async function previewSheet({ seed, size: [width, height], desktop, number, paper }) {
  await webkit.open({ seed, width, height });
  assert.deepEqual(await webkit.evaluate(previewScript(`${desktop} --number ${number}`, paper)), []);
}

// Clicks a print button and returns the number box once the command is
// over: the print dialog answered and afterprint, if it comes, handled.
const clickPrint = (id) => webkit.evaluate(`
  let after = false;
  addEventListener('afterprint', () => { after = true; }, { once: true });
  document.getElementById(${JSON.stringify(id)}).click();
  for (let i = 0; i < 40 && !after; i++) await new Promise((r) => setTimeout(r, 25));
  await new Promise((r) => setTimeout(r, 50));
  return document.getElementById('Edit1').value;`);

// The PDF's pages on `paper`, one for each sheet, and the desktop's texts on
// them where WebKit puts a sheet drawn in millimetres.
function assertPrinted(pdf, paper, desktop, sheets) {
  const pages = pdfPages(readFileSync(pdf));
  const [width, height] = papers[paper].map(points);
  assert.equal(pages.length, sheets, 'one page for each sheet');
  for (const page of pages) {
    assert.ok(Math.abs(page.width - width) <= 1 && Math.abs(page.height - height) <= 1,
              `a ${paper} page, not ${page.width} × ${page.height} pt`);
  }
  const { width: sheetWidth, height: sheetHeight, margin } = webkitSheet(paper);
  const expected = desktopTexts(desktop, sheetWidth, sheetHeight)
    .filter((e) => e.page <= sheets)
    .map((e) => ({ ...e, x: margin + e.x, y: margin + e.y }));
  assert.deepEqual(misplacedTexts(pages, expected), []);
}

// Every window size and every paper, and both commands.
const cases = [
  { size: [1100, 800], paper: 'A4', print: 'PrintAnsBtn', seed: 12345, number: 7,
    desktop: '--tables 2,3,7,8 --count 5 --zero 1 --order 2 --square 3 --num 1' },
  { size: [1180, 820], paper: 'B5', print: 'PrintBtn', seed: 777, number: 31,
    desktop: '--tables 4,6 --multi 2' },
  { size: [820, 1180], paper: 'Letter', print: 'PrintAnsBtn', seed: 40000000, number: -12,
    desktop: '--tables 0,1,2,3,4,5,6,7,8,9 --emphasis 9 --count 10 --order 1' },
  { size: [390, 844], paper: 'B5', print: 'PrintAnsBtn', seed: 86399999, number: 100,
    desktop: '--tables 9 --square 1 --num 1' },
];

for (const c of cases) {
  const command = c.print === 'PrintBtn' ? '印刷' : '印刷(答えつき)';
  test(`${command} in a ${c.size.join('×')} window on ${c.paper}: the desktop's sheets inside GTK's margins`, async () => {
    await previewSheet(c);
    const pdf = await webkit.answerPrint('print', c.paper);
    const shown = await clickPrint(c.print);
    const prints = await webkit.prints();
    assert.deepEqual(prints.at(-1), { action: 'print', state: 'printed', paper: c.paper, pdf });
    assertPrinted(pdf, c.paper, `--seed ${c.seed} ${c.desktop} --number ${c.number}`,
                  c.print === 'PrintBtn' ? 1 : 2);
    assert.equal(shown, String(c.number + 1), 'counted once for the command');
    assert.equal(await webkit.evaluate("return document.getElementById('paper')?.value"), c.paper);
  });
}

// WebKit fires no event when its dialog is cancelled, and the page cannot
// tell: the cancelled command takes its number, the next print the one after.
test('印刷 cancelled, then 印刷 again: one print on one page, numbered after the cancelled one', async () => {
  const seed = 5000;
  await previewSheet({ seed, size: [820, 1180], desktop: '--tables 3', number: 7, paper: 'A4' });
  const before = (await webkit.prints()).length;
  await webkit.answerPrint('cancel');
  assert.equal(await clickPrint('PrintBtn'), '8', 'counted for the cancelled command');
  const pdf = await webkit.answerPrint('print', 'A4');
  assert.equal(await clickPrint('PrintBtn'), '9');
  assert.deepEqual((await webkit.prints()).slice(before), [
    { action: 'cancel', state: 'cancelled' },
    { action: 'print', state: 'printed', paper: 'A4', pdf },
  ]);
  assertPrinted(pdf, 'A4', `--seed ${seed} --tables 3 --number 8`, 1);
});
