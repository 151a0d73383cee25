// Printing through the real print service: a CUPS scheduler with a virtual
// PDF queue as the default, started by the test fixture. What the program
// sent is read back from CUPS's spooled copy of each job.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cups/cups.h>

#include "cups_print_service.h"
#include "fmain.h"
#include "font_cache.h"
#include "option_group.h"
#include "recording_notifier.h"
#include "render/make_print.h"
#include "run_process.h"
#include "sheet_printer.h"
#include "window_fixture.h"

namespace {

const QByteArray kQueue = qgetenv("KAKEMARU_TEST_QUEUE");

void Run(const QString& program, const QStringList& arguments) {
  QVERIFY2(RunProcess(program, arguments), qPrintable(program + " " + arguments.join(' ')));
}

void AddQueue() {
  Run(QStringLiteral("lpadmin"),
      {"-p", kQueue, "-v", "cups-pdf:/", "-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "-E"});
  Run(QStringLiteral("lpadmin"), {"-d", kQueue});
}

QList<int> Jobs(int which) {
  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs(&jobs, kQueue.constData(), 0, which);
  QList<int> ids;
  for (int i = 0; i < count; ++i) ids << jobs[i].id;
  cupsFreeJobs(count, jobs);
  std::sort(ids.begin(), ids.end());
  return ids;
}

bool WaitUntilIdle() {
  return QTest::qWaitFor([] { return Jobs(CUPS_WHICHJOBS_ACTIVE).isEmpty(); }, 20000);
}

QString PdfText(const QString& file) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {"-raw", file, "-"});
  process.waitForFinished(10000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString JobText(int job) {
  return PdfText(QStringLiteral("/var/spool/cups/d%1-001").arg(job, 5, 10, QLatin1Char('0')));
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

}  // namespace

class TestPrinting : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();
  void printsTheQuestionSheet();
  void printsQuestionsThenAnswers();
  void numberWrapsAfterTheLargest();
  void pageIsPortraitAndFillsThePrintableArea();
  void noPrinterAtAll();
  void queueRejectingJobs();
  void printerRemovedAfterSetupChoseIt();
  void stoppedQueueHoldsTheJob();
  void jobThatCannotStartIsNotCounted();
  void answersToFileGoBesideTheQuestions();

 private:
  void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
  QString Edit1() const { return Find<QLineEdit>("Edit1")->text(); }
  QStringList Questions(bool answers) const;
  // Prints with the button and returns the jobs it made.
  QList<int> PrintWith(const char* button);
};

void TestPrinting::initTestCase() {
  QVERIFY2(!kQueue.isEmpty(), "KAKEMARU_TEST_QUEUE names the test queue");
  cups_dest_t* queue = cupsGetNamedDest(CUPS_HTTP_DEFAULT, kQueue.constData(), nullptr);
  QVERIFY2(queue != nullptr, "the print service and its test queue are not running");
  cupsFreeDests(1, queue);
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

void TestPrinting::cleanup() {
  CloseWindow();
  // Leave the service as the fixture made it, whatever the test did.
  AddQueue();
  Run(QStringLiteral("cupsenable"), {kQueue});
  Run(QStringLiteral("cupsaccept"), {kQueue});
  WaitUntilIdle();
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

QList<int> TestPrinting::PrintWith(const char* button) {
  const QList<int> before = Jobs(CUPS_WHICHJOBS_ALL);
  Click(button);
  WaitUntilIdle();
  QList<int> made = Jobs(CUPS_WHICHJOBS_ALL);
  for (int job : before) made.removeAll(job);
  return made;
}

void TestPrinting::printsTheQuestionSheet() {
  const QList<int> jobs = PrintWith("PrintBtn");
  QCOMPARE(jobs.size(), 1);
  const QString text = JobText(jobs.first());
  QVERIFY2(InOrder(text, QStringList{"かけざん九九", "問題No.7"} + Questions(false)),
           qPrintable(text));
  QVERIFY(!text.contains(QStringLiteral("＝")));
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QCOMPARE(m_form->PrintNumber(), 8);
  QVERIFY(m_notifier.errors.isEmpty());
}

void TestPrinting::printsQuestionsThenAnswers() {
  const QList<int> jobs = PrintWith("PrintAnsBtn");
  QCOMPARE(jobs.size(), 2);
  const QString questions = JobText(jobs.at(0));
  const QString answers = JobText(jobs.at(1));
  QVERIFY2(InOrder(questions, QStringList{"問題No.7"} + Questions(false)), qPrintable(questions));
  QVERIFY(!questions.contains(QStringLiteral("＝")));
  QVERIFY2(InOrder(answers, QStringList{"問題No.7"} + Questions(true)), qPrintable(answers));
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QVERIFY(m_notifier.errors.isEmpty());
}

void TestPrinting::numberWrapsAfterTheLargest() {
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("2147483647"));
  const QList<int> jobs = PrintWith("PrintBtn");
  QCOMPARE(jobs.size(), 1);
  QVERIFY(JobText(jobs.first()).contains(QStringLiteral("問題No.2147483647")));
  QCOMPARE(Edit1(), QStringLiteral("-2147483648"));
  QCOMPARE(m_form->PrintNumber(), -2147483647 - 1);
}

void TestPrinting::pageIsPortraitAndFillsThePrintableArea() {
  FontCache fonts;
  CupsPrintService service;
  SheetPrinter printer(fonts, service);
  printer.Printer().setPageOrientation(QPageLayout::Landscape);
  QSize drawn;
  const auto failure = printer.Print({render::kQuestionSheet},
                                     [&drawn](render::DrawingSurface&, int width, int height, int) {
                                       drawn = QSize(width, height);
                                     });
  QVERIFY(!failure);
  QCOMPARE(printer.Printer().pageLayout().orientation(), QPageLayout::Portrait);
  const QRect printable =
      printer.Printer().pageLayout().paintRectPixels(printer.Printer().resolution());
  QCOMPARE(drawn, printable.size());
  QVERIFY(drawn.width() < drawn.height());
  QVERIFY2(printer.Printer().resolution() >= 300, "drawn at the printer's own resolution");

  // On paper: the last question of the last column reaches well into the page.
  const QList<int> jobs = PrintWith("PrintBtn");
  QCOMPARE(jobs.size(), 1);
  QProcess info;
  info.start(
      QStringLiteral("pdftotext"),
      {"-bbox",
       QStringLiteral("/var/spool/cups/d%1-001").arg(jobs.first(), 5, 10, QLatin1Char('0')), "-"});
  info.waitForFinished(10000);
  const QString boxes = QString::fromUtf8(info.readAllStandardOutput());
  const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
  const auto pageMatch = page.match(boxes);
  QVERIFY(pageMatch.hasMatch());
  const double width = pageMatch.captured(1).toDouble();
  const double height = pageMatch.captured(2).toDouble();
  QVERIFY2(width < height, "portrait");
  const QRegularExpression word(QStringLiteral("xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\""));
  double right = 0;
  double bottom = 0;
  for (const auto& match : word.globalMatch(boxes)) {
    right = std::max(right, match.captured(1).toDouble());
    bottom = std::max(bottom, match.captured(2).toDouble());
  }
  QVERIFY2(
      right > 0.6 * width && bottom > 0.75 * height,
      qPrintable(QStringLiteral("%1 %2 of %3 %4").arg(right).arg(bottom).arg(width).arg(height)));
}

void TestPrinting::noPrinterAtAll() {
  Run(QStringLiteral("lpadmin"), {"-x", kQueue});
  QVERIFY(PrintWith("PrintBtn").isEmpty());
  QCOMPARE(m_notifier.errors, QStringList({"デフォルト プリンタが存在しません"}));
  QCOMPARE(Edit1(), QStringLiteral("7"));
  QCOMPARE(m_form->PrintNumber(), 7);

  AddQueue();
  QCOMPARE(PrintWith("PrintBtn").size(), 1);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

void TestPrinting::queueRejectingJobs() {
  Run(QStringLiteral("cupsreject"), {kQueue});
  QVERIFY(PrintWith("PrintAnsBtn").isEmpty());
  QCOMPARE(m_notifier.errors, QStringList({"選択したプリンタは有効ではありません"}));
  QCOMPARE(Edit1(), QStringLiteral("7"));

  Run(QStringLiteral("cupsaccept"), {kQueue});
  QCOMPARE(PrintWith("PrintAnsBtn").size(), 2);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

void TestPrinting::printerRemovedAfterSetupChoseIt() {
  QString okText;
  QTimer::singleShot(100, [&okText] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>()) {
      if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) okText = ok->text();
    }
    dialog->accept();
  });
  Click("btnSetPrn");
  QCOMPARE(okText, QStringLiteral("設定"));
  QVERIFY(Jobs(CUPS_WHICHJOBS_ACTIVE).isEmpty());  // the setup printed nothing

  Run(QStringLiteral("lpadmin"), {"-x", kQueue});
  QVERIFY(PrintWith("PrintBtn").isEmpty());
  QCOMPARE(m_notifier.errors, QStringList({"選択したプリンタは有効ではありません"}));
  QCOMPARE(Edit1(), QStringLiteral("7"));

  AddQueue();
  QCOMPARE(PrintWith("PrintBtn").size(), 1);
  QCOMPARE(Edit1(), QStringLiteral("8"));
}

void TestPrinting::stoppedQueueHoldsTheJob() {
  Run(QStringLiteral("cupsdisable"), {kQueue});
  const QList<int> before = Jobs(CUPS_WHICHJOBS_ALL);
  Click("PrintBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(Edit1(), QStringLiteral("8"));
  const QList<int> held = Jobs(CUPS_WHICHJOBS_ACTIVE);
  QCOMPARE(held.size(), 1);
  QVERIFY(!before.contains(held.first()));

  Run(QStringLiteral("cupsenable"), {kQueue});
  QVERIFY(WaitUntilIdle());
  QVERIFY(Jobs(CUPS_WHICHJOBS_COMPLETED).contains(held.first()));
  QVERIFY(JobText(held.first()).contains(QStringLiteral("問題No.7")));
}

// Where Qt does say that a job failed, the sheet is not counted as printed.
void TestPrinting::jobThatCannotStartIsNotCounted() {
  FontCache fonts;
  CupsPrintService service;
  SheetPrinter printer(fonts, service);
  printer.Printer().setOutputFormat(QPrinter::PdfFormat);
  printer.Printer().setOutputFileName(QStringLiteral("/nonexistent-folder/sheet.pdf"));
  bool drawn = false;
  const auto failure = printer.Print(
      {render::kQuestionSheet}, [&drawn](render::DrawingSurface&, int, int, int) { drawn = true; });
  QCOMPARE(failure, std::optional<QString>(QStringLiteral("印刷を始められませんでした")));
  QVERIFY(!drawn);
}

void TestPrinting::answersToFileGoBesideTheQuestions() {
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("sheet.pdf"));
  QCOMPARE(AnswerFileName(file), folder.filePath(QStringLiteral("sheet-答え.pdf")));
  QCOMPARE(AnswerFileName(QStringLiteral("/a/b")), QStringLiteral("/a/b-答え"));

  FontCache fonts;
  CupsPrintService service;
  SheetPrinter printer(fonts, service);
  printer.Printer().setOutputFormat(QPrinter::PdfFormat);
  printer.Printer().setOutputFileName(file);
  const worksheet::Sheet& sheet = m_form->CurrentSheet();
  render::ProblemTextTable texts;
  const auto failure =
      printer.Print({render::kQuestionSheet, render::kAnswerSheet},
                    [&](render::DrawingSurface& surface, int width, int height, int drawMode) {
                      render::MakePrint(surface, width, height, drawMode, {sheet, 7, {}}, texts);
                    });
  QVERIFY(!failure);
  QVERIFY(InOrder(PdfText(file), Questions(false)));
  QVERIFY(!PdfText(file).contains(QStringLiteral("＝")));
  QVERIFY(InOrder(PdfText(AnswerFileName(file)), Questions(true)));
  QCOMPARE(printer.Printer().outputFileName(), file);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
