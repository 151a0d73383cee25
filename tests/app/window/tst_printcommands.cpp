// The rules of the print commands against a scripted print service: what
// each failure tells the user, that a number counts once its question sheet
// was taken, what the service is asked for, and that one command runs at a
// time, within the time limit.

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

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

 private:
  void MakeSheet();

  ScriptedPrintService m_service;
};

void TestPrintCommands::init() {
  m_service = ScriptedPrintService();
  OpenWindow(m_service);
  MakeSheet();
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
  QCOMPARE(m_service.requests, QStringList({"DefaultPrinter", "PrinterState desk",
                                            "DefaultPage desk", "StartJob desk", "StartJob desk"}));
  QCOMPARE(m_service.jobs.size(), 2);
  for (const PrintJob& job : m_service.jobs) {
    QCOMPARE(job.title, QStringLiteral("ｶｹﾏﾙ九九"));
    QCOMPARE(job.options, m_service.page.options);
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

  // Into a file the setup named, the answers go beside the questions.
  m_service.jobs.clear();
  m_service.page.options = {kOutputFileOption, QStringLiteral("C:/sheets/week.prn")};
  Click("PrintAnsBtn");
  QCOMPARE(m_service.jobs.size(), 2);
  QCOMPARE(m_service.jobs.at(0).options.last(), QStringLiteral("C:/sheets/week.prn"));
  QCOMPARE(m_service.jobs.at(1).options.last(), QStringLiteral("C:/sheets/week-答え.prn"));
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
  QVERIFY(!m_service.requests.contains(QStringLiteral("ServiceState")));
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QTest::qWait(200);  // nothing was held back for later either
  QCOMPARE(m_service.jobs.size(), 2);
  Click("PrintBtn");
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

// A service that stops answering holds the setup and a print for the time
// limit at most, on one thread, which ends before the window does; the setup
// works again once the service answers.
void TestPrintCommands::stalledServiceGivesTheWindowBack() {
  m_service.delay = std::chrono::hours(1);
  bool dialogShown = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&dialogShown] {
    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
      dialogShown = true;
      dialog->reject();
    }
  });
  watch.start(50);
  QElapsedTimer clock;
  clock.start();
  Click("btnSetPrn");
  QVERIFY2(clock.elapsed() < 5000, "the setup held the window");
  QCOMPARE(m_notifier.errors, QStringList({kServiceSilent}));
  QVERIFY(!dialogShown);

  m_service.delay = std::chrono::milliseconds(0);
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
  QTimer::singleShot(100, [] {
    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
      // As Qt's dialog does at once when the user picks a PDF file.
      dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
      dialog->printer()->setOutputFileName(QStringLiteral("/nonexistent/sheet.pdf"));
      dialog->reject();
    }
  });
  Click("btnSetPrn");
  m_service.defaultPrinter = QStringLiteral("hall");
  m_service.page.options =
      QStringList{QStringLiteral("media"), QStringLiteral("na_letter_8.5x11in")};
  Click("PrintBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(m_service.jobs.size(), 2);
  QCOMPARE(m_service.jobs.at(1).printer, QStringLiteral("hall"));
  QCOMPARE(m_service.jobs.at(1).options, m_service.page.options);
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

// Windows' dialog gives a print to a file as the port "FILE:": the setup asks
// the file's name then, so that no job waits for it, and a PDF name makes
// the questions' and the answers' files side by side.
void TestPrintCommands::printToFileAsksTheNameInTheSetup() {
#ifdef Q_OS_WIN
  QSKIP("the system's print dialog cannot be driven from a test");
#endif
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("week.pdf"));
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&file] {
    QWidget* box = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QPrintDialog*>(box)) {
      // Once the dialog has set its printer, as Windows' dialog leaves it.
      QObject::connect(dialog, &QDialog::accepted,
                       [dialog] { dialog->printer()->setOutputFileName(QStringLiteral("FILE:")); });
      dialog->accept();
    } else if (auto* files = qobject_cast<QFileDialog*>(box)) {
      files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
      static_cast<QDialog*>(files)->accept();
    }
  });
  answer.start(50);
  Click("btnSetPrn");
  answer.stop();
  Click("PrintAnsBtn");
  QCOMPARE(m_notifier.errors, QStringList());
  QVERIFY(m_service.jobs.isEmpty());
  QVERIFY(QFileInfo::exists(file));
  QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("week-答え.pdf"))));
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
