// The rules between the options, and what a preview refuses, as a user
// meets them by clicking and typing.
import test from 'node:test';
import assert from 'node:assert/strict';
import { button, controls, news, numberBox, openPage, setOptions, tableBox } from './harness.mjs';

// Each step, then what the controls show after it (only the fields named).
const steps = [
  ['start', async () => {}, { ticked: [], disabled: ['問題数', 'ﾌﾟﾚﾋﾞｭｰ', '印刷', '印刷(答えつき)'] }],
  ['tick ３の段', (p) => tableBox(p, 3).check(), { ticked: ['３の段'], disabled: ['印刷', '印刷(答えつき)'] }],
  ['untick it', (p) => tableBox(p, 3).uncheck(), { ticked: [], disabled: ['問題数', 'ﾌﾟﾚﾋﾞｭｰ', '印刷', '印刷(答えつき)'] }],
  ['emphasis ５の段 ticks it', (p) => setOptions(p, { 重点的にしたい段: '５の段' }),
    { ticked: ['５の段'], chosen: { 重点的にしたい段: '５の段' }, disabled: ['印刷', '印刷(答えつき)'] }],
  ['another box leaves the emphasis', async (p) => { await tableBox(p, 2).check(); await tableBox(p, 2).uncheck(); },
    { ticked: ['５の段'], chosen: { 重点的にしたい段: '５の段' } }],
  ['unticking its box clears it', (p) => tableBox(p, 5).uncheck(), { ticked: [], chosen: { 重点的にしたい段: '' } }],
  ['a multiple of ten allows 0', (p) => setOptions(p, { 段: [3], 問題数: '４０問', 乗数に０を: '入れる' }),
    { chosen: { 問題数: '４０問', 乗数に０を: '入れる' }, disabled: ['印刷', '印刷(答えつき)'] }],
  ['a multiple of nine forbids it', (p) => setOptions(p, { 問題数: '３６問' }),
    { chosen: { 問題数: '３６問', 乗数に０を: '入れない' }, disabled: ['乗数に０を', '印刷', '印刷(答えつき)'] }],
  ['×10 sets the box pattern back', (p) => setOptions(p, { '[ ]のパターン': '混合', '何十、何百の指定': '×10' }),
    { chosen: { '[ ]のパターン': 'なし', '何十、何百の指定': '×10' }, news: '四角のパターンをなしに戻しました' }],
  ['[ ]× sets ×10 back', (p) => setOptions(p, { '[ ]のパターン': '[ ]×' }),
    { chosen: { '[ ]のパターン': '[ ]×', '何十、何百の指定': 'なし' }, news: '何十、何百の指定をなしに戻しました' }],
  ['Tab passing through sets nothing back', async (p) => {
    await setOptions(p, { '何十、何百の指定': '×100' });
    const inBoxPattern = () => p.evaluate(() => document.activeElement.closest('fieldset')
      ?.querySelector('legend')?.textContent.includes('[ ]のパターン'));
    for (let i = 0; i < 40 && !(await inBoxPattern()); i++) await p.keyboard.press('Tab');
    assert.ok(await inBoxPattern(), 'Tab reaches [ ]のパターン');
  }, { chosen: { '[ ]のパターン': 'なし', '何十、何百の指定': '×100' } }],
];

test('option rules, step by step', async (t) => {
  const { page } = await openPage(t);
  for (const [name, step, expected] of steps) {
    await step(page);
    const shown = await controls(page);
    for (const [field, value] of Object.entries(expected)) {
      if (field === 'news') await news(page).filter({ hasText: value }).waitFor({ timeout: 5000 });
      else if (field === 'chosen') for (const [g, item] of Object.entries(value)) assert.equal(shown.chosen[g], item, `${name}: ${g}`);
      else assert.deepEqual(shown[field].toSorted(), value.toSorted(), `${name}: ${field}`);
    }
  }
});

// The dialog's text, after which OK closes it.
async function dialogText(page) {
  const dialog = page.locator('dialog[open]');
  const text = await dialog.textContent();
  await dialog.getByRole('button', { name: 'OK' }).click();
  await dialog.waitFor({ state: 'detached' }).catch(() => {});
  assert.equal(await page.locator('dialog[open]').count(), 0);
  return text;
}

test('refusals and numbers: a dialog, nothing made; good numbers read', async (t) => {
  const { page } = await openPage(t);
  await setOptions(page, { 段: [3], 問題数: '３０問' });
  await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
  assert.match(await dialogText(page), /警告[^]*今の段の数では、指定された問題数が確保できません。/);
  assert.deepEqual((await controls(page)).disabled.filter((c) => c.startsWith('印刷')), ['印刷', '印刷(答えつき)']);

  await setOptions(page, { 問題数: '１０問', 乗数に０を: '入れる' });
  for (const [typed, read] of [[' 12', 12], ['１２'], ['12 '], ['-$1F'], ['$1F', 31]]) {
    await numberBox(page).fill(typed);
    await button(page, 'ﾌﾟﾚﾋﾞｭｰ').click();
    if (read) {
      await news(page).filter({ hasText: `問題No.${read})` }).waitFor({ timeout: 5000 });
    } else {
      const said = (await dialogText(page)).trim();
      assert.ok(said.startsWith('ｶｹﾏﾙ九九') && said.includes(`'${typed}' は整数ではありません.`), said);
      assert.match(await news(page).textContent(), /問題No.12\)/, 'the sheet stays');
    }
  }
});
