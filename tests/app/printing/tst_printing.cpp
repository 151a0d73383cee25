// Printing through a real print service of the tests' own (cups_fixture.sh):
// a PDF queue, whose spooled copies are the program's own PDFs, and a
// driverless IPP Everywhere queue in front of ippeveprinter, which keeps
// what it receives. The paper comes from the queue's or the user's default.
// Built only with CUPS, where the program's own print service is CupsPrintService.

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cups/cups.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "fmain.h"
#include "font_cache.h"
#include "option_group.h"
#include "pdf_file.h"
#include "printer_setup_dialog.h"
#include "recording_notifier.h"
#include "recording_surface.h"
#include "render/make_print.h"
#include "run_process.h"
#include "sheet_printer.h"
#include "window_fixture.h"

namespace {

const QString kPdfQueue = qEnvironmentVariable("KAKEMARU_TEST_QUEUE");
const QString kIppQueue = qEnvironmentVariable("KAKEMARU_IPP_QUEUE");
const QString kRawQueue = qEnvironmentVariable("KAKEMARU_RAW_QUEUE");
const QString kState = qEnvironmentVariable("KAKEMARU_CUPS_STATE");
const QString kFixture = qEnvironmentVariable("KAKEMARU_CUPS_FIXTURE");

void Run(const QString& program, const QStringList& arguments) {
  QVERIFY2(RunProcess(program, arguments), qPrintable(program + " " + arguments.join(' ')));
}

QString Output(const QString& program, const QStringList& arguments) {
  return QString::fromUtf8(RunProcess(program, arguments).value_or(QByteArray()));
}

QList<int> Jobs(const QString& queue, int which) {
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs(&jobs, queue.toUtf8().constData(), 0, which);
  QList<int> ids;
  for (int i = 0; i < count; ++i) ids << jobs[i].id;
  cupsFreeJobs(count, jobs);
  std::sort(ids.begin(), ids.end());
  return ids;
}

bool WaitUntilIdle(const QString& queue) {
  return QTest::qWaitFor([&] { return Jobs(queue, CUPS_WHICHJOBS_ACTIVE).isEmpty(); }, 20000);
}

// The files the IPP printer has received so far, complete ones only.
QStringList Received() {
  QStringList files;
  const QDir folder(kState + QStringLiteral("/ipp-received"));
  for (const QString& attrs :
       folder.entryList({QStringLiteral("*.attrs")}, QDir::Files, QDir::Name)) {
    files << folder.filePath(attrs.chopped(6));
  }
  return files;
}

QString SpooledCopy(int job) {
  return kState + QStringLiteral("/spool/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
}

// Whether the texts occur in the text in this order.
bool InOrder(const QString& text, const QStringList& parts) {
  qsizetype from = 0;
  for (const QString& part : parts) {
    from = text.indexOf(part, from);
    if (from < 0) return false;
    from += part.size();
  }
  return true;
}

// A paper in points and the margins the printer cannot print on.
struct Paper {
  QSizeF size;
  QMarginsF margins;
};

// Where the texts of a page start, in points from the top-left corner of
// the paper.
using TextStarts = QList<QPointF>;

// The page of a one-page PDF and where its words start.
struct PdfPage {
  int pages = 0;
  QSizeF size;
  TextStarts words;
};

PdfPage ReadPdf(const QString& file) {
  PdfPage page;
  const QString info = Output(QStringLiteral("pdfinfo"), {file});
  const auto pages = QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(info);
  const auto size =
      QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(info);
  page.pages = pages.captured(1).toInt();
  page.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
  const QString boxes = Output(QStringLiteral("pdftotext"), {"-bbox", file, "-"});
  static const QRegularExpression word(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\""));
  for (const auto& match : word.globalMatch(boxes)) {
    page.words << QPointF(match.captured(1).toDouble(), match.captured(2).toDouble());
  }
  return page;
}

// Runs the steps in the printer setup once it shows, after the service has
// told its printers and papers, however long that takes.
void InSetup(QObject* context, std::function<void(PrinterSetupDialog&)> steps) {
  auto* watch = new QTimer(context);
  QObject::connect(watch, &QTimer::timeout, [watch, steps = std::move(steps)] {
    auto* dialog = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    watch->deleteLater();
    watch->stop();
    steps(*dialog);
  });
  watch->start(20);
}

}  // namespace

class TestPrinting : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void printsOnEachQueue_data();
  void printsOnEachQueue();
  void defaultPaper_data();
  void defaultPaper();
  void rejectingQueue_data();
  void rejectingQueue();
  void noPrintService();
  void stalledScheduler();
  void vanishedPrinterIsNotAFailure();
  void printerRemovedAfterSetupChoseIt();
  void setupChoosesPrinterAndPaper();
  void stoppedQueueHoldsTheJob();
  void jobThatCannotStartIsNotCounted();
  void answersToFileGoBesideTheQuestions();

 private:
  QStringList Questions(bool answers) const;
  // Prints with the button and returns the documents each job carried: the
  // spooled copies on the PDF and raw queues, what the printer got on the IPP queue.
  QStringList PrintWith(const QString& queue, const char* button);
  // Where the texts of the question sheet start when drawn on the paper.
  TextStarts ExpectedStarts(const Paper& paper, int resolution) const;

  pid_t m_stoppedScheduler = 0;
  bool m_printerAway = false;
};

void TestPrinting::initTestCase() {
  // The service's fixture skips itself where it cannot run a scheduler.
  if (geteuid() != 0) QSKIP("the print tests' own CUPS scheduler needs root");
  QVERIFY2(!kState.isEmpty() && !kFixture.isEmpty(), "run through ctest: it starts the service");
  for (const QString& queue : {kPdfQueue, kIppQueue}) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    QVERIFY2(dest != nullptr, qPrintable(queue + " is not there: is the fixture running?"));
    cupsFreeDests(1, dest);
  }
}

void TestPrinting::init() {
  OpenWindow();
  // Tables 3 and 7, "１８問", ascending: 3×1 .. 3×9, 7×1 .. 7×9.
  QTest::mouseClick(Find<QCheckBox>("D3"), Qt::LeftButton);
  QTest::mouseClick(Find<QCheckBox>("D7"), Qt::LeftButton);
  QTest::mouseClick(Find<OptionGroup>("QNumCheck")->Item(2), Qt::LeftButton);
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("7"));
  Click("PreviewBtn");
  QVERIFY(m_form->SheetExists());
}

// Leaves the service as the fixture made it, whatever the test did.
void TestPrinting::cleanup() {
  CloseWindow();
  if (m_stoppedScheduler != 0) kill(m_stoppedScheduler, SIGCONT);
  m_stoppedScheduler = 0;
  if (m_printerAway) Run(kFixture, {"ipp-start", kState});
  m_printerAway = false;
  QFile::remove(qEnvironmentVariable("HOME") + QStringLiteral("/.cups/lpoptions"));
  QFile::remove(qEnvironmentVariable("CUPS_SERVERROOT") + QStringLiteral("/lpoptions"));
  for (const QString& queue : {kPdfQueue, kIppQueue}) {
    Run(QStringLiteral("cupsenable"), {queue});
    Run(QStringLiteral("cupsaccept"), {queue});
    WaitUntilIdle(queue);
  }
}

QStringList TestPrinting::Questions(bool answers) const {
  QStringList texts;
  for (int table : {3, 7}) {
    for (int multiplier = 1; multiplier <= 9; ++multiplier) {
      QString text = QStringLiteral("%1×%2").arg(table).arg(multiplier);
      if (answers) text += QStringLiteral("＝%1").arg(table * multiplier);
      texts << text;
    }
  }
  return texts;
}

QStringList TestPrinting::PrintWith(const QString& queue, const char* button) {
  Run(QStringLiteral("lpoptions"), {"-d", queue});  // the user's default printer
  const QList<int> before = Jobs(queue, CUPS_WHICHJOBS_ALL);
  const qsizetype received = Received().size();
  Click(button);
  WaitUntilIdle(queue);
  QList<int> made = Jobs(queue, CUPS_WHICHJOBS_ALL);
  for (int job : before) made.removeAll(job);
  QStringList documents;
  if (queue != kIppQueue) {
    for (int job : made) documents << SpooledCopy(job);
  } else {
    if (!QTest::qWaitFor([&] { return Received().size() >= received + made.size(); }, 20000)) {
      qWarning("the printer did not receive every job");
    }
    documents = Received().mid(received);
  }
  return documents;
}

TextStarts TestPrinting::ExpectedStarts(const Paper& paper, int resolution) const {
  const QPageLayout layout(QPageSize(paper.size, QPageSize::Point), QPageLayout::Portrait,
                           paper.margins, QPageLayout::Point);
  const QRect printable = layout.paintRectPixels(resolution);
  test_support::RecordingSurface surface;
  render::ProblemTextTable texts;
  render::MakePrint(surface, printable.width(), printable.height(), render::kQuestionSheet,
                    {m_form->CurrentSheet(), 7, {}}, texts);
  TextStarts starts;
  for (const auto& operation : surface.Operations()) {
    if (operation.kind != test_support::RecordingSurface::Kind::TextOut) continue;
    starts << QPointF(paper.margins.left() + operation.a * 72.0 / resolution,
                      paper.margins.top() + operation.b * 72.0 / resolution);
  }
  return starts;
}

void TestPrinting::printsOnEachQueue_data() {
  QTest::addColumn<QString>("queue");
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("number");
  QTest::addColumn<QString>("next");
  QTest::newRow("pdf questions") << kPdfQueue << "PrintBtn"
                                 << "7"
                                 << "8";
  QTest::newRow("pdf with answers") << kPdfQueue << "PrintAnsBtn"
                                    << "7"
                                    << "8";
  QTest::newRow("pdf largest number") << kPdfQueue << "PrintBtn"
                                      << "2147483647"
                                      << "-2147483648";
  QTest::newRow("driverless with answers") << kIppQueue << "PrintAnsBtn"
                                           << "7"
                                           << "8";
}

// One portrait page per job, the question sheet first, numbered alike; the
// number counts up once.
void TestPrinting::printsOnEachQueue() {
  QFETCH(QString, queue);
  QFETCH(QString, button);
  QFETCH(QString, number);
  QFETCH(QString, next);
  Find<QLineEdit>("Edit1")->setText(number);
  const QStringList documents = PrintWith(queue, button.toLatin1().constData());
  QCOMPARE(documents.size(), button == QLatin1String("PrintBtn") ? 1 : 2);
  for (qsizetype i = 0; i < documents.size(); ++i) {
    const bool answers = i == 1;
    const QString text = Output(QStringLiteral("pdftotext"), {"-raw", documents.at(i), "-"});
    QVERIFY2(InOrder(text, QStringList{"かけざん九九", "問題No." + number} + Questions(answers)),
             qPrintable(text));
    QCOMPARE(text.contains(QStringLiteral("＝")), answers);
    const PdfPage page = ReadPdf(documents.at(i));
    QCOMPARE(page.pages, 1);
    QVERIFY(page.size.width() < page.size.height());
  }
  QCOMPARE(Edit1(), next);
  QVERIFY(m_notifier.errors.isEmpty());
}

void TestPrinting::defaultPaper_data() {
  QTest::addColumn<QString>("queue");
  QTest::addColumn<QStringList>("queueDefault");  // lpadmin options
  QTest::addColumn<QStringList>("userDefault");   // lpoptions options
  QTest::addColumn<QSizeF>("paper");
  QTest::addColumn<QMarginsF>("margins");
  QTest::addColumn<int>("resolution");

  const QSizeF a4(595.28, 841.89);
  const QSizeF b5(515.91, 728.5);
  const QSizeF letter(612, 792);
  // The driverless printer's margins and resolution, from ipp_printer.ppd.
  const QMarginsF printerMargins(12, 12, 12, 18);
  const QStringList none;
  QTest::newRow("driverless, queue A4") << kIppQueue << QStringList{"-o", "media=iso_a4_210x297mm"}
                                        << none << a4 << printerMargins << 600;
  QTest::newRow("driverless, queue JIS B5")
      << kIppQueue << QStringList{"-o", "media=jis_b5_182x257mm"} << none << b5 << printerMargins
      << 600;
  QTest::newRow("driverless, queue Letter")
      << kIppQueue << QStringList{"-o", "media=na_letter_8.5x11in"} << none << letter
      << printerMargins << 600;
  QTest::newRow("driverless, user JIS B5 over queue A4")
      << kIppQueue << QStringList{"-o", "media=iso_a4_210x297mm"} << QStringList{"-o", "media=B5"}
      << b5 << printerMargins << 600;
  QTest::newRow("driverless, user Letter over queue JIS B5")
      << kIppQueue << QStringList{"-o", "media=jis_b5_182x257mm"}
      << QStringList{"-o", "media=Letter"} << letter << printerMargins << 600;
  QTest::newRow("pdf, queue Letter")
      << kPdfQueue << QStringList{"-o", "PageSize=Letter"} << none << letter << QMarginsF() << 300;
  // The PDF printer's JIS B5, 518 × 727 pt, is near enough to be the
  // standard paper.
  QTest::newRow("pdf, queue JIS B5")
      << kPdfQueue << QStringList{"-o", "PageSize=JISB5"} << none << b5 << QMarginsF() << 300;
  QTest::newRow("pdf, user A4 over queue Letter")
      << kPdfQueue << QStringList{"-o", "PageSize=Letter"} << QStringList{"-o", "media=A4"}
      << QSizeF(595, 842) << QMarginsF() << 300;
  // A raw queue tells no paper: the locale's, A4 here, edge to edge.
  QTest::newRow("raw, no paper told") << kRawQueue << none << none << a4 << QMarginsF() << 600;
}

// Until the setup is used, the page is the printer's default paper, the
// user's over the queue's, and the sheet is drawn at its printable size.
void TestPrinting::defaultPaper() {
  QFETCH(QString, queue);
  QFETCH(QStringList, queueDefault);
  QFETCH(QStringList, userDefault);
  QFETCH(QSizeF, paper);
  QFETCH(QMarginsF, margins);
  QFETCH(int, resolution);
  Run(QStringLiteral("lpadmin"), QStringList{"-p", queue} + queueDefault);
  if (!userDefault.isEmpty())
    Run(QStringLiteral("lpoptions"), QStringList{"-p", queue} + userDefault);

  const QStringList documents = PrintWith(queue, "PrintBtn");
  QCOMPARE(documents.size(), 1);
  const PdfPage page = ReadPdf(documents.first());
  QCOMPARE(page.pages, 1);
  QVERIFY2(qAbs(page.size.width() - paper.width()) < 1.5 &&
               qAbs(page.size.height() - paper.height()) < 1.5,
           qPrintable(QStringLiteral("%1 × %2 pt").arg(page.size.width()).arg(page.size.height())));
  // Every text starts where the page's rule puts it on this paper, within
  // 0.5 % of the paper: other papers' scales differ by 3 % and more, which
  // moves the last rows and columns by 15 pt and more.
  for (const QPointF& start : ExpectedStarts(Paper{paper, margins}, resolution)) {
    const bool found = std::any_of(page.words.begin(), page.words.end(), [&](QPointF word) {
      return qAbs(word.x() - start.x()) < 0.005 * paper.width() &&
             qAbs(word.y() - start.y()) < 0.005 * paper.height();
    });
    QVERIFY2(found,
             qPrintable(QStringLiteral("no text at (%1, %2)").arg(start.x()).arg(start.y())));
  }
  QVERIFY(m_notifier.errors.isEmpty());
}

void TestPrinting::rejectingQueue_data() {
  QTest::addColumn<QString>("queue");
  QTest::newRow("pdf") << kPdfQueue;
  QTest::newRow("driverless") << kIppQueue;
}

void TestPrinting::rejectingQueue() {
  QFETCH(QString, queue);
  Run(QStringLiteral("cupsreject"), {queue});
  QVERIFY(PrintWith(queue, "PrintAnsBtn").isEmpty());
  QCOMPARE(m_notifier.errors, QStringList({"選択したプリンタは有効ではありません"}));
  QCOMPARE(Edit1(), QStringLiteral("7"));

  Run(QStringLiteral("cupsaccept"), {queue});
  QCOMPARE(PrintWith(queue, "PrintAnsBtn").size(), 2);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

// No scheduler at all: the user hears that, not that a printer is missing.
void TestPrinting::noPrintService() {
  const QByteArray server = qgetenv("CUPS_SERVER");
  qputenv("CUPS_SERVER", QFile::encodeName(kState + QStringLiteral("/no-such.sock")));
  Click("PrintBtn");
  qputenv("CUPS_SERVER", server);
  QCOMPARE(m_notifier.errors, QStringList({"印刷サービスに接続できません"}));
  QCOMPARE(Edit1(), QStringLiteral("7"));
}

// A scheduler that does not answer holds the window for the time limit at
// most; once it answers again, printing works.
void TestPrinting::stalledScheduler() {
  QFile pidFile(kState + QStringLiteral("/cupsd.pid"));
  QVERIFY(pidFile.open(QIODevice::ReadOnly));
  m_stoppedScheduler = pidFile.readAll().trimmed().toInt();
  QVERIFY(m_stoppedScheduler > 0);
  QVERIFY(kill(m_stoppedScheduler, SIGSTOP) == 0);
  QElapsedTimer clock;
  clock.start();
  Click("PrintAnsBtn");
  const qint64 held = clock.elapsed();
  QVERIFY(kill(m_stoppedScheduler, SIGCONT) == 0);
  m_stoppedScheduler = 0;
  QCOMPARE(m_notifier.errors, QStringList({"印刷を始められませんでした"}));
  QVERIFY2(held < 5000, qPrintable(QStringLiteral("%1 ms").arg(held)));
  QCOMPARE(Edit1(), QStringLiteral("7"));

  QCOMPARE(PrintWith(kPdfQueue, "PrintAnsBtn").size(), 2);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

// The printer unplugged: the job waits in the queue and prints when the
// printer is back.
void TestPrinting::vanishedPrinterIsNotAFailure() {
  Run(kFixture, {"ipp-stop", kState});
  m_printerAway = true;
  Run(QStringLiteral("lpoptions"), {"-d", kIppQueue});
  const qsizetype received = Received().size();
  Click("PrintBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QCOMPARE(Jobs(kIppQueue, CUPS_WHICHJOBS_ACTIVE).size(), 1);

  Run(kFixture, {"ipp-start", kState});
  m_printerAway = false;
  QVERIFY(WaitUntilIdle(kIppQueue));
  QVERIFY(QTest::qWaitFor([&] { return Received().size() == received + 1; }, 20000));
  const QString text = Output(QStringLiteral("pdftotext"), {"-raw", Received().last(), "-"});
  QVERIFY2(InOrder(text, QStringList{"問題No.7"} + Questions(false)), qPrintable(text));
}

void TestPrinting::printerRemovedAfterSetupChoseIt() {
  Run(QStringLiteral("lpoptions"), {"-d", kPdfQueue});
  QString okText;
  QString printer;
  InSetup(this, [&okText, &printer](PrinterSetupDialog& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    okText = buttons->button(QDialogButtonBox::Ok)->text();
    printer = dialog.findChild<QComboBox*>()->currentText();
    buttons->button(QDialogButtonBox::Ok)->click();
  });
  Click("btnSetPrn");
  QCOMPARE(okText, QStringLiteral("設定"));
  QCOMPARE(printer, kPdfQueue);
  QVERIFY(Jobs(kPdfQueue, CUPS_WHICHJOBS_ACTIVE).isEmpty());  // the setup printed nothing

  Run(QStringLiteral("lpadmin"), {"-x", kPdfQueue});
  Click("PrintBtn");
  const QStringList ppd{"-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"};
  Run(QStringLiteral("lpadmin"),
      QStringList{"-p", kPdfQueue, "-v", "file:///dev/null", "-E"} + ppd);
  Run(QStringLiteral("lpadmin"), {"-d", kPdfQueue});
  QCOMPARE(m_notifier.errors, QStringList({"選択したプリンタは有効ではありません"}));
  QCOMPARE(Edit1(), QStringLiteral("7"));

  QCOMPARE(PrintWith(kPdfQueue, "PrintBtn").size(), 1);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

// The setup lists the queues and each one's papers from the service; the
// paper chosen there is the paper the printer gets.
void TestPrinting::setupChoosesPrinterAndPaper() {
  Run(QStringLiteral("lpoptions"), {"-d", kPdfQueue});
  Run(QStringLiteral("lpadmin"), {"-p", kIppQueue, "-o", "media=iso_a4_210x297mm"});
  QStringList printers;
  QStringList papers;
  InSetup(this, [&](PrinterSetupDialog& dialog) {
    const QList<QComboBox*> boxes = dialog.findChildren<QComboBox*>();
    QComboBox* printer = boxes.at(0);
    QComboBox* paper = boxes.at(1);
    for (int index = 0; index < printer->count(); ++index) printers << printer->itemText(index);
    printer->setCurrentIndex(printer->findText(kIppQueue));
    for (int index = 0; index < paper->count(); ++index) papers << paper->itemText(index);
    paper->setCurrentIndex(paper->findText(QStringLiteral("JIS B5")));
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  Click("btnSetPrn");
  QVERIFY(m_notifier.errors.isEmpty());
  for (const QString& queue : {kPdfQueue, kIppQueue, kRawQueue, PrinterSetupDialog::kPdfFile}) {
    QVERIFY2(printers.contains(queue), qPrintable(printers.join(", ")));
  }
  QCOMPARE(papers.size(), 3);  // the driverless printer's
  for (const char* paper : {"A4", "JIS B5", "Letter / ANSI A"}) {
    QVERIFY2(papers.contains(QLatin1String(paper)), qPrintable(papers.join(", ")));
  }

  const QStringList documents = PrintWith(kIppQueue, "PrintBtn");
  QCOMPARE(documents.size(), 1);
  const PdfPage page = ReadPdf(documents.first());
  QVERIFY2(qAbs(page.size.width() - 515.91) < 1.5 && qAbs(page.size.height() - 728.5) < 1.5,
           qPrintable(QStringLiteral("%1 × %2 pt").arg(page.size.width()).arg(page.size.height())));
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

void TestPrinting::stoppedQueueHoldsTheJob() {
  Run(QStringLiteral("lpoptions"), {"-d", kPdfQueue});
  Run(QStringLiteral("cupsdisable"), {kPdfQueue});
  const QList<int> before = Jobs(kPdfQueue, CUPS_WHICHJOBS_ALL);
  Click("PrintBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(Edit1(), QStringLiteral("8"));
  const QList<int> held = Jobs(kPdfQueue, CUPS_WHICHJOBS_ACTIVE);
  QCOMPARE(held.size(), 1);
  QVERIFY(!before.contains(held.first()));

  Run(QStringLiteral("cupsenable"), {kPdfQueue});
  QVERIFY(WaitUntilIdle(kPdfQueue));
  QVERIFY(Jobs(kPdfQueue, CUPS_WHICHJOBS_COMPLETED).contains(held.first()));
  const QString text =
      Output(QStringLiteral("pdftotext"), {"-raw", SpooledCopy(held.first()), "-"});
  QVERIFY(text.contains(QStringLiteral("問題No.7")));
}

// Where Qt does say that a job failed, the sheet is not counted as printed.
void TestPrinting::jobThatCannotStartIsNotCounted() {
  FontCache fonts;
  SheetPrinter printer(fonts, m_systemService);
  printer.Choose(PdfFileChoice(QStringLiteral("/nonexistent-folder/sheet.pdf")));
  bool drawn = false;
  const auto outcome = printer.Print(
      {render::kQuestionSheet}, [&drawn](render::DrawingSurface&, int, int, int) { drawn = true; });
  QCOMPARE(outcome.failure, std::optional<QString>(QStringLiteral("印刷を始められませんでした")));
  QVERIFY(!outcome.numberUsed);
  QVERIFY(!drawn);
}

void TestPrinting::answersToFileGoBesideTheQuestions() {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
  QCOMPARE(AnswerFileName(file), folder.filePath(QStringLiteral("sheet-答え.pdf")));
  QCOMPARE(AnswerFileName(QStringLiteral("/a/b")), QStringLiteral("/a/b-答え"));

  FontCache fonts;
  SheetPrinter printer(fonts, m_systemService);
  printer.Choose(PdfFileChoice(file));
  const worksheet::Sheet& sheet = m_form->CurrentSheet();
  render::ProblemTextTable texts;
  const auto outcome =
      printer.Print({render::kQuestionSheet, render::kAnswerSheet},
                    [&](render::DrawingSurface& surface, int width, int height, int drawMode) {
                      render::MakePrint(surface, width, height, drawMode, {sheet, 7, {}}, texts);
                    });
  QVERIFY(!outcome.failure);
  const QString questions = Output(QStringLiteral("pdftotext"), {"-raw", file, "-"});
  QVERIFY(InOrder(questions, Questions(false)));
  QVERIFY(!questions.contains(QStringLiteral("＝")));
  QVERIFY(InOrder(Output(QStringLiteral("pdftotext"), {"-raw", AnswerFileName(file), "-"}),
                  Questions(true)));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
