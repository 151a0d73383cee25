// The single file on its own: opened from a disk with the network off, and
// decoding the sheet's texts as the desktop does.
import test from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { button, news, openPage, setOptions } from './harness.mjs';

test('from file:// with the network off: made and printed, no request leaves the file', async (t) => {
  const { page, requests, errors } = await openPage(t);
  await setOptions(page, { 段: [2, 9], 問題数: '１８問', 問題番号: 'あり' });
  await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
  await news(page).filter({ hasText: 'プリントを作りました' }).waitFor({ timeout: 5000 });
  await button(page, '印刷(答えつき)').click();
  await page.pdf({ format: 'A4' });
  assert.deepEqual({ requests, errors }, { requests: [], errors: [] });
  assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length, sessionStorage.length]),
                   ['', 0, 0], 'nothing stored');
});

test('TextDecoder("shift_jis") reads every character of the sheets as the desktop does', async (t) => {
  const codes = execFileSync(process.env.SHEET_CHARACTERS, { encoding: 'utf8' }).trim().split('\n');
  const desktop = (command) => execFileSync(...command, { input: Buffer.from(codes.join('0a'), 'hex') })
    .toString('utf8').split('\n');
  const python = desktop(['/usr/bin/python3', ['-c',
    'import sys; sys.stdout.buffer.write(sys.stdin.buffer.read().decode("cp932").encode())']]);
  assert.deepEqual(desktop(['iconv', ['-f', 'CP932', '-t', 'UTF-8']]), python, 'Python cp932 is iconv CP932');
  assert.ok(codes.length > 60 && python.includes('①') && python.includes('×'));

  const { page } = await openPage(t);
  const browser = await page.evaluate((hex) => hex.map((code) => new TextDecoder('shift_jis', { fatal: true })
    .decode(new Uint8Array(code.match(/../g).map((b) => parseInt(b, 16))))), codes);
  assert.deepEqual(browser, python);
});
