// Printing in Firefox ESR through its own print path, as a user's print goes:
// the page's window.print() with Firefox's silent-print preferences, to its
// "Mozilla Save to PDF" printer on the paper those preferences choose. There
// @page { margin: 0 } holds and a sheet sized in mm prints at scale 1 from the
// paper's corner, so each text must be where the desktop puts it on that paper.
import test from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import {
  desktopTexts, misplacedTexts, openFirefoxPage, pdfPages, previewScript, printedPdf,
} from './harness.mjs';

// Firefox prints silently to `file` on paper of `id`, width × height mm.
function printPrefs(file, [id, width, height]) {
  const printer = 'print.printer_Mozilla_Save_to_PDF.';
  return {
    'print.always_print_silent': true,
    print_printer: 'Mozilla Save to PDF', // else nothing is written
    'print.print_to_file': true,
    [`${printer}print_to_file`]: true,
    [`${printer}print_to_filename`]: file,
    [`${printer}print_paper_id`]: id,
    [`${printer}print_paper_width`]: `${width}`,
    [`${printer}print_paper_height`]: `${height}`,
    [`${printer}print_paper_size_unit`]: 1, // millimetres
  };
}

const sheets = [
  { paper: 'A4', size: ['iso_a4', 210, 297], seed: 12345,
    desktop: '--tables 2,3,7,8 --count 5 --zero 1 --order 2 --square 3 --num 1' },
  { paper: 'B5', size: ['jis_b5', 182, 257], seed: 40000000,
    desktop: '--tables 0,1,2,3,4,5,6,7,8,9 --emphasis 9 --count 10 --order 1' },
  { paper: 'Letter', size: ['na_letter', 215.9, 279.4], seed: 777,
    desktop: '--tables 4,6 --count 2 --square 1' },
];

for (const { paper, size, seed, desktop } of sheets) {
  test(`Firefox prints 印刷 and 印刷(答えつき) on ${paper} where the desktop prints them`, async (t) => {
    const dir = mkdtempSync(path.join(tmpdir(), 'kakemaru-firefox-pdf-'));
    t.after(() => rmSync(dir, { recursive: true, force: true }));
    const file = path.join(dir, 'printed.pdf');
    const { page, errors } = await openFirefoxPage(t, { seed, prefs: printPrefs(file, size) });
    const preview = previewScript(`${desktop} --number 7`, paper);
    assert.deepEqual(await page.evaluate(`(async () => { ${preview} })()`), [], 'a sheet to print');

    const [width, height] = size.slice(1).map((mm) => (mm * 72) / 25.4);
    for (const [id, pageCount, number] of [['PrintBtn', 1, 7], ['PrintAnsBtn', 2, 8]]) {
      rmSync(file, { force: true });
      await page.click(`#${id}`);
      const pages = pdfPages(await printedPdf(file));
      assert.equal(pages.length, pageCount, `${id}: one page per sheet`);
      const expected = desktopTexts(`--seed ${seed} ${desktop} --number ${number}`, width, height)
        .filter((text) => text.page <= pageCount);
      assert.deepEqual(misplacedTexts(pages, expected), [], `${id} on ${paper}`);
      assert.equal(await page.$eval('#Edit1', (box) => box.value), `${number + 1}`,
                   `${id}: the number counted once`);
    }
    assert.deepEqual(errors, []);
  });
}
