// The main window driven as a user drives it: clicks, Tab and typing.

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "fmain.h"
#include "font_cache.h"
#include "message_boxes.h"
#include "option_group.h"
#include "qt_drawing_surface.h"
#include "recording_notifier.h"
#include "render/make_print.h"
#include "program_names.h"
#include "window_fixture.h"

namespace {

QStringList Labels(const OptionGroup* group) {
  QStringList labels;
  for (int index = 0; index < group->Count(); ++index) labels << group->Item(index)->text();
  return labels;
}

int CheckedItems(const OptionGroup* group) {
  int checked = 0;
  for (int index = 0; index < group->Count(); ++index) checked += group->Item(index)->isChecked();
  return checked;
}

QPalette WithButtonColours(QPalette palette, const QColor& button, const QColor& buttonText) {
  palette.setColor(QPalette::Window, button);
  palette.setColor(QPalette::Button, button);
  palette.setColor(QPalette::WindowText, buttonText);
  palette.setColor(QPalette::ButtonText, buttonText);
  return palette;
}

int ChannelDistance(const QColor& a, const QColor& b) {
  return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                   std::abs(a.blue() - b.blue())});
}

}  // namespace

class TestMainWindow : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void startState();
  void quitGlyphTakesTheButtonTextColour_data();
  void quitGlyphTakesTheButtonTextColour();
  void controlsSitWhereTheyBelong_data();
  void controlsSitWhereTheyBelong();
  void tabVisitsControlsInOrder();
  void tableBoxesEnableThePreview();
  void emphasisTicksItsTable();
  void untickingTheEmphasisTableClearsIt();
  void questionCountDecidesZeroMultiplier();
  void blankBoxAndTensExcludeEachOther();
  void blankBoxAndTensStayApartWhateverTheInput_data();
  void blankBoxAndTensStayApartWhateverTheInput();
  void itemsKeepTheirFontUnderAStyleSheet();
  void previewShowsAnswersThenQuestions();
  void refusedPreviewKeepsTheSheet();
  void badNumberIsAnError_data();
  void badNumberIsAnError();
  void onlyTheFocusedButtonTakesReturn();
  void messageBoxTexts();

 private:
  QCheckBox* Dan(int table) const {
    return Find<QCheckBox>(QByteArray("D" + QByteArray::number(table)).constData());
  }
  void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
  void Choose(const char* group, int index) { Click(Group(group)->Item(index)); }
  QImage Expected(int drawMode);
};

void TestMainWindow::init() {
  OpenWindow();
  ActivateWindow();
}

void TestMainWindow::cleanup() {
  CloseWindow();
}

void TestMainWindow::startState() {
  QCOMPARE(m_form->windowTitle(), QStringLiteral("ｶｹﾏﾙ For 九九 Ver." KAKEMARU_VERSION));
  QCOMPARE(m_form->size(), QSize(662, 527));
  QCOMPARE(m_form->TableMask().Bits(), 0u);
  QCOMPARE(m_form->PrintNumber(), 1);
  QVERIFY(!m_form->SheetExists());

  for (int table = 0; table < 10; ++table) {
    QCOMPARE(Dan(table)->text(), QString(QChar(0xFF10 + table)) + QStringLiteral("の段"));
    QVERIFY(!Dan(table)->isChecked());
    QCOMPARE(Dan(table)->property("Tag").toInt(), table);
  }
  const QStringList tables = {"０の段", "１の段", "２の段", "３の段", "４の段",
                              "５の段", "６の段", "７の段", "８の段", "９の段"};
  QCOMPARE(Labels(Group("ImportantDan")), tables);
  QCOMPARE(Group("ImportantDan")->ItemIndex(), -1);
  QCOMPARE(CheckedItems(Group("ImportantDan")), 0);
  QCOMPARE(
      Labels(Group("QNumCheck")),
      QStringList({"　９問", "１０問", "１８問", "２０問", "２７問", "３０問", "３６問", "４０問",
                   "５４問", "６０問", "７２問", "８０問", "３６問２列", "４０問２列"}));
  QCOMPARE(Group("QNumCheck")->ItemIndex(), 0);
  QVERIFY(!Group("QNumCheck")->isEnabled());
  for (int index = 0; index < 14; ++index) QVERIFY(!Group("QNumCheck")->Item(index)->isEnabled());
  QCOMPARE(Labels(Group("RandomCheck")), QStringList({"昇順", "降順", "あり"}));
  QCOMPARE(Group("RandomCheck")->ItemIndex(), 0);
  QCOMPARE(Labels(Group("JousuuCheck")), QStringList({"入れない", "入れる"}));
  QCOMPARE(Group("JousuuCheck")->ItemIndex(), 0);
  QVERIFY(Group("JousuuCheck")->isEnabled());
  QCOMPARE(Labels(Group("rgSquare")), QStringList({"なし", "[ ]×", "×[ ]", "混合"}));
  QCOMPARE(Labels(Group("rgMulti")), QStringList({"なし", "×10", "×100"}));
  QCOMPARE(Labels(Group("rgNum")), QStringList({"なし", "あり"}));
  for (const char* name : {"rgSquare", "rgMulti", "rgNum"}) QCOMPARE(Group(name)->ItemIndex(), 0);

  QCOMPARE(Find<QLineEdit>("Edit1")->text(), QStringLiteral("1"));
  QCOMPARE(Find<QLabel>("Label3")->text(), QStringLiteral("ﾌﾟﾘﾝﾄ番号"));
  QCOMPARE(Find<GroupBox>("GroupBox1")->Caption(), QStringLiteral("段"));
  const struct {
    const char* name;
    const char* caption;
    bool enabled;
  } buttons[] = {{"btnSetPrn", "印刷の設定", true},
                 {"PreviewBtn", "ﾌﾟﾚﾋﾞｭｰ", false},
                 {"PrintBtn", "印刷", false},
                 {"PrintAnsBtn", "印刷(答えつき)", false},
                 {"QuitBtn", "終了", true}};
  for (const auto& button : buttons) {
    QPushButton* pushButton = Find<QPushButton>(button.name);
    QCOMPARE(pushButton->text(), QString::fromUtf8(button.caption));
    QCOMPARE(pushButton->isEnabled(), button.enabled);
    QVERIFY(!pushButton->isDefault());
    QVERIFY(!pushButton->autoDefault());
  }
  QVERIFY(!Find<QPushButton>("PrintBtn")->icon().isNull());
  QVERIFY(!Find<QPushButton>("QuitBtn")->icon().isNull());

  // The focus starts on "入れない".
  QCOMPARE(QApplication::focusWidget(), Group("JousuuCheck")->Item(0));
}

void TestMainWindow::quitGlyphTakesTheButtonTextColour_data() {
  QTest::addColumn<QColor>("button");
  QTest::addColumn<QColor>("buttonText");
  QTest::addColumn<bool>("onWindow");
  QTest::newRow("dark desktop") << QColor(53, 53, 53) << QColor(240, 240, 240) << false;
  QTest::newRow("light desktop") << QColor(239, 239, 239) << QColor(0, 0, 0) << false;
  QTest::newRow("high contrast window") << QColor(0, 0, 0) << QColor(255, 255, 0) << true;
}

// Each palette arrives after the window is made, as when the desktop's
// colours change under a running program.
void TestMainWindow::quitGlyphTakesTheButtonTextColour() {
  QFETCH(QColor, button);
  QFETCH(QColor, buttonText);
  QFETCH(bool, onWindow);
  const QPalette previous = QApplication::palette();
  const auto restore = qScopeGuard([&previous] { QApplication::setPalette(previous); });
  const QPalette palette = WithButtonColours(previous, button, buttonText);
  if (onWindow) {
    m_form->setPalette(palette);
  } else {
    QApplication::setPalette(palette);
  }
  // The application's palette reaches its widgets through posted events.
  QTRY_COMPARE(Find<QPushButton>("QuitBtn")->palette().color(QPalette::ButtonText), buttonText);

  const QIcon glyph = Find<QPushButton>("QuitBtn")->icon();
  for (const qreal ratio : {1.0, 2.0}) {
    const QImage image =
        glyph.pixmap(QSize(16, 16), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(16, 16) * ratio);  // drawn for the ratio, not scaled
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (pixel.alpha() < 255) continue;
        ++opaque;
        QVERIFY2(ChannelDistance(pixel, buttonText) <= 16, qPrintable(pixel.name()));
        QVERIFY2(std::abs(qGray(pixel.rgb()) - qGray(button.rgb())) >= 128,
                 qPrintable(pixel.name()));
      }
    }
    // An "×" of two strokes: neither empty nor a filled square.
    QVERIFY2(opaque >= 16 * ratio * ratio && opaque <= 128 * ratio * ratio,
             qPrintable(QString::number(opaque)));
  }
}

void TestMainWindow::controlsSitWhereTheyBelong_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  const struct {
    const char* name;
    QRect geometry;
  } rows[] = {{"GroupBox1", {8, 24, 177, 125}},
              {"D0", {8, 20, 65, 17}},
              {"D4", {8, 100, 65, 17}},
              {"D5", {96, 20, 65, 17}},
              {"D9", {96, 100, 65, 17}},
              {"ImportantDan", {8, 152, 177, 113}},
              {"QNumCheck", {192, 24, 121, 223}},
              {"Label3", {196, 248, 72, 16}},
              {"Edit1", {272, 248, 33, 24}},
              {"RandomCheck", {8, 272, 185, 49}},
              {"JousuuCheck", {204, 272, 109, 55}},
              {"rgSquare", {8, 328, 305, 41}},
              {"rgMulti", {8, 376, 185, 41}},
              {"rgNum", {200, 376, 113, 41}},
              {"btnSetPrn", {16, 424, 129, 25}},
              {"PreviewBtn", {160, 424, 145, 25}},
              {"PrintBtn", {16, 456, 177, 25}},
              {"PrintAnsBtn", {16, 488, 177, 25}},
              {"QuitBtn", {224, 456, 81, 57}},
              {"Bevel1", {320, 48, 337, 457}},
              {"PaintBox1", {328, 56, 320, 441}},
              {"Label2", {8, 4, 297, 16}}};
  for (const auto& row : rows)
    QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.geometry;
}

void TestMainWindow::controlsSitWhereTheyBelong() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QWidget* control = m_form->findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), geometry);
}

void TestMainWindow::tabVisitsControlsInOrder() {
  Click(Dan(2));  // enables QNumCheck and PreviewBtn
  Group("JousuuCheck")->Item(0)->setFocus();
  const QList<QWidget*> expected = {
      Group("QNumCheck")->Item(0), Group("RandomCheck")->Item(0), Find<QPushButton>("PreviewBtn"),
      Find<QWidget>("PaintBox1"), Find<QPushButton>("QuitBtn"), Dan(0), Dan(1), Dan(2), Dan(3),
      Dan(4), Dan(5), Dan(6), Dan(7), Dan(8), Dan(9), Find<QLineEdit>("Edit1"),
      Find<QPushButton>("btnSetPrn"), Group("rgMulti")->Item(0), Group("rgSquare")->Item(0),
      Group("rgNum")->Item(0),
      // ImportantDan has no item chosen: Tab stops at its first, choosing nothing.
      Group("ImportantDan")->Item(0), Group("JousuuCheck")->Item(0)};
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
  }
  QCOMPARE(Group("ImportantDan")->ItemIndex(), -1);
  // There an arrow key chooses, as Space does.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(Group("ImportantDan")->ItemIndex(), 1);
  QVERIFY(Dan(1)->isChecked());
  // Once an item is chosen, Tab enters ImportantDan at that item.
  Choose("ImportantDan", 2);
  Group("rgNum")->Item(0)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), Group("ImportantDan")->Item(2));
}

void TestMainWindow::tableBoxesEnableThePreview() {
  Click(Dan(3));
  QCOMPARE(m_form->TableMask().Bits(), 8u);
  QVERIFY(Group("QNumCheck")->isEnabled());
  QVERIFY(Find<QPushButton>("PreviewBtn")->isEnabled());
  Click(Dan(7));
  QCOMPARE(m_form->TableMask().Bits(), 8u + 128u);
  Click(Dan(3));
  QVERIFY(Find<QPushButton>("PreviewBtn")->isEnabled());
  Click(Find<QPushButton>("PreviewBtn"));
  QVERIFY(Find<QPushButton>("PrintBtn")->isEnabled());
  Click(Dan(7));
  QCOMPARE(m_form->TableMask().Bits(), 0u);
  QVERIFY(!Group("QNumCheck")->isEnabled());
  QVERIFY(!Find<QPushButton>("PreviewBtn")->isEnabled());
  // Print buttons stay as a preview left them.
  QVERIFY(Find<QPushButton>("PrintBtn")->isEnabled());
  QVERIFY(Find<QPushButton>("PrintAnsBtn")->isEnabled());
}

void TestMainWindow::emphasisTicksItsTable() {
  QSignalSpy toggled(Dan(3), &QCheckBox::toggled);
  Choose("ImportantDan", 3);
  QCOMPARE(Group("ImportantDan")->ItemIndex(), 3);
  QVERIFY(Dan(3)->isChecked());
  QCOMPARE(toggled.count(), 1);  // the box's handler ran once
  QCOMPARE(m_form->TableMask().Bits(), 8u);
  QVERIFY(Group("QNumCheck")->isEnabled());
  QVERIFY(Find<QPushButton>("PreviewBtn")->isEnabled());

  // Choosing it again, or a table already ticked, changes nothing else.
  Choose("ImportantDan", 3);
  Click(Dan(5));
  Choose("ImportantDan", 5);
  QCOMPARE(toggled.count(), 1);
  QCOMPARE(m_form->TableMask().Bits(), 8u + 32u);
}

void TestMainWindow::untickingTheEmphasisTableClearsIt() {
  Choose("ImportantDan", 3);
  Click(Dan(4));
  Click(Dan(4));
  QCOMPARE(Group("ImportantDan")->ItemIndex(), 3);
  Click(Dan(3));
  QCOMPARE(Group("ImportantDan")->ItemIndex(), -1);
  QCOMPARE(CheckedItems(Group("ImportantDan")), 0);
  QCOMPARE(m_form->TableMask().Bits(), 0u);
  // And it can be chosen again afterwards.
  Choose("ImportantDan", 3);
  QVERIFY(Dan(3)->isChecked());
}

void TestMainWindow::questionCountDecidesZeroMultiplier() {
  Click(Dan(1));
  // The count already chosen: no rule runs, JousuuCheck stays enabled.
  Choose("QNumCheck", 0);
  QVERIFY(Group("JousuuCheck")->isEnabled());
  Choose("JousuuCheck", 1);

  Choose("QNumCheck", 7);  // "４０問"
  QVERIFY(Group("JousuuCheck")->isEnabled());
  QCOMPARE(Group("JousuuCheck")->ItemIndex(), 1);
  Choose("QNumCheck", 6);  // "３６問"
  QVERIFY(!Group("JousuuCheck")->isEnabled());
  QCOMPARE(Group("JousuuCheck")->ItemIndex(), 0);
  Choose("QNumCheck", 13);  // "４０問２列"
  QVERIFY(Group("JousuuCheck")->isEnabled());
  Choose("QNumCheck", 12);  // "３６問２列"
  QVERIFY(!Group("JousuuCheck")->isEnabled());
}

void TestMainWindow::blankBoxAndTensExcludeEachOther() {
  Choose("rgSquare", 3);  // "混合"
  Choose("rgMulti", 1);   // "×10"
  QCOMPARE(Group("rgSquare")->ItemIndex(), 0);
  QCOMPARE(Group("rgMulti")->ItemIndex(), 1);
  Choose("rgSquare", 1);  // "[ ]×"
  QCOMPARE(Group("rgMulti")->ItemIndex(), 0);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 1);

  // Moving inside the group with the arrows resets nothing.
  Choose("rgMulti", 2);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 0);
  Choose("rgSquare", 2);
  Group("rgMulti")->SetItemIndex(2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 3);
  QCOMPARE(Group("rgMulti")->ItemIndex(), 2);
  // Up and Down move along a group of one row as Left and Right do.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 3);
  // A click on the frame takes no focus and resets nothing.
  QTest::mouseClick(Group("rgMulti"), Qt::LeftButton, {}, QPoint(3, 3));
  QCOMPARE(Group("rgSquare")->ItemIndex(), 3);

  // Focus passing by with Tab sets nothing back; a choice made there does.
  Choose("rgMulti", 1);  // "×10"
  Find<QPushButton>("btnSetPrn")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // into rgMulti
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // into rgSquare
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // on to PrintAnsBtn
  QCOMPARE(Group("rgMulti")->ItemIndex(), 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 1);
  QCOMPARE(Group("rgMulti")->ItemIndex(), 0);
}

void TestMainWindow::blankBoxAndTensStayApartWhateverTheInput_data() {
  QTest::addColumn<quint32>("seed");
  for (const quint32 seed : {1u, 2u, 3u, 4u})
    QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

// Random sequences of what a user can do: clicks, keys, assistive tools'
// actions, and the window losing and regaining the focus. After each step
// at most one of the two groups is away from "なし".
void TestMainWindow::blankBoxAndTensStayApartWhateverTheInput() {
  QFETCH(quint32, seed);
  QRandomGenerator random(seed);
  QWidget other;
  const auto anyItem = [&] {
    OptionGroup* group = Group(random.bounded(2) == 0 ? "rgSquare" : "rgMulti");
    return group->Item(random.bounded(group->Count()));
  };
  QStringList steps;
  for (int step = 0; step < 60; ++step) {
    switch (random.bounded(7)) {
      case 0:
        Click(anyItem());
        steps << QStringLiteral("click");
        break;
      case 1:
      case 2: {
        // Press clicks a moment later, as a click would; toggle at once.
        QRadioButton* item = anyItem();
        const QString action = random.bounded(2) == 0 ? QAccessibleActionInterface::pressAction()
                                                      : QAccessibleActionInterface::toggleAction();
        QAccessible::queryAccessibleInterface(item)->actionInterface()->doAction(action);
        QTRY_VERIFY(item->isChecked());
        steps << action;
        break;
      }
      case 3:
        QTest::keyClick(
            QApplication::focusWidget(),
            std::array{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}[random.bounded(4)]);
        steps << QStringLiteral("arrow");
        break;
      case 4:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        random.bounded(2) == 0 ? Qt::NoModifier : Qt::ShiftModifier);
        steps << QStringLiteral("tab");
        break;
      case 5:
        Click(Find<QLineEdit>("Edit1"));
        steps << QStringLiteral("elsewhere");
        break;
      default:
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.hide();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        steps << QStringLiteral("away and back");
        break;
    }
    QVERIFY2(Group("rgSquare")->ItemIndex() == 0 || Group("rgMulti")->ItemIndex() == 0,
             qPrintable(steps.join(QStringLiteral(", "))));
  }
}

// An application style sheet, set before the window is made or after, must
// not take the design's fonts away from the items.
void TestMainWindow::itemsKeepTheirFontUnderAStyleSheet() {
  const auto keptFonts = [](const TForm1* form) {
    for (const OptionGroup* group : form->findChildren<OptionGroup*>()) {
      for (int index = 0; index < group->Count(); ++index) {
        const QFont font = group->Item(index)->font();
        QCOMPARE(QFontInfo(font).family(), QFontInfo(group->font()).family());
        QCOMPARE(font.pixelSize(), group->font().pixelSize());
      }
    }
  };
  const QString sheet = QStringLiteral("QWidget { background: #303030; color: white; }");
  qApp->setStyleSheet(sheet);
  keptFonts(m_form);
  qApp->setStyleSheet(QString());
  qApp->setStyleSheet(sheet);
  TForm1 styled(m_notifier, m_systemService);
  styled.show();
  QVERIFY(QTest::qWaitForWindowExposed(&styled));
  keptFonts(&styled);
  qApp->setStyleSheet(QString());
}

QImage TestMainWindow::Expected(int drawMode) {
  const qreal ratio = m_form->devicePixelRatioF();
  QImage image(QSize(320, 441) * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  FontCache fonts;
  render::ProblemTextTable texts;
  QPainter painter(&image);
  QtDrawingSurface surface(painter, fonts);
  render::MakePrint(surface, 320, 441, drawMode,
                    {m_form->CurrentSheet(), m_form->PrintNumber(), {}}, texts);
  return image;
}

void TestMainWindow::previewShowsAnswersThenQuestions() {
  QWidget* area = Find<QWidget>("PaintBox1");
  QSignalSpy drawn(m_form, &TForm1::PreviewDrawn);
  // Before any preview the area draws nothing.
  area->repaint();
  QCOMPARE(drawn.count(), 0);

  Click(Dan(3));
  Click(Dan(7));
  Choose("QNumCheck", 2);  // "１８問"
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("7"));
  Click(Find<QPushButton>("PreviewBtn"));

  QVERIFY(m_form->SheetExists());
  QCOMPARE(m_form->PrintNumber(), 7);
  QCOMPARE(m_form->CurrentSheet().count, 18);
  QCOMPARE(m_form->CurrentSheet().countOption, 2);
  QList<int> expected = {31, 32, 33, 34, 35, 36, 37, 38, 39, 71, 72, 73, 74, 75, 76, 77, 78, 79};
  const auto codes = m_form->CurrentSheet().problems.First(18);
  QCOMPARE(QList<int>(codes.begin(), codes.end()), expected);
  QCOMPARE(drawn.count(), 1);
  QCOMPARE(drawn.at(0).at(0).toInt(), render::kAnswerSheet);
  QVERIFY(Find<QPushButton>("PrintBtn")->isEnabled());
  QVERIFY(Find<QPushButton>("PrintAnsBtn")->isEnabled());

  // Every later drawing is the question sheet, number 7, drawn sharp at the
  // screen's pixel ratio.
  const QImage shown = area->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QCOMPARE(drawn.last().at(0).toInt(), render::kQuestionSheet);
  const QImage questions = Expected(render::kQuestionSheet);
  const qreal ratio = m_form->devicePixelRatioF();
  if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) QCOMPARE(ratio, 2.0);
  QCOMPARE(shown.size(), QSize(320, 441) * ratio);
  QCOMPARE(shown.size(), questions.size());
  const QRect page(QPoint(0, 0), QSize(319, 440) * ratio);
  QCOMPARE(shown.copy(page), questions.copy(page));
  QVERIFY(shown.copy(page) != Expected(render::kAnswerSheet).copy(page));
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), QStringLiteral("7"));
}

void TestMainWindow::refusedPreviewKeepsTheSheet() {
  Click(Dan(4));
  Click(Find<QPushButton>("PreviewBtn"));
  const worksheet::Sheet first = m_form->CurrentSheet();

  Choose("QNumCheck", 1);  // "１０問" from one table without the zero multiplier
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("9"));
  QSignalSpy drawn(m_form, &TForm1::PreviewDrawn);
  Click(Find<QPushButton>("PreviewBtn"));

  QCOMPARE(m_notifier.refusals,
           QStringList({"今の段の数では、指定された問題数が確保できません。"}));
  QCOMPARE(m_form->CurrentSheet().problems, first.problems);
  QCOMPARE(m_form->CurrentSheet().count, 9);
  QCOMPARE(m_form->PrintNumber(), 1);
  QCOMPARE(drawn.count(), 0);
}

void TestMainWindow::badNumberIsAnError_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("full-width digits") << QStringLiteral("１２");
  QTest::newRow("trailing space") << QStringLiteral("12 ");
  QTest::newRow("format directives") << QStringLiteral("%s%n%d%x");
  QTest::newRow("empty") << QString();
  QTest::newRow("too large") << QStringLiteral("2147483648");
}

void TestMainWindow::badNumberIsAnError() {
  QFETCH(QString, text);
  Click(Dan(4));
  Find<QLineEdit>("Edit1")->setText(text);
  Click(Find<QPushButton>("PreviewBtn"));
  QCOMPARE(m_notifier.errors, QStringList({"'" + text + "' は整数ではありません"}));
  QVERIFY(!m_form->SheetExists());
  QCOMPARE(m_form->PrintNumber(), 1);
  QCOMPARE(Find<QLineEdit>("Edit1")->text(), text);
}

// No button is a default or cancel button: Return and Enter on another
// control, and Escape anywhere, press nothing. Return or Space presses the
// focused button, as on any desktop, once however long it is held.
void TestMainWindow::onlyTheFocusedButtonTakesReturn() {
  Click(Dan(4));
  QPushButton* preview = Find<QPushButton>("PreviewBtn");
  const QList<QWidget*> others = {Find<QLineEdit>("Edit1"), Group("RandomCheck")->Item(0), Dan(4)};
  for (QWidget* other : others) {
    other->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
      QTest::keyClick(other, key);
    }
  }
  preview->setFocus();
  QTest::keyClick(preview, Qt::Key_Escape);
  QVERIFY(!m_form->SheetExists());
  QVERIFY(m_form->isVisible());

  QSignalSpy made(m_form, &TForm1::PreviewDrawn);
  QTest::keyClick(preview, Qt::Key_Return);
  QVERIFY(m_form->SheetExists());
  for (int repeat = 0; repeat < 3; ++repeat) {
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(preview, &held);
  }
  QCOMPARE(made.count(), 1);
  QTest::keyClick(preview, Qt::Key_Space);
  QCOMPARE(made.count(), 2);
}

void TestMainWindow::messageBoxTexts() {
  QCOMPARE(WithFullStop(QStringLiteral("デフォルト プリンタが存在しません")),
           QStringLiteral("デフォルト プリンタが存在しません."));
  QCOMPARE(WithFullStop(QStringLiteral("done.")), QStringLiteral("done."));
  QCOMPARE(WithFullStop(QStringLiteral("a-")), QStringLiteral("a-"));
  QCOMPARE(WithFullStop(QStringLiteral("a/")), QStringLiteral("a/."));
  QCOMPARE(WithFullStop(QString()), QString());

  MessageBoxes boxes;
  struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
  };
  const auto closeNextBox = [](Seen& seen) {
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      seen = {box->windowTitle(), box->text(), box->icon(), {}};
      for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
      box->buttons().first()->click();
    });
  };
  Seen refusal;
  closeNextBox(refusal);
  boxes.Refusal(m_form, QStringLiteral("今の段の数では、指定された問題数が確保できません。"));
  QCOMPARE(refusal.title, QStringLiteral("警告"));
  QCOMPARE(refusal.icon, QMessageBox::Warning);
  QCOMPARE(refusal.text, QStringLiteral("今の段の数では、指定された問題数が確保できません。"));
  QCOMPARE(refusal.buttons, QStringList({"OK"}));

  Seen error;
  closeNextBox(error);
  boxes.Error(m_form, QStringLiteral("'%s%n' は整数ではありません"));
  QCOMPARE(error.title, kProgramTitle);
  QCOMPARE(error.icon, QMessageBox::Critical);
  QCOMPARE(error.text, QStringLiteral("'%s%n' は整数ではありません."));
  QCOMPARE(error.buttons, QStringList({"OK"}));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
