// The page by keyboard alone and as assistive tools see it.
import test from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { button, controls, news, openPage, setOptions } from './harness.mjs';

// The focused control as the accessibility tree shows it, with its group.
const focused = (page) => page.evaluate(() => {
  const e = document.activeElement;
  const line = e.getAttribute('aria-activedescendant');
  const shown = line ? document.getElementById(line) : e;
  return { group: e.closest('fieldset')?.querySelector('legend')?.textContent.trim() ?? '',
           tag: e.tagName, type: e.type ?? '', checked: e.checked,
           text: (shown.getAttribute('aria-label') ?? shown.labels?.[0]?.textContent ?? shown.textContent).trim() };
});

test('keyboard only: every option reached and set, a preview made and read line by line', async (t) => {
  const { page } = await openPage(t);
  const seen = new Set();
  // Around the tab order twice: the first time the table boxes are ticked,
  // which enables 問題数 and ﾌﾟﾚﾋﾞｭｰ; each radio group gets one arrow press.
  for (let press = 0; press < 120; press++) {
    await page.keyboard.press('Tab');
    const at = await focused(page);
    if (at.type === 'checkbox' && !at.checked) await page.keyboard.press('Space');
    if (at.type === 'radio' && !seen.has(at.group)) {
      await page.keyboard.press('ArrowDown');
      const moved = await focused(page);
      assert.ok(moved.checked && moved.text !== at.text, `${at.group}: ArrowDown chose the next item`);
    }
    seen.add(at.type === 'radio' ? at.group : at.text);
  }
  const groups = ['重点的にしたい段', '問題数', 'ﾗﾝﾀﾞﾑ指定', '乗数に０を', '[ ]のパターン', '何十、何百の指定', '問題番号'];
  const boxes = [...'０１２３４５６７８９'].map((k) => `${k}の段`);
  assert.deepEqual([...groups, ...boxes, 'ﾌﾟﾚﾋﾞｭｰ'].filter((name) => !seen.has(name)), []);
  assert.equal((await controls(page)).ticked.length, 10);

  while ((await focused(page)).text !== 'ﾌﾟﾚﾋﾞｭｰ') await page.keyboard.press('Tab');
  await page.keyboard.press('Space');
  await news(page).filter({ hasText: 'プリントを作りました' }).waitFor({ timeout: 5000 });

  // On to the preview, then down its lines: the header, then the questions.
  const start = (await focused(page)).text;
  const lines = [];
  for (let press = 0; press < 40 && lines.length < 6; press++) {
    await page.keyboard.press('Tab');
    if ((await focused(page)).text === start) break;
    await page.keyboard.press('ArrowDown');
    const line = (await focused(page)).text;
    if (line.includes('かけざん九九')) {
      lines.push(line);
      for (let i = 0; i < 5; i++) { await page.keyboard.press('ArrowDown'); lines.push((await focused(page)).text); }
    }
  }
  assert.match(lines[0] ?? '', /かけざん九九/, 'the first line is the title');
  assert.match(lines.at(-1) ?? '', /\d+かける\d+/, `lines read: ${lines}`);

  // A held Enter presses a button once, though the browser repeats the key.
  await button(page, '印刷').focus();
  for (let repeat = 0; repeat < 5; repeat++) await page.keyboard.down('Enter');
  await page.keyboard.up('Enter');
  assert.equal(await page.evaluate(() => window.printCalls), 1);
});

test('axe-core finds no violation at start and after a preview', async (t) => {
  const { page } = await openPage(t);
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  const violations = () => page.evaluate(async () =>
    (await window.axe.run()).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
  assert.deepEqual(await violations(), []);
  await setOptions(page, { 段: [3, 7], 問題数: '１８問' });
  await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
  await news(page).filter({ hasText: 'プリントを作りました' }).waitFor({ timeout: 5000 });
  assert.deepEqual(await violations(), []);
});
