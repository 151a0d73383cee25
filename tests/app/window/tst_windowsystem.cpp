// The window as the window system sees it, on a real X server (Xvfb): the
// titles other programs read, where the window is put, focus moved by
// another X client and by a click into the inactive window, and the preview
// after the window is unmapped and mapped again. X is asked through xprop,
// xwininfo and xdotool, not through Qt.

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

#include "application_identity.h"
#include "held_keys.h"
#include "message_boxes.h"
#include "printer_setup_dialog.h"
#include "run_process.h"
#include "scripted_print_service.h"
#include "program_names.h"
#include "window_fixture.h"

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  return QString::fromUtf8(RunProcess(program, arguments).value_or(QByteArray()));
}

QString Xdotool(const QStringList& arguments) {
  return Run(QStringLiteral("xdotool"), arguments);
}

QString Id(const QWidget* window) {
  return QString::number(window->winId());
}

// _NET_WM_NAME, the title that panels, task switchers and screen readers
// show. xprop escapes bytes outside ASCII as octal in a locale without UTF-8.
QString TitleOf(const QWidget* window) {
  const QString line = Run(QStringLiteral("xprop"), {"-id", Id(window), "_NET_WM_NAME"});
  const qsizetype open = line.indexOf(QLatin1Char('"'));
  if (open < 0) return line;
  const QByteArray quoted =
      line.mid(open + 1, line.lastIndexOf(QLatin1Char('"')) - open - 1).toUtf8();
  QByteArray title;
  for (qsizetype at = 0; at < quoted.size(); ++at) {
    if (quoted[at] == '\\' && at + 3 < quoted.size() &&
        QByteArray("01234567").contains(quoted[at + 1])) {
      title += static_cast<char>(quoted.mid(at + 1, 3).toInt(nullptr, 8));
      at += 3;
    } else if (quoted[at] == '\\' && at + 1 < quoted.size()) {
      title += quoted[++at];
    } else {
      title += quoted[at];
    }
  }
  return QString::fromUtf8(title);
}

QRect FrameOf(const QWidget* window) {
  const QString info = Run(QStringLiteral("xwininfo"), {"-id", Id(window)});
  const auto field = [&info](const char* name) {
    const QRegularExpression pattern(QLatin1String(name) + QStringLiteral(":\\s+(-?\\d+)"));
    return pattern.match(info).captured(1).toInt();
  };
  return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
          field("Height")};
}

// Runs `check` on the modal box or dialog that `open` shows, then closes it.
void WithModal(const std::function<void()>& open, const std::function<void(QWidget*)>& check) {
  bool checked = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || checked || !QTest::qWaitForWindowExposed(modal)) return;
    checked = true;
    check(modal);
    modal->close();
  });
  poll.start(50);
  open();
  QVERIFY(checked);
}

}  // namespace

class TestWindowSystem : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void titlesAsTheDesktopShowsThem();
  void placedOnTheScreen();
  void clickIntoTheInactiveWindowEntersTheGroup();
  void focusComingBackEntersNothing();
  void previewRedrawnWhenMappedAgain();
  void heldSpacePressesOnce();
  void heldKeyPrintsOnce_data();
  void heldKeyPrintsOnce();

 private:
  void ClickOnScreen(QWidget* widget);
  void StealFocus();
  void GiveFocusBack();

  ScriptedPrintService m_answeringService;
  bool m_heldKeysPressOnce = false;
  QProcess m_thief;
  QString m_thiefWindow;
};

void TestWindowSystem::initTestCase() {
  ApplyApplicationIdentity();
  m_heldKeysPressOnce = PressHeldKeysOnce();
}

void TestWindowSystem::init() {
  OpenWindow();
  ActivateWindow();
}

void TestWindowSystem::cleanup() {
  if (m_thief.state() != QProcess::NotRunning) {
    m_thief.kill();
    m_thief.waitForFinished();
  }
  CloseWindow();
}

void TestWindowSystem::titlesAsTheDesktopShowsThem() {
  // A print service that answers, so that the setup opens its dialog.
  CloseWindow();
  OpenWindow(m_answeringService);
  QCOMPARE(TitleOf(m_form), QStringLiteral("ｶｹﾏﾙ For 九九 Ver." KAKEMARU_VERSION));
  MessageBoxes boxes;
  WithModal([&] { boxes.Refusal(m_form, QStringLiteral("今の段の数では")); },
            [](QWidget* box) { QCOMPARE(TitleOf(box), QStringLiteral("警告")); });
  WithModal([&] { boxes.Error(m_form, QStringLiteral("印刷を始められませんでした")); },
            [](QWidget* box) { QCOMPARE(TitleOf(box), QStringLiteral("ｶｹﾏﾙ九九")); });
  WithModal(
      [&] {
        QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("btnSetPrn")),
                          Qt::LeftButton);
      },
      [](QWidget* dialog) {
        QVERIFY(qobject_cast<PrinterSetupDialog*>(dialog) != nullptr);
        QCOMPARE(TitleOf(dialog), dialog->windowTitle());
        QVERIFY(!TitleOf(dialog).contains(QStringLiteral("ｶｹﾏﾙ")));
      });
}

// Centred where it fits, otherwise its top-left corner on the screen. The
// test also runs at twice the scale on a screen the window does not fit.
void TestWindowSystem::placedOnTheScreen() {
  const QRect screen = m_form->screen()->geometry();
  const qreal ratio = m_form->devicePixelRatioF();
  const QRect physicalScreen(screen.topLeft() * ratio, screen.size() * ratio);
  const QRect frame = FrameOf(m_form);
  QVERIFY2(physicalScreen.contains(frame.topLeft()), qPrintable(QDebug::toString(frame)));
  if (frame.width() <= physicalScreen.width() && frame.height() <= physicalScreen.height()) {
    QVERIFY(physicalScreen.contains(frame));
    // Centred, allowing for a title bar the window system may add.
    QVERIFY(std::abs(frame.center().x() - physicalScreen.center().x()) <= 8 * ratio);
    QVERIFY(std::abs(frame.center().y() - physicalScreen.center().y()) <= 27 * ratio);
  } else {
    QCOMPARE(frame.top(), physicalScreen.top());
  }
}

// xdotool clicks through the X server. Without a window manager nothing
// activates the window on a click: the test does it afterwards, as a window
// manager's activation arrives after the click reached the program.
void TestWindowSystem::ClickOnScreen(QWidget* widget) {
  const qreal ratio = widget->devicePixelRatioF();
  const QPoint centre = widget->mapToGlobal(widget->rect().center()) * ratio;
  Xdotool({"mousemove", "--sync", QString::number(centre.x()), QString::number(centre.y()), "click",
           "1"});
  QTest::qWait(100);
}

// Another X client takes the focus: the window becomes inactive and Qt
// reports its focus as gone to no widget.
void TestWindowSystem::StealFocus() {
  if (m_thief.state() == QProcess::NotRunning) {
    m_thief.start(QStringLiteral("xmessage"),
                  {"-geometry", "+0+0", "-name", "kakemaru-focus-thief", "thief"});
    QVERIFY(m_thief.waitForStarted());
    m_thiefWindow =
        Xdotool({"search", "--sync", "--classname", "kakemaru-focus-thief"}).split('\n').first();
  }
  QVERIFY(!m_thiefWindow.isEmpty());
  Xdotool({"windowfocus", "--sync", m_thiefWindow});
  QTRY_VERIFY(!m_form->isActiveWindow());
  QCOMPARE(QApplication::focusWidget(), nullptr);
}

void TestWindowSystem::GiveFocusBack() {
  Xdotool({"windowfocus", "--sync", Id(m_form)});
  QTRY_VERIFY(m_form->isActiveWindow());
}

void TestWindowSystem::clickIntoTheInactiveWindowEntersTheGroup() {
  QTest::mouseClick(Group("rgSquare")->Item(3), Qt::LeftButton);  // "混合"
  QCOMPARE(Group("rgSquare")->ItemIndex(), 3);
  StealFocus();
  ClickOnScreen(Group("rgMulti")->Item(1));  // "×10"
  GiveFocusBack();
  QCOMPARE(Group("rgMulti")->ItemIndex(), 1);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 0);
  QCOMPARE(QApplication::focusWidget(), Group("rgMulti")->Item(1));

  // And back: a click on the chosen "なし" of rgSquare, which changes
  // nothing there, still enters the group.
  StealFocus();
  ClickOnScreen(Group("rgSquare")->Item(0));
  GiveFocusBack();
  QCOMPARE(Group("rgMulti")->ItemIndex(), 0);
}

void TestWindowSystem::focusComingBackEntersNothing() {
  QTest::mouseClick(Group("rgSquare")->Item(2), Qt::LeftButton);  // "×[ ]"
  Group("rgMulti")->SetItemIndex(2);                              // from code: no rule runs
  StealFocus();
  GiveFocusBack();
  QCOMPARE(QApplication::focusWidget(), Group("rgSquare")->Item(2));
  QCOMPARE(Group("rgMulti")->ItemIndex(), 2);
  QCOMPARE(Group("rgSquare")->ItemIndex(), 2);
}

void TestWindowSystem::previewRedrawnWhenMappedAgain() {
  QTest::mouseClick(m_form->findChild<QCheckBox*>(QStringLiteral("D3")), Qt::LeftButton);
  QSignalSpy drawn(m_form, &TForm1::PreviewDrawn);
  QTest::mouseClick(m_form->findChild<QPushButton*>(QStringLiteral("PreviewBtn")), Qt::LeftButton);
  QTRY_VERIFY(!drawn.isEmpty());
  QCOMPARE(drawn.takeFirst().at(0).toInt(), 1);  // the answers, once
  QTest::qWait(200);
  drawn.clear();

  Xdotool({"windowunmap", "--sync", Id(m_form)});
  Xdotool({"windowmap", "--sync", Id(m_form)});
  QTRY_VERIFY(!drawn.isEmpty());
  QCOMPARE(drawn.last().at(0).toInt(), 0);  // the questions

  // What the screen shows is the question sheet, not Qt's stored answers.
  QTest::qWait(200);
  QWidget* preview = m_form->findChild<QWidget*>(QStringLiteral("PaintBox1"));
  const QPoint origin = preview->mapToGlobal(QPoint(0, 0));
  const QImage onScreen =
      m_form->screen()
          ->grabWindow(0, origin.x(), origin.y(), preview->width(), preview->height())
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
  const QImage questions = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QCOMPARE(drawn.last().at(0).toInt(), 0);
  QCOMPARE(onScreen, questions);
}

// A Space held on a focused box ticks it once, however long the X server
// repeats the key: Qt alone took some of the X server's repeats for new
// presses, in about one such hold in five here.
void TestWindowSystem::heldSpacePressesOnce() {
  if (!m_heldKeysPressOnce) QSKIP("this build does not ask the X server for held keys");
  auto* box = Find<QCheckBox>("D3");
  box->setFocus();
  QSignalSpy toggled(box, &QCheckBox::toggled);
  Xdotool({"keydown", "space"});
  QTest::qWait(2000);
  Xdotool({"keyup", "space"});
  QTest::qWait(200);
  QCOMPARE(toggled.count(), 1);
}

void TestWindowSystem::heldKeyPrintsOnce_data() {
  QTest::addColumn<QString>("key");
  QTest::newRow("Return") << QStringLiteral("Return");
  QTest::newRow("numpad Enter") << QStringLiteral("KP_Enter");
  QTest::newRow("Space") << QStringLiteral("space");
}

// A key held on 印刷(答えつき) for a second and a half, the X server
// repeating it meanwhile, once printed a ream: it prints once, both sheets.
void TestWindowSystem::heldKeyPrintsOnce() {
  if (!m_heldKeysPressOnce) QSKIP("this build does not ask the X server for held keys");
  QFETCH(QString, key);
  CloseWindow();
  m_answeringService.jobs.clear();
  OpenWindow(m_answeringService);
  ActivateWindow();
  QTest::mouseClick(Find<QCheckBox>("D3"), Qt::LeftButton);
  QTest::mouseClick(Find<QPushButton>("PreviewBtn"), Qt::LeftButton);
  Find<QPushButton>("PrintAnsBtn")->setFocus();
  Xdotool({"keydown", key});
  QTest::qWait(1500);
  Xdotool({"keyup", key});
  QTRY_COMPARE(Edit1(), QStringLiteral("2"));
  QTest::qWait(300);
  QCOMPARE(m_answeringService.jobs.size(), 2);
}

QTEST_MAIN(TestWindowSystem)
#include "tst_windowsystem.moc"
