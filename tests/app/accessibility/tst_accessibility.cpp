// What assistive tools see of the main window, through Qt's accessibility
// interface, and Japanese text input through an input method.

#include <QAccessible>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "fmain.h"
#include "form/sheet_reading.h"
#include "option_group.h"
#include "qt_platform_text.h"
#include "qt_translations.h"
#include "recording_notifier.h"
#include "render/make_print.h"
#include "sample_sheet.h"
#include "scripted_print_service.h"
#include "window_fixture.h"
#include "worksheet/problem_code.h"

namespace {

bool IsJapanese(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

}  // namespace

class TestAccessibility : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void everyControlHasAJapaneseNameAndRole();
  void previewSaysWhichSheetItShows();
  void previewReadsTheSheetLineByLine();
  void spokenText_data();
  void spokenText();
  void sheetReadsInDrawingOrder();
  void numberBoxTakesInputMethodText();
  void qtDialogsSpeakJapanese();

 private:
  QAccessibleInterface* Accessible(const char* name) const;
  QStringList PreviewLines() const;

  ScriptedPrintService m_service;
};

void TestAccessibility::init() {
  m_service = ScriptedPrintService();
  OpenWindow(m_service);
}

void TestAccessibility::cleanup() {
  CloseWindow();
}

QAccessibleInterface* TestAccessibility::Accessible(const char* name) const {
  QWidget* widget = m_form->findChild<QWidget*>(QLatin1String(name));
  return widget != nullptr ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

void TestAccessibility::everyControlHasAJapaneseNameAndRole() {
  const struct {
    const char* name;
    QAccessible::Role role;
  } controls[] = {
      {"GroupBox1", QAccessible::Grouping},   {"ImportantDan", QAccessible::Grouping},
      {"QNumCheck", QAccessible::Grouping},   {"RandomCheck", QAccessible::Grouping},
      {"JousuuCheck", QAccessible::Grouping}, {"rgSquare", QAccessible::Grouping},
      {"rgMulti", QAccessible::Grouping},     {"rgNum", QAccessible::Grouping},
      {"Edit1", QAccessible::EditableText},   {"btnSetPrn", QAccessible::Button},
      {"PreviewBtn", QAccessible::Button},    {"PrintBtn", QAccessible::Button},
      {"PrintAnsBtn", QAccessible::Button},   {"QuitBtn", QAccessible::Button},
      {"PaintBox1", QAccessible::Document},   {"Bevel1", QAccessible::Grouping},
  };
  for (const auto& control : controls) {
    QAccessibleInterface* accessible = Accessible(control.name);
    QVERIFY2(accessible != nullptr, control.name);
    QCOMPARE(accessible->role(), control.role);
    QVERIFY2(IsJapanese(accessible->text(QAccessible::Name)), control.name);
    QVERIFY2(IsJapanese(accessible->text(QAccessible::Description)), control.name);
  }
  QCOMPARE(Accessible("Edit1")->text(QAccessible::Name), QStringLiteral("プリント番号"));
  QCOMPARE(QAccessible::queryAccessibleInterface(m_form)->role(), QAccessible::Window);

  // Every table box and every item of every option group, by walking the
  // window's accessible tree.
  int checkBoxes = 0;
  int radioButtons = 0;
  QList<QAccessibleInterface*> pending = {QAccessible::queryAccessibleInterface(m_form)};
  while (!pending.isEmpty()) {
    QAccessibleInterface* node = pending.takeFirst();
    for (int i = 0; i < node->childCount(); ++i) pending << node->child(i);
    const QAccessible::Role role = node->role();
    if (role != QAccessible::CheckBox && role != QAccessible::RadioButton) continue;
    (role == QAccessible::CheckBox ? checkBoxes : radioButtons) += 1;
    // Named by its own caption only: a label from its group would be said
    // again with every item.
    QVERIFY(node->relations(QAccessible::Label).isEmpty());
    QVERIFY2(IsJapanese(node->text(QAccessible::Name)), qPrintable(node->text(QAccessible::Name)));
    QVERIFY2(IsJapanese(node->text(QAccessible::Description)),
             qPrintable(node->text(QAccessible::Name)));
  }
  QCOMPARE(checkBoxes, 10);
  QCOMPARE(radioButtons, 10 + 14 + 3 + 2 + 4 + 3 + 2);
}

// The news of each command is a notification, shown anew with each news,
// and the preview's first line says which sheet it reads.
void TestAccessibility::previewSaysWhichSheetItShows() {
  QAccessibleInterface* news = Accessible("NewsNotice");
  QCOMPARE(news->role(), QAccessible::Notification);
  QVERIFY(news->state().invisible);
  QCOMPARE(PreviewLines(), QStringList({"まだプリントはありません"}));
  QTest::mouseClick(m_form->findChild<QCheckBox*>(QStringLiteral("D4")), Qt::LeftButton);
  m_form->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("7"));
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QCOMPARE(PreviewLines().first(), QStringLiteral("答えの用紙（9問、問題No.7）"));
  QCOMPARE(news->text(QAccessible::Name),
           QStringLiteral("プリントを作りました。答えの用紙(9問、問題No.7)"));
  QVERIFY(!news->state().invisible);
  // A new sheet with another number and count is told, not the one before.
  QTest::mouseClick(m_form->findChild<QCheckBox*>(QStringLiteral("D5")), Qt::LeftButton);
  QTest::mouseClick(m_form->findChild<OptionGroup*>(QStringLiteral("QNumCheck"))->Item(1),
                    Qt::LeftButton);
  m_form->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("8"));
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QCOMPARE(PreviewLines().first(), QStringLiteral("答えの用紙（10問、問題No.8）"));
  QCOMPARE(news->text(QAccessible::Name),
           QStringLiteral("プリントを作りました。答えの用紙(10問、問題No.8)"));
  // The command buttons say what they do, not what they last did.
  QCOMPARE(Accessible("PreviewBtn")->text(QAccessible::Description),
           QStringLiteral("選んだ設定で問題を作り、プレビューに答えの用紙を表示します"));
}

QStringList TestAccessibility::PreviewLines() const {
  QAccessibleTextInterface* text = Accessible("PaintBox1")->textInterface();
  return text->text(0, text->characterCount()).split(QLatin1Char('\n'));
}

// The reading is the answer sheet, made with the sheet and kept as it is
// until the sheet, its number or its form changes. Read through the text
// interface, line by line, as a screen reader walks it.
void TestAccessibility::previewReadsTheSheetLineByLine() {
  Click("D2");
  Click("D5");
  Click("D9");
  Group("QNumCheck")->Item(3)->click();  // 20問: two columns of ten
  Group("rgSquare")->Item(1)->click();   // the table in the box
  Group("rgNum")->Item(1)->click();
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("7"));
  Click("PreviewBtn");

  const QStringList answers = PreviewLines();
  QCOMPARE(answers.mid(0, 5), QStringList({"答えの用紙（20問、問題No.7）", "かけざん九九",
                                           "問題No.7", "名前を書く欄", "けいさんしましょう"}));
  QCOMPARE(answers.size(), 5 + 20);
  // "1番、[3]かける4は12" with the table in the box, questions in slot
  // order: column by column.
  const worksheet::Sheet& sheet = m_form->CurrentSheet();
  const auto line = [&sheet](int slot, bool boxed) {
    const int table = worksheet::TableOf(sheet.problems[slot]);
    const int multiplier = worksheet::MultiplierOf(sheet.problems[slot]);
    return QStringLiteral("%1番、%2かける%3は%4")
        .arg((slot - 1) % 10 + 1)
        .arg(boxed ? QStringLiteral("[%1]").arg(table) : QString::number(table))
        .arg(multiplier)
        .arg(table * multiplier);
  };
  for (int slot = 1; slot <= 20; ++slot) QCOMPARE(answers.at(4 + slot), line(slot, true));
  // Each line reports where it stands: the first question at the page's
  // first row, the eleventh at the top of the second column.
  QAccessibleTextInterface* text = Accessible("PaintBox1")->textInterface();
  const int first = static_cast<int>(answers.mid(0, 5).join('\n').size()) + 1;
  const int eleventh = static_cast<int>(answers.mid(0, 15).join('\n').size()) + 1;
  const QRect firstRect = text->characterRect(first);
  const QRect eleventhRect = text->characterRect(eleventh);
  const QWidget* area = Find<QWidget>("PaintBox1");
  QVERIFY(QRect(area->mapToGlobal(QPoint()), area->size()).contains(firstRect));
  QCOMPARE(eleventhRect.top(), firstRect.top());
  QVERIFY(eleventhRect.left() > firstRect.right());

  // The preview's own Tab stop: Down moves the caret a line at a time, and
  // each line is read whole, with its newline. A repaint, which draws the
  // question sheet, changes neither the reading nor the caret.
  Find<QWidget>("PreviewBtn")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), Find<QWidget>("PaintBox1"));
  for (int down = 0; down < 5; ++down) QTest::keyClick(Find<QWidget>("PaintBox1"), Qt::Key_Down);
  Find<QWidget>("PaintBox1")->repaint();
  QCOMPARE(PreviewLines(), answers);
  int start = 0;
  int end = 0;
  QCOMPARE(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
           line(1, true) + '\n');
  QCOMPARE(start, first);
  text->attributes(start + 2, &start, &end);
  QCOMPARE(end - start, text->characterCount());

  // A print gives the reading the next number, and the news says both.
  Click("PrintBtn");
  QCOMPARE(m_service.jobs.size(), 1);
  QCOMPARE(PreviewLines().first(), QStringLiteral("答えの用紙（20問、問題No.8）"));
  QCOMPARE(PreviewLines().at(2), QStringLiteral("問題No.8"));
  QCOMPARE(PreviewLines().mid(5), answers.mid(5));
  QCOMPARE(Accessible("NewsNotice")->text(QAccessible::Name),
           QStringLiteral("問題No.7を印刷しました。次の番号は8です"));
  // The form's options change what the sheet reads, as they do the print.
  Group("rgSquare")->Item(0)->click();
  QCOMPARE(PreviewLines().at(5), line(1, false));
}

// As the window's texts, the page's and a typed number read out.
void TestAccessibility::spokenText_data() {
  QTest::addColumn<QString>("shown");
  QTest::addColumn<QString>("spoken");
  const std::pair<const char*, const char*> cases[] = {
      {"３６問２列", "36問2列"},
      {"　９問", "9問"},
      {"ﾌﾟﾚﾋﾞｭｰ", "プレビュー"},
      {"ﾗﾝﾀﾞﾑ指定", "ランダム指定"},
      {"ｳﾞｶﾞﾊﾟﾜﾞｱﾞ", "ヴガパヷア\u3099"},
      {"[ ]のパターン", "四角のパターン"},
      {"[ ]×", "四角かける"},
      {"×10", "かける10"},
      {"3×4＝12", "3かける4は12"},
      {"３×４＝１２", "3かける4は12"},
      {"[ ]×３＝１２", "四角かける3は12"},
      {"［　］×３", "四角かける3"},
      {"①", "1番、"},
      {"⑳3×[ ]＝12", "20番、3かける四角は12"},
      {"何十、何百の指定", "何十、何百の指定"},
      {"答えの用紙（9問、問題No.7）", "答えの用紙(9問、問題No.7)"},
      {"　ａ　 \t　ｂ　", "a b"},
      {"'１２' は整数ではありません", "'12' は整数ではありません"},
      {"（　　　）", "( )"},
      {"", ""},
  };
  for (const auto& [shown, spoken] : cases) {
    QTest::newRow(shown) << QString::fromUtf8(shown) << QString::fromUtf8(spoken);
  }
}

void TestAccessibility::spokenText() {
  QFETCH(QString, shown);
  QFETCH(QString, spoken);
  QCOMPARE(SpokenText(shown), spoken);
}

// The header, then the questions column by column, each where it is drawn.
void TestAccessibility::sheetReadsInDrawingOrder() {
  const QtPlatformText platform;
  const worksheet::Sheet sheet = test_support::SampleSheet(3, 7);  // 20 questions
  render::ProblemTextTable texts;
  form::SheetReading reading(platform);
  render::MakePrint(reading, 320, 441, render::kAnswerSheet, {sheet, 7, {.rgNum = 1}}, texts);
  const std::vector<form::ReadingLine>& lines = reading.Lines();
  QCOMPARE(lines.size(), std::size_t{4 + 20});
  const auto spoken = [&lines](std::size_t line) { return QStringFromUtf8(lines[line].spoken); };
  QCOMPARE(QStringList({spoken(0), spoken(1), spoken(2), spoken(3)}),
           QStringList({"かけざん九九", "問題No.7", "名前を書く欄", "けいさんしましょう"}));
  QCOMPARE(lines[1].width, 2 * lines[1].height + 4 * (lines[1].height / 2));
  QVERIFY(spoken(4).startsWith(QStringLiteral("1番、")));
  QVERIFY(spoken(14).startsWith(QStringLiteral("1番、")));
  QCOMPARE(lines[14].y, lines[4].y);
  QVERIFY(lines[14].x > lines[4].x + lines[4].width);
  QCOMPARE(QStringFromUtf8(form::SheetSummary(platform, 3, 7)),
           QStringLiteral("答えの用紙（20問、問題No.7）"));
}

// An input method first shows its composition, then commits the text.
void TestAccessibility::numberBoxTakesInputMethodText() {
  auto* edit = m_form->findChild<QLineEdit*>(QStringLiteral("Edit1"));
  edit->setFocus();
  edit->selectAll();
  QInputMethodEvent composing(QStringLiteral("１２"), {});
  QApplication::sendEvent(edit, &composing);
  QInputMethodEvent committed;
  committed.setCommitString(QStringLiteral("１２"));
  QApplication::sendEvent(edit, &committed);
  QCOMPARE(edit->text(), QStringLiteral("１２"));

  // Full-width digits are not a number: said plainly, nothing changes.
  QTest::mouseClick(m_form->findChild<QCheckBox*>(QStringLiteral("D4")), Qt::LeftButton);
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QCOMPARE(m_notifier.errors, QStringList({"'１２' は整数ではありません"}));
  QVERIFY(!m_form->SheetExists());

  // Half-width digits through the same input method are read.
  edit->selectAll();
  QInputMethodEvent ascii;
  ascii.setCommitString(QStringLiteral("12"));
  QApplication::sendEvent(edit, &ascii);
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QCOMPARE(m_form->PrintNumber(), 12);
}

void TestAccessibility::qtDialogsSpeakJapanese() {
  QVERIFY(InstallJapaneseQtTranslations());
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("m"),
                  QMessageBox::Ok | QMessageBox::Cancel);
  QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
  QPrintDialog dialog;
  QVERIFY2(IsJapanese(dialog.windowTitle()), qPrintable(dialog.windowTitle()));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
