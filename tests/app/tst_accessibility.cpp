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
#include "option_group.h"
#include "qt_translations.h"
#include "recording_notifier.h"
#include "window_fixture.h"

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
  void numberBoxTakesInputMethodText();
  void qtDialogsSpeakJapanese();

 private:
  QAccessibleInterface* Accessible(const char* name) const;
};

void TestAccessibility::init() {
  OpenWindow();
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
      {"PaintBox1", QAccessible::Client},
  };
  for (const auto& control : controls) {
    QAccessibleInterface* accessible = Accessible(control.name);
    QVERIFY2(accessible != nullptr, control.name);
    QCOMPARE(accessible->role(), control.role);
    QVERIFY2(IsJapanese(accessible->text(QAccessible::Name)), control.name);
    QVERIFY2(IsJapanese(accessible->text(QAccessible::Description)), control.name);
  }
  QCOMPARE(Accessible("Edit1")->text(QAccessible::Name), QStringLiteral("ﾌﾟﾘﾝﾄ番号"));

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
    QVERIFY2(IsJapanese(node->text(QAccessible::Name)), qPrintable(node->text(QAccessible::Name)));
    QVERIFY2(IsJapanese(node->text(QAccessible::Description)),
             qPrintable(node->text(QAccessible::Name)));
  }
  QCOMPARE(checkBoxes, 10);
  QCOMPARE(radioButtons, 10 + 14 + 3 + 2 + 4 + 3 + 2);
}

void TestAccessibility::previewSaysWhichSheetItShows() {
  QCOMPARE(Accessible("PaintBox1")->text(QAccessible::Description),
           QStringLiteral("まだプリントはありません"));
  QTest::mouseClick(m_form->findChild<QCheckBox*>(QStringLiteral("D4")), Qt::LeftButton);
  m_form->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("7"));
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QCOMPARE(Accessible("PaintBox1")->text(QAccessible::Description),
           QStringLiteral("答えの用紙（９問、問題No.7）"));
  m_form->findChild<QWidget*>(QStringLiteral("PaintBox1"))->repaint();
  QCOMPARE(Accessible("PaintBox1")->text(QAccessible::Description),
           QStringLiteral("問題の用紙（９問、問題No.7）"));
  // A new sheet with another number and count is told, not the one before.
  QTest::mouseClick(m_form->findChild<QCheckBox*>(QStringLiteral("D5")), Qt::LeftButton);
  QTest::mouseClick(m_form->findChild<OptionGroup*>(QStringLiteral("QNumCheck"))->Item(1),
                    Qt::LeftButton);
  m_form->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("8"));
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QCOMPARE(Accessible("PaintBox1")->text(QAccessible::Description),
           QStringLiteral("答えの用紙（１０問、問題No.8）"));
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
