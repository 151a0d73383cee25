// The rules of the print commands against a scripted print service: what
// each failure tells the user, that a number counts once its question sheet
// was taken, what the service is asked for, and that one command runs at a
// time, within the time limit.

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "font_cache.h"
#include "printer_setup_dialog.h"
#include "scripted_print_service.h"
#include "sheet_printer.h"
#include "window_fixture.h"

namespace {

const QString kNoDefaultPrinter = QStringLiteral("デフォルト プリンタが存在しません");
const QString kUnsupported = QStringLiteral("選択されたプリンタではサポートされていない機能です");
const QString kInvalidPrinter = QStringLiteral("選択したプリンタは有効ではありません");
const QString kCannotStart = QStringLiteral("印刷を始められませんでした");
const QString kNotAccepted = QStringLiteral("印刷ジョブがプリンタに受け付けられませんでした");
const QString kCannotPrintHere = QStringLiteral("この版のｶｹﾏﾙはプリンタに印刷できません");
const QString kNoService = QStringLiteral("印刷サービスに接続できません");
const QString kServiceSilent = QStringLiteral("印刷サービスが応答しません");
const QString kAnswersNotPrinted = QStringLiteral("答えの用紙を印刷できませんでした");
const QString kUnconfirmed = QStringLiteral("印刷できたかどうかを確かめられませんでした");

// The paper of a one-page PDF, in points.
QSizeF MediaBox(const QByteArray& pdf) {
  static const QRegularExpression box(QStringLiteral(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])"));
  const auto match = box.match(QString::fromLatin1(pdf));
  return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                          : QSizeF();
}

// The field of the printer setup that the label names.
template <typename T = QComboBox>
T* Field(QDialog& dialog, const QString& label) {
  for (QLabel* each : dialog.findChildren<QLabel*>()) {
    if (each->text().startsWith(label)) return qobject_cast<T*>(each->buddy());
  }
  return nullptr;
}

void Choose(QDialog& dialog, const QString& label, const QString& item) {
  QComboBox* box = Field(dialog, label);
  QVERIFY2(box != nullptr && box->findText(item) >= 0, qPrintable(label + " " + item));
  box->setCurrentIndex(box->findText(item));
}

void PressOk(QDialog& dialog) {
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

}  // namespace

Q_DECLARE_METATYPE(PrintReply)

class TestPrintCommands : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { CloseWindow(); }
  void printsBothSheetsOnTheDefaultPaper();
  void failuresCountNothing_data();
  void failuresCountNothing();
  void questionSheetOutUsesTheNumber_data();
  void questionSheetOutUsesTheNumber();
  void passingFailureIsAskedAgain();
  void onePrintAtATime();
  void stalledServiceGivesTheWindowBack();
  void badNumberAsksTheServiceNothing();
  void systemServiceOutOfReachCountsNothing();
  void cancelledSetupChangesNothing();
  void printToFileAsksTheNameInTheSetup();
  void setupAsksTheServiceWithoutHoldingTheWindow();

 private:
  void MakeSheet();
  // Runs the steps in the printer setup once it shows.
  void InSetup(std::function<void(QDialog&)> steps);

  ScriptedPrintService m_service;
  QTimer m_setupWatch;
  std::function<void(QDialog&)> m_setupSteps;
};

void TestPrintCommands::init() {
  m_service = ScriptedPrintService();
  OpenWindow(m_service);
  MakeSheet();
  m_setupWatch.stop();
  m_setupWatch.disconnect();
  connect(&m_setupWatch, &QTimer::timeout, this, [this] {
    auto* dialog = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    m_setupWatch.stop();
    m_setupSteps(*dialog);
    // Closed whatever the steps did, so that a failed check ends the test.
    if (dialog->isVisible()) dialog->reject();
  });
}

void TestPrintCommands::InSetup(std::function<void(QDialog&)> steps) {
  m_setupSteps = std::move(steps);
  m_setupWatch.start(20);
}

// A sheet of the table of 3, to be printed as number 7.
void TestPrintCommands::MakeSheet() {
  QTest::mouseClick(Find<QCheckBox>("D3"), Qt::LeftButton);
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("7"));
  Click("PreviewBtn");
  QVERIFY(m_form->SheetExists());
}

void TestPrintCommands::printsBothSheetsOnTheDefaultPaper() {
  const auto clicked = std::chrono::steady_clock::now();
  Click("PrintAnsBtn");
  const auto returned = std::chrono::steady_clock::now();
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QCOMPARE(m_service.requests,
           QStringList({"DefaultPrinter", "PrinterState desk", "DefaultPaper desk", "StartJob desk",
                        "StartJob desk"}));
  QCOMPARE(m_service.jobs.size(), 2);
  for (const PrintJob& job : m_service.jobs) {
    QCOMPARE(job.title, QStringLiteral("ｶｹﾏﾙ九九"));
    JobOptions paperOnly;
    paperOnly.paper = m_service.page.paper.name;
    QCOMPARE(job.options, paperOnly);
    QVERIFY(job.file.isEmpty());
    // JIS B5 portrait, 182 × 257 mm, one page.
    const QSizeF paper = MediaBox(job.document);
    QVERIFY2(
        qAbs(paper.width() - 182 * 72 / 25.4) < 0.5 && qAbs(paper.height() - 257 * 72 / 25.4) < 0.5,
        qPrintable(QStringLiteral("%1 × %2 pt").arg(paper.width()).arg(paper.height())));
    QCOMPARE(job.document.count("/Type /Page\n"), 1);
  }
  QVERIFY(m_service.jobs.at(0).document != m_service.jobs.at(1).document);
  QCOMPARE(m_service.jobCursors, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  // One time limit for all the requests of a print.
  for (const auto deadline : m_service.deadlines) {
    QCOMPARE(deadline, m_service.deadlines.first());
    QVERIFY(deadline >= clicked + SheetPrinter::kServiceTimeLimit &&
            deadline <= returned + SheetPrinter::kServiceTimeLimit);
  }

  // Into a file a printer's driver writes, the answers go beside the questions.
  m_service.jobs.clear();
  FontCache fonts;
  SheetPrinter printer(fonts,
                       std::shared_ptr<PrintService>(std::shared_ptr<PrintService>(), &m_service));
  printer.Choose(
      {QStringLiteral("desk"), QStringLiteral("C:/sheets/week.prn"), m_service.page.page, {}});
  printer.Print({0, 1}, [](render::DrawingSurface&, int, int, int) {});
  QCOMPARE(m_service.jobs.size(), 2);
  QCOMPARE(m_service.jobs.at(0).file, QStringLiteral("C:/sheets/week.prn"));
  QCOMPARE(m_service.jobs.at(1).file, QStringLiteral("C:/sheets/week-答え.prn"));
}

void TestPrintCommands::failuresCountNothing_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("defaultPrinter");
  QTest::addColumn<PrintReply>("defaultPrinterReply");
  QTest::addColumn<PrintReply>("stateReply");
  QTest::addColumn<PrintReply>("pageReply");
  QTest::addColumn<QList<PrintReply>>("jobFates");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("jobs");

  using R = PrintReply;
  const QString q = QStringLiteral("PrintBtn");
  const QString qa = QStringLiteral("PrintAnsBtn");
  const QString desk = QStringLiteral("desk");
  QTest::newRow("no default printer")
      << q << QString() << R::Done << R::Done << R::Done << QList<R>() << kNoDefaultPrinter << 0;
  QTest::newRow("service stalled")
      << qa << desk << R::NoAnswer << R::Done << R::Done << QList<R>() << kCannotStart << 0;
  QTest::newRow("printer gone") << q << desk << R::Done << R::NoPrinter << R::Done << QList<R>()
                                << kInvalidPrinter << 0;
  QTest::newRow("printer rejecting")
      << qa << desk << R::Done << R::NotAccepting << R::Done << QList<R>() << kInvalidPrinter << 0;
  QTest::newRow("paper not told in time")
      << q << desk << R::Done << R::Done << R::NoAnswer << QList<R>() << kCannotStart << 0;
  QTest::newRow("settings refused") << q << desk << R::Done << R::Done << R::Done
                                    << QList<R>{R::Unsupported} << kUnsupported << 1;
  QTest::newRow("service not running")
      << qa << desk << R::NoService << R::Done << R::Done << QList<R>() << kNoService << 0;
  // A job may have been taken when it failed: never sent again.
  QTest::newRow("job failed") << q << desk << R::Done << R::Done << R::Done << QList<R>{R::Failed}
                              << kNotAccepted << 1;
  // A build without a way to print on the system's printers says so, at
  // whichever step it is asked.
  QTest::newRow("no printing in this build")
      << q << desk << R::Unavailable << R::Done << R::Done << QList<R>() << kCannotPrintHere << 0;
  QTest::newRow("no printing on the default printer")
      << qa << desk << R::Done << R::Unavailable << R::Done << QList<R>() << kCannotPrintHere << 0;
  QTest::newRow("no paper in this build")
      << q << desk << R::Done << R::Done << R::Unavailable << QList<R>() << kCannotPrintHere << 0;
  QTest::newRow("job refused by this build") << qa << desk << R::Done << R::Done << R::Done
                                             << QList<R>{R::Unavailable} << kCannotPrintHere << 1;
}

// A print that fails leaves the number as it was read; the next print, with
// the service answering again, counts.
void TestPrintCommands::failuresCountNothing() {
  QFETCH(QString, button);
  QFETCH(QString, defaultPrinter);
  QFETCH(PrintReply, defaultPrinterReply);
  QFETCH(PrintReply, stateReply);
  QFETCH(PrintReply, pageReply);
  QFETCH(QList<PrintReply>, jobFates);
  m_service.defaultPrinter = defaultPrinter;
  m_service.defaultPrinterReply = defaultPrinterReply;
  m_service.stateReply = stateReply;
  m_service.pageReply = pageReply;
  m_service.jobFates = jobFates;

  Click(button.toLatin1().constData());
  QFETCH(QString, message);
  QFETCH(int, jobs);
  QCOMPARE(m_notifier.errors, QStringList({message}));
  QCOMPARE(m_service.jobs.size(), jobs);
  QCOMPARE(Edit1(), QStringLiteral("7"));
  QCOMPARE(m_form->PrintNumber(), 7);
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

  m_service = ScriptedPrintService();
  Click(button.toLatin1().constData());
  QCOMPARE(m_notifier.errors.size(), 1);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

void TestPrintCommands::questionSheetOutUsesTheNumber_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QList<PrintReply>>("jobFates");
  QTest::addColumn<int>("jobDelay");  // ms
  QTest::addColumn<QString>("message");

  using R = PrintReply;
  const QString qa = QStringLiteral("PrintAnsBtn");
  QTest::newRow("answers not taken")
      << qa << QList<R>{R::Done, R::Failed} << 0 << kAnswersNotPrinted;
  QTest::newRow("answers' settings refused")
      << qa << QList<R>{R::Done, R::Unsupported} << 0 << kAnswersNotPrinted;
  QTest::newRow("stalled before the answers")
      << qa << QList<R>{R::Done, R::NoAnswer} << 0 << kAnswersNotPrinted;
  QTest::newRow("questions sent, no answer")
      << QStringLiteral("PrintBtn") << QList<R>{R::Unconfirmed} << 0 << kUnconfirmed;
  // The service stalls while it takes the questions: they may print yet.
  QTest::newRow("stalled while the questions go")
      << qa << QList<R>{R::Done} << 10000 << kUnconfirmed;
}

// Once the question sheet may be on paper, its number is used: the next
// print carries the next one, and the user hears what went wrong.
void TestPrintCommands::questionSheetOutUsesTheNumber() {
  QFETCH(QString, button);
  QFETCH(QList<PrintReply>, jobFates);
  QFETCH(int, jobDelay);
  QFETCH(QString, message);
  m_service.jobFates = jobFates;
  m_service.jobDelay = std::chrono::milliseconds(jobDelay);
  Click(button.toLatin1().constData());
  m_service.jobDelay = {};
  QCOMPARE(m_notifier.errors, QStringList({message}));
  QCOMPARE(m_service.jobs.size(), jobFates.size());
  QCOMPARE(Edit1(), QStringLiteral("8"));
  Click("PrintBtn");
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

// A question that failed once is asked again within the time limit.
void TestPrintCommands::passingFailureIsAskedAgain() {
  m_service.transientReplies = {PrintReply::Failed, PrintReply::NoService};
  Click("PrintBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(m_service.requests.mid(0, 3),
           QStringList({"DefaultPrinter", "DefaultPrinter", "DefaultPrinter"}));
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

// While a print waits on a slow service, presses by mouse, by an assistive
// tool's action (a click from a timer) or of any command are refused: the
// print runs to its end once, counts once, and nothing runs inside it.
void TestPrintCommands::onePrintAtATime() {
  m_service.delay = std::chrono::milliseconds(300);
  QTimer::singleShot(100, [this] {
    Click("PrintBtn");
    Click("PrintAnsBtn");
    for (const char* name : {"PrintBtn", "PrintAnsBtn", "PreviewBtn", "btnSetPrn"}) {
      Find<QPushButton>(name)->click();
    }
  });
  Click("PrintAnsBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(m_service.jobs.size(), 2);
  QVERIFY(!m_service.requests.contains(QStringLiteral("Printers")));
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QTest::qWait(200);  // nothing was held back for later either
  QCOMPARE(m_service.jobs.size(), 2);
  Click("PrintBtn");
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

// A service that stops answering holds the setup and a print for the time
// limit at most, on one thread, which ends before the window does; the setup
// works again once the service answers. Closing waits no longer than the time
// limit for a request stalled past its deadline.
void TestPrintCommands::stalledServiceGivesTheWindowBack() {
  m_service.delay = std::chrono::hours(1);
  bool dialogShown = false;
  InSetup([&dialogShown](QDialog& dialog) {
    dialogShown = true;
    dialog.reject();
  });
  QElapsedTimer clock;
  clock.start();
  Click("btnSetPrn");
  QVERIFY2(clock.elapsed() < 5000, "the setup held the window");
  QCOMPARE(m_notifier.errors, QStringList({kServiceSilent}));
  QVERIFY(!dialogShown);

  m_service.delay = std::chrono::milliseconds(0);
  QVERIFY(QTest::qWaitFor([this] { return m_service.running.now == 0; }, 2000));
  Click("btnSetPrn");
  QVERIFY(dialogShown);
  QCOMPARE(m_notifier.errors.size(), 1);

  m_service.delay = std::chrono::hours(1);
  clock.restart();
  Click("PrintAnsBtn");
  QVERIFY2(clock.elapsed() < 5000, "the print held the window");
  QCOMPARE(m_notifier.errors.last(), kCannotStart);
  QCOMPARE(Edit1(), QStringLiteral("7"));
  QCOMPARE(m_service.running.most.load(), 1);
  // The stalled request outlives its deadline a little, not the window.
  QCOMPARE(m_service.running.now.load(), 1);
  CloseWindow();
  QCOMPARE(m_service.running.now.load(), 0);

  // Stalled long past its deadline: the window closes at the time limit,
  // leaving the request to end on its own.
  OpenWindow(m_service);
  MakeSheet();
  m_service.stallsPastDeadline = true;
  m_service.delay = std::chrono::milliseconds(7500);
  Click("PrintBtn");
  clock.restart();
  CloseWindow();
  QVERIFY2(clock.elapsed() < SheetPrinter::kServiceTimeLimit.count() + 500,
           qPrintable(QStringLiteral("closing took %1 ms").arg(clock.elapsed())));
  QCOMPARE(m_service.running.now.load(), 1);
  QVERIFY(QTest::qWaitFor([this] { return m_service.running.now == 0; }, 10000));
}

void TestPrintCommands::badNumberAsksTheServiceNothing() {
  for (const char* button : {"PrintBtn", "PrintAnsBtn"}) {
    m_notifier.errors.clear();
    Find<QLineEdit>("Edit1")->setText(QStringLiteral("12 "));
    Click(button);
    QCOMPARE(m_notifier.errors, QStringList({"'12 ' は整数ではありません"}));
    QCOMPARE(Edit1(), QStringLiteral("12 "));
    QCOMPARE(m_form->PrintNumber(), 7);
    QVERIFY(m_service.requests.isEmpty());
  }
}

// The program's own print service, with no printer it can reach (the tests
// give CUPS no scheduler, and so Wine's spooler no printer; a build without
// either has no way to print): the print fails with a message of its own
// and counts nothing.
void TestPrintCommands::systemServiceOutOfReachCountsNothing() {
  CloseWindow();
  OpenWindow();
  MakeSheet();
  for (const char* button : {"PrintBtn", "PrintAnsBtn"}) {
    m_notifier.errors.clear();
    Click(button);
    QCOMPARE(m_notifier.errors.size(), 1);
    const QString message = m_notifier.errors.first();
    QVERIFY2(message == kNoService || message == kCannotPrintHere || message == kNoDefaultPrinter,
             qPrintable(message));
    QCOMPARE(Edit1(), QStringLiteral("7"));
    QCOMPARE(m_form->PrintNumber(), 7);
  }
}

// Until a setup is accepted, each print follows the service's default
// printer and paper as they are then.
void TestPrintCommands::cancelledSetupChangesNothing() {
  Click("PrintBtn");
  InSetup([](QDialog& dialog) {
    Choose(dialog, QStringLiteral("プリンタ"), PrinterSetupDialog::kPdfFile);
    Field<QLineEdit>(dialog, QStringLiteral("ファイル名"))
        ->setText(QStringLiteral("/nonexistent/sheet.pdf"));
    dialog.reject();
  });
  Click("btnSetPrn");
  m_service.defaultPrinter = QStringLiteral("hall");
  m_service.page.paper.name = QStringLiteral("na_letter_8.5x11in");
  Click("PrintBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(m_service.jobs.size(), 2);
  QCOMPARE(m_service.jobs.at(1).printer, QStringLiteral("hall"));
  QCOMPARE(m_service.jobs.at(1).options.paper, QStringLiteral("na_letter_8.5x11in"));
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

// "PDF ファイルに出力" with a name from the file dialog: the questions' and
// the answers' PDF files side by side, and no job for the service.
void TestPrintCommands::printToFileAsksTheNameInTheSetup() {
#ifdef Q_OS_WIN
  QSKIP("the system's file dialog cannot be driven from a test");
#endif
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("week.pdf"));
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&file] {
    if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
      static_cast<QDialog*>(files)->accept();
    }
  });
  answer.start(50);
  InSetup([](QDialog& dialog) {
    Choose(dialog, QStringLiteral("プリンタ"), PrinterSetupDialog::kPdfFile);
    // No paper source for a file; no setting without its name.
    QVERIFY(!Field(dialog, QStringLiteral("給紙方法"))->isEnabled());
    Field<QLineEdit>(dialog, QStringLiteral("ファイル名"))->clear();
    QVERIFY(!dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().startsWith(QStringLiteral("参照"))) button->click();
    }
    PressOk(dialog);
  });
  Click("btnSetPrn");
  answer.stop();
  Click("PrintAnsBtn");
  QCOMPARE(m_notifier.errors, QStringList());
  QVERIFY(m_service.jobs.isEmpty());
  QVERIFY(QFileInfo::exists(file));
  QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("week-答え.pdf"))));
}

// The setup offers the service's printers, papers and sources, asked on the
// service's thread: the window keeps going and shows the wait cursor only
// while a request runs, never over the setup itself. What it sets reaches
// the jobs; a service that stalls closes it at the time limit, changing
// nothing.
void TestPrintCommands::setupAsksTheServiceWithoutHoldingTheWindow() {
  int ticks = 0;
  QList<Qt::CursorShape> tickCursors;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    ++ticks;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    tickCursors << (cursor == nullptr ? Qt::ArrowCursor : cursor->shape());
  });
  ticker.start(20);
  QList<const QCursor*> setupCursors;
  InSetup([this, &ticks, &setupCursors](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("印刷の設定"));
    QCOMPARE(Field(dialog, QStringLiteral("プリンタ"))->currentText(), QStringLiteral("desk"));
    QCOMPARE(Field(dialog, QStringLiteral("用紙"))->currentText(), QStringLiteral("JIS B5"));
    setupCursors << QGuiApplication::overrideCursor();
    m_service.delay = std::chrono::milliseconds(400);
    const int before = ticks;
    Choose(dialog, QStringLiteral("プリンタ"), QStringLiteral("hall"));
    QVERIFY2(ticks - before >= 5, qPrintable(QString::number(ticks - before)));
    m_service.delay = {};
    setupCursors << QGuiApplication::overrideCursor();
    Choose(dialog, QStringLiteral("用紙"), QStringLiteral("A4"));
    Choose(dialog, QStringLiteral("給紙方法"), QStringLiteral("手差し"));
    PressOk(dialog);
  });
  Click("btnSetPrn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(setupCursors, QList<const QCursor*>({nullptr, nullptr}));
  QVERIFY(tickCursors.contains(Qt::WaitCursor));
  QCOMPARE(m_service.requests, QStringList({"Printers", "Papers desk", "Papers hall"}));
  QCOMPARE(m_service.requestCursors, QList<Qt::CursorShape>(3, Qt::WaitCursor));

  Click("PrintBtn");
  QCOMPARE(m_service.jobs.size(), 1);
  const PrintJob& job = m_service.jobs.first();
  QCOMPARE(job.printer, QStringLiteral("hall"));
  JobOptions chosen;
  chosen.paper = QStringLiteral("iso_a4_210x297mm");
  chosen.source = QStringLiteral("manual");
  QCOMPARE(job.options, chosen);
  QCOMPARE(job.page.layout.pageSize().id(), QPageSize::A4);
  QCOMPARE(job.page.resolution, 300);
  QCOMPARE(MediaBox(job.document).toSize(), QSize(595, 842));

  // Stalled while the setup asks: it closes at the time limit, the window
  // going on meanwhile, and the choice stays.
  qint64 held = 0;
  InSetup([this, &ticks, &held](QDialog& dialog) {
    m_service.delay = std::chrono::hours(1);
    ticks = 0;
    QElapsedTimer clock;
    clock.start();
    Choose(dialog, QStringLiteral("プリンタ"), QStringLiteral("desk"));
    held = clock.elapsed();
  });
  Click("btnSetPrn");
  // Of a stall of an hour, the time limit and a little more (Wine's timers
  // run late in a nested loop).
  QVERIFY2(held < 2 * SheetPrinter::kServiceTimeLimit.count(),
           qPrintable(QStringLiteral("the setup held the window %1 ms").arg(held)));
  QVERIFY2(ticks > 50, qPrintable(QString::number(ticks)));
  QCOMPARE(m_notifier.errors, QStringList({kServiceSilent}));
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  m_service.delay = {};
  Click("PrintBtn");
  QCOMPARE(m_service.jobs.size(), 2);
  QCOMPARE(m_service.jobs.last().printer, QStringLiteral("hall"));
  QCOMPARE(m_service.jobs.last().options.paper, QStringLiteral("iso_a4_210x297mm"));
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
