"""What a screen reader's user gets of the program, through AT-SPI.

Starts the program (its path is the argument) once it listens for events,
writing the program's process id to the file named by the second argument so
that the session can stop it whatever happens; turns the desktop's
accessibility on only once the window is shown, as Orca started after the
program does. Checks that every
control can be reached with a name, role and state a screen reader can say,
and operates the program only through accessibility actions and editable
text: ticks tables, chooses an emphasis table and a count, types a number,
makes a sheet and reads it, meets the refusal and the error boxes, prints
when a print service is there, and quits.
"""

import os
import re
import subprocess
import sys
import time
import unicodedata

import pyatspi
from gi.repository import Gio, GLib

PROGRAM, PID_FILE = sys.argv[1], sys.argv[2]
# The version the build gave the program.
VERSION = os.environ["KAKEMARU_VERSION"]
program = None


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    if program is not None:
        program.kill()
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def until(probe, what, timeout=15):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass  # delivers the events listened for
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def has(node, state):
    return node.getState().contains(state)


def the_program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == program.pid:
            return app
    return None


# What a screen reader is told of: each notification as it is shown. The
# program starts only once the listener is registered: Qt asks the registry
# for its listeners once at start and may miss one registered while it
# connects.
told = []
pyatspi.Registry.registerEventListener(
    lambda event: event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION
    and told.append(event.source.name),
    "object:state-changed:showing")
program = subprocess.Popen([PROGRAM])
with open(PID_FILE, "w") as pid_file:
    print(program.pid, file=pid_file)
# Orca, started after the program, sets IsEnabled: after Qt asked it, with the window shown.
subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(program.pid)],
               stdout=subprocess.DEVNULL, timeout=30, check=True)
Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
    "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
    GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
    None, Gio.DBusCallFlags.NONE, 5000)

app = until(the_program, "the program on the accessibility bus", timeout=30)
window = until(lambda: next((w for w in walk(app) if w.getRole() == pyatspi.ROLE_FRAME), None),
               "the main window")


def find(role, name, root=None):
    matches = [n for n in walk(root or window) if n.getRole() == role and n.name == name]
    check(len(matches) == 1, "%d objects %s %r" % (len(matches), pyatspi.Role(role), name))
    return matches[0]


def group(name):
    return find(pyatspi.ROLE_PANEL, name)


def item(group_name, name):
    return find(pyatspi.ROLE_RADIO_BUTTON, name, group(group_name))


def do(node, action):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    check(action in names, "%r offers %s, not %s" % (node.name, names, action))
    actions.doAction(names.index(action))


def chosen(group_name):
    return [n.name for n in walk(group(group_name))
            if n.getRole() == pyatspi.ROLE_RADIO_BUTTON and has(n, pyatspi.STATE_CHECKED)]


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


# The window, and every object in it, named in words a speech engine reads:
# no full-width digits or half-width kana (NFKC), no bare signs.
check(window.name == "カケマル For 九九 Ver." + VERSION, "window name %r" % window.name)
for node in walk(window):
    check(node.name, "an unnamed %s in the window" % node.getRoleName())
    for said in (node.name, node.description):
        check(unicodedata.normalize("NFKC", said) == said, "not speakable: %r" % said)
        check(not re.search(r"[\[\]×＝]", said), "a sign in %r" % said)

# The controls a user needs, with their roles and states at start.
tables = ["%dの段" % k for k in range(10)]
for name in tables:
    box = find(pyatspi.ROLE_CHECK_BOX, name)
    check(has(box, pyatspi.STATE_ENABLED) and not has(box, pyatspi.STATE_CHECKED), name)
groups = {
    "重点的にしたい段": tables,
    "問題数": ["9問", "10問", "18問", "20問", "27問", "30問", "36問", "40問", "54問", "60問",
             "72問", "80問", "36問2列", "40問2列"],
    "ランダム指定": ["昇順", "降順", "あり"],
    "乗数に0を": ["入れない", "入れる"],
    "四角のパターン": ["なし", "四角かける", "かける四角", "混合"],
    "何十、何百の指定": ["なし", "かける10", "かける100"],
    "問題番号": ["なし", "あり"],
}
for name, items in groups.items():
    found = [n for n in walk(group(name)) if n.getRole() == pyatspi.ROLE_RADIO_BUTTON]
    check([n.name for n in found] == items, "items of %s: %s" % (name, [n.name for n in found]))
    # Each item tells where it sits in its group.
    for index, node in enumerate(found):
        check(node.description.endswith("%d項目中%d番目" % (len(items), index + 1)),
              "%s %s: %r" % (name, node.name, node.description))
nones = {item(name, "なし").description for name in ("四角のパターン", "何十、何百の指定", "問題番号")}
check(len(nones) == 3, "the three なし items sound alike: %s" % nones)
check(chosen("重点的にしたい段") == [] and chosen("問題数") == ["9問"], "choices at start")
check(not has(group("問題数"), pyatspi.STATE_ENABLED), "問題数 enabled at start")

number = find(pyatspi.ROLE_TEXT, "プリント番号")
check(has(number, pyatspi.STATE_EDITABLE) and text_of(number) == "1", "the number box")
buttons = {"印刷の設定": True, "プレビュー": False, "印刷": False, "印刷(答えつき)": False, "終了": True}
for name, enabled in buttons.items():
    check(has(find(pyatspi.ROLE_PUSH_BUTTON, name), pyatspi.STATE_ENABLED) == enabled, name)
preview = find(pyatspi.ROLE_DOCUMENT_FRAME, "プレビュー")
check(text_of(preview) == "まだプリントはありません", "preview at start")
find(pyatspi.ROLE_PANEL, "プレビューの枠")

# Actions run the window's rules as clicks do.
do(find(pyatspi.ROLE_CHECK_BOX, "3の段"), "Toggle")
do(find(pyatspi.ROLE_CHECK_BOX, "4の段"), "Toggle")
check(has(group("問題数"), pyatspi.STATE_ENABLED), "a ticked table enables 問題数")
check(has(find(pyatspi.ROLE_PUSH_BUTTON, "プレビュー"), pyatspi.STATE_ENABLED), "and プレビュー")
do(item("重点的にしたい段", "7の段"), "Toggle")
until(lambda: has(find(pyatspi.ROLE_CHECK_BOX, "7の段"), pyatspi.STATE_CHECKED),
      "the emphasis table ticking its box")
do(item("問題数", "20問"), "Toggle")
do(item("乗数に0を", "入れる"), "Toggle")
do(item("問題数", "18問"), "Toggle")
check(chosen("乗数に0を") == ["入れない"] and not has(group("乗数に0を"), pyatspi.STATE_ENABLED),
      "a multiple of nine takes 0 out of the multipliers")
do(item("問題数", "20問"), "Toggle")
check(has(group("乗数に0を"), pyatspi.STATE_ENABLED), "a multiple of ten lets 0 in again")
do(item("四角のパターン", "混合"), "Toggle")
do(item("何十、何百の指定", "かける10"), "Toggle")
check(chosen("四角のパターン") == ["なし"], "tens and the blank box exclude each other")
do(item("四角のパターン", "四角かける"), "Toggle")
check(chosen("何十、何百の指定") == ["なし"], "the blank box and tens exclude each other")
do(item("四角のパターン", "なし"), "Toggle")
do(item("何十、何百の指定", "かける10"), "Toggle")
do(item("問題番号", "あり"), "Toggle")
# Each group set back by the other is told.
setbacks = ["四角のパターンをなしに戻しました", "何十、何百の指定をなしに戻しました"]
until(lambda: told == setbacks, "the groups set back told: %s" % told)
del told[:]
number.queryEditableText().setTextContents("41")

# A sheet: told once in a notification, readable in the preview.
preview_button = find(pyatspi.ROLE_PUSH_BUTTON, "プレビュー")
do(preview_button, "Press")
summary = "答えの用紙（20問、問題No.41）"
until(lambda: text_of(preview).startswith(summary + "\n"), "the preview's summary")
news = "プリントを作りました。答えの用紙(20問、問題No.41)"
until(lambda: told == [news], "the news told once: %s" % told)
reading = text_of(preview).split("\n")
check(reading[:5] == [summary, "かけざん九九", "問題No.41", "名前を書く欄", "けいさんしましょう"],
      "the head of the reading: %s" % reading[:5])
# A caret stands at the start of a line, and a line is read whole, with its
# newline, in one run of text.
text = preview.queryText()
text.setCaretOffset(len(reading[0]) + 3)
check(text.caretOffset == len(reading[0]) + 1, "the caret at %d" % text.caretOffset)
line, start, end = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)
check(line == reading[1] + "\n", "the line at the caret: %r" % line)
_, start, end = text.getAttributeRun(start + 1, False)
check((start, end) == (0, text.characterCount), "a run of %d-%d" % (start, end))

QUESTION = re.compile(r"(\d+)番、(\d+)かける(\d+)(?:は(\d+))?")


def questions(lines):
    """(table, multiplier, answer or None) of each question line, numbered 1 to 10 in turn."""
    parsed = []
    for index, line in enumerate(lines):
        match = QUESTION.fullmatch(line)
        check(match, "not a question: %r" % line)
        check(int(match[1]) == index % 10 + 1, "numbered %s at %d" % (match[1], index))
        factor, multiplier = int(match[2]), int(match[3])
        check(factor % 10 == 0, "not ten times a table: %r" % line)
        parsed.append((factor // 10, multiplier, None if match[4] is None else int(match[4])))
    return parsed


sheet = questions(reading[5:])
check(len(sheet) == 20, "%d questions" % len(sheet))
for table, multiplier, answer in sheet:
    check(table in (3, 4, 7) and 0 <= multiplier <= 9, "question %s" % ((table, multiplier),))
    check(answer == table * 10 * multiplier, "answer of %s" % ((table, multiplier, answer),))
check(any(table == 7 for table, _, _ in sheet), "no question of the emphasis table")
# In ascending order, read column by column from the top.
check(sheet == sorted(sheet), "not in reading order: %s" % sheet)


def alert(name):
    def shown():
        for node in walk(app):
            if node.getRole() == pyatspi.ROLE_ALERT and node.name == name:
                return node
        return None
    return until(shown, "the %s box" % name)


def answer_alert(node):
    do(find(pyatspi.ROLE_PUSH_BUTTON, "OK", node), "Press")
    until(lambda: not any(n.getRole() == pyatspi.ROLE_ALERT for n in walk(app)), "the box closed")


def still_the_sheet(number_shown):
    """The preview, answers or questions, still shows the sheet read above."""
    lines = text_of(preview).split("\n")
    check(re.fullmatch("(答え|問題)の用紙（20問、問題No.%d）" % number_shown, lines[0]),
          "the preview's summary: %r" % lines[0])
    check([q[:2] for q in questions(lines[5:])] == [q[:2] for q in sheet],
          "the preview's questions changed")


# A refused sheet and a number that is no number: each box says which it
# is, and the preview keeps the sheet it had.
do(item("問題数", "80問"), "Toggle")
do(preview_button, "Press")
refusal = alert("問題を作れません")
# Its message is said once: from its text, not again as its description.
find(pyatspi.ROLE_LABEL, "今の段の数では、指定された問題数が確保できません。", refusal)
check(not refusal.description, "the refusal's description: %r" % refusal.description)
answer_alert(refusal)
still_the_sheet(41)
do(item("問題数", "20問"), "Toggle")
number.queryEditableText().setTextContents("x")
do(preview_button, "Press")
error = alert("エラー")
find(pyatspi.ROLE_LABEL, "'x' は整数ではありません.", error)
answer_alert(error)
still_the_sheet(41)
number.queryEditableText().setTextContents("41")

# Printing with answers: told in a notification, the preview's reading takes
# the new number, and the printed sheets are the sheet read.
cups_socket = os.environ.get("CUPS_SERVER", "")
print_button = find(pyatspi.ROLE_PUSH_BUTTON, "印刷(答えつき)")
if os.path.exists(cups_socket):
    spool = os.path.join(os.environ["KAKEMARU_CUPS_STATE"], "spool")
    jobs_before = set(os.listdir(spool))
    do(print_button, "Press")
    until(lambda: text_of(number) == "42", "the next number after printing")
    news = "問題No.41を答えつきで印刷しました。次の番号は42です"
    until(lambda: told[-1:] == [news], "the news of the print told: %s" % told)
    still_the_sheet(42)

    def new_sheets():
        files = sorted(f for f in set(os.listdir(spool)) - jobs_before if f.endswith("-001"))
        return files if len(files) == 2 else None

    printed = until(new_sheets, "two printed sheets")
    for document, answers in zip(printed, (False, True)):
        page = subprocess.run(["pdftotext", "-raw", os.path.join(spool, document), "-"],
                              capture_output=True, text=True, check=True).stdout
        check("問題No.41" in page, "the printed number in %s" % document)
        drawn = re.findall(r"[①-⑩](\d+)×(\d+)(?:＝(\d+))?", page)
        expected = [(t, m, a if answers else None) for t, m, a in sheet]
        got = [(int(f) // 10, int(m), int(a) if a else None) for f, m, a in drawn]
        check(got == expected, "printed %s, read %s" % (got, expected))
else:
    print("no print service: the print goes to the error box")
    do(print_button, "Press")
    answer_alert(alert("エラー"))
    check(text_of(number) == "41", "a failed print counted the number")

do(find(pyatspi.ROLE_PUSH_BUTTON, "終了"), "Press")
try:
    status = program.wait(timeout=5)
except subprocess.TimeoutExpired:
    fail("the program did not end after 終了")
check(status == 0, "the program ended with status %d" % status)
print("PASS")
