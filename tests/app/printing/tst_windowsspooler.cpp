// The Windows print service through the print commands, against a scripted
// spooler: the sheet drawn for the driver's paper; each fault counts nothing;
// the setup's choice printed on, or the setup given up at the time limit; a
// port that asks for a file asked on the window's thread.

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPicture>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <thread>

#include <winerror.h>

#include "sheet_printer.h"
#include "window_fixture.h"
#include "windows_print_service.h"

namespace {

// A spooler that answers as the test scripts it, on the printing's thread.
class ScriptedSpooler final : public WindowsSpooler {
 public:
  unsigned long defaultError = ERROR_SUCCESS;
  unsigned long openError = ERROR_SUCCESS;
  unsigned long status = 0;
  QString port = QStringLiteral("USB001");
  std::chrono::milliseconds openDelay{0};
  std::atomic<std::chrono::milliseconds> setupDelay{std::chrono::milliseconds(0)};
  Choice setupChoice;  // what OK in the setup chooses
  QList<PrintJob> jobs;
  QList<QByteArray> devModes;  // each job's and each paper's

  unsigned long Check() override { return ERROR_SUCCESS; }
  unsigned long DefaultPrinter(QString& printer) override {
    printer = QStringLiteral("desk");
    return defaultError;
  }
  unsigned long Printer(const QString& /*printer*/, unsigned long& state,
                        unsigned long& /*attributes*/, QString& portName) override {
    std::this_thread::sleep_for(openDelay);
    state = status;
    portName = port;
    return openError;
  }
  unsigned long DefaultPaper(const QString& /*printer*/, const QByteArray& devMode,
                             Paper& answer) override {
    devModes << devMode;
    answer = {13 /* DMPAPER_B5, JIS B5 */, {182, 257}, {4, 5, 6, 7}, 600, {94, 118, 4063, 5787}};
    return openError;
  }
  PrintReply Print(Deadline /*deadline*/, const PrintJob& job, const QByteArray& devMode) override {
    jobs << job;
    devModes << devMode;
    return PrintReply::Done;
  }
  // Runs on a thread of its own, which may outlive the test.
  unsigned long PrinterSetup(quintptr /*owner*/, Choice& choice,
                             const std::function<bool()>& shown) override {
    std::this_thread::sleep_for(setupDelay.load());
    if (!shown()) return ERROR_CANCELLED;
    choice = setupChoice;
    return ERROR_SUCCESS;
  }
};

}  // namespace

class TestWindowsSpooler : public QObject, private WindowFixture {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { CloseWindow(); }
  void drawsForTheDriversPaper();
  void faultsCountNothing_data();
  void faultsCountNothing();
  void setupChoosesOrGivesUpAtTheLimit();
  void portAskingForAFileIsAskedFirst();

 private:
  ScriptedSpooler* m_spooler = nullptr;
  std::unique_ptr<WindowsPrintService> m_service;
};

// A sheet of the table of 3, to be printed as number 7.
void TestWindowsSpooler::init() {
  auto spooler = std::make_unique<ScriptedSpooler>();
  m_spooler = spooler.get();
  m_service = std::make_unique<WindowsPrintService>(std::move(spooler));
  OpenWindow(*m_service);
  QTest::mouseClick(Find<QCheckBox>("D3"), Qt::LeftButton);
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("7"));
  Click("PreviewBtn");
}

// Each sheet a picture within the printable area of the driver's paper,
// named by its Windows number, at the driver's resolution and to its pixel.
void TestWindowsSpooler::drawsForTheDriversPaper() {
  Click("PrintAnsBtn");
  QVERIFY(m_notifier.errors.isEmpty());
  QCOMPARE(Edit1(), QStringLiteral("8"));
  QCOMPARE(m_spooler->jobs.size(), 2);
  for (const PrintJob& job : m_spooler->jobs) {
    QCOMPARE(job.title, QStringLiteral("ｶｹﾏﾙ九九"));
    QCOMPARE(job.page.layout.pageSize().id(), QPageSize::JisB5);
    QCOMPARE(job.page.layout.margins(), QMarginsF(4, 5, 6, 7));
    QCOMPARE(job.page.resolution, 600);
    QCOMPARE(job.page.printable, QRect(94, 118, 4063, 5787));
    QPicture picture;
    picture.setData(job.document.constData(), static_cast<uint>(job.document.size()));
    const QRect drawn = picture.boundingRect();
    QVERIFY2(drawn.width() > 3000 && QRect(QPoint(), job.page.printable.size()).contains(drawn),
             qPrintable(QStringLiteral("%1 × %2").arg(drawn.width()).arg(drawn.height())));
  }
}

void TestWindowsSpooler::faultsCountNothing_data() {
  QTest::addColumn<unsigned long>("defaultError");
  QTest::addColumn<unsigned long>("openError");
  QTest::addColumn<unsigned long>("status");
  QTest::addColumn<int>("openDelay");  // ms
  QTest::addColumn<QString>("message");

  const QString invalid = QStringLiteral("選択したプリンタは有効ではありません");
  const QString noService = QStringLiteral("印刷サービスに接続できません");
  QTest::newRow("no default printer") << 2UL /* ERROR_FILE_NOT_FOUND */ << 0UL << 0UL << 0
                                      << QStringLiteral("デフォルト プリンタが存在しません");
  QTest::newRow("printer cannot be opened")
      << 0UL << 5UL /* ERROR_ACCESS_DENIED */ << 0UL << 0 << invalid;
  QTest::newRow("printer being deleted")
      << 0UL << 0UL << 4UL /* PRINTER_STATUS_PENDING_DELETION */ << 0 << invalid;
  QTest::newRow("spooler stopped")
      << 1722UL /* RPC_S_SERVER_UNAVAILABLE */ << 0UL << 0UL << 0 << noService;
  // A network printer holds OpenPrinterW: the call is left to end on its own.
  QTest::newRow("opening outlasts the time limit")
      << 0UL << 0UL << 0UL << 6000 << QStringLiteral("印刷を始められませんでした");
}

void TestWindowsSpooler::faultsCountNothing() {
  QFETCH(QString, message);
  QFETCH(int, openDelay);
  QFETCH(unsigned long, defaultError);
  QFETCH(unsigned long, openError);
  QFETCH(unsigned long, status);
  m_spooler->defaultError = defaultError;
  m_spooler->openError = openError;
  m_spooler->status = status;
  m_spooler->openDelay = std::chrono::milliseconds(openDelay);
  const auto clicked = std::chrono::steady_clock::now();
  Click("PrintAnsBtn");
  QVERIFY(std::chrono::steady_clock::now() - clicked <
          SheetPrinter::kServiceTimeLimit + ServiceWait::kGrace + std::chrono::seconds(1));
  QCOMPARE(m_notifier.errors, QStringList({message}));
  QVERIFY(m_spooler->jobs.isEmpty());
  QCOMPARE(Edit1(), QStringLiteral("7"));
}

// A spooler that stalls before the setup's dialog shows gives the window
// back at the time limit and changes nothing; a setup that shows makes its
// printer and DEVMODE those of the prints that follow.
void TestWindowsSpooler::setupChoosesOrGivesUpAtTheLimit() {
  m_spooler->setupChoice = {QStringLiteral("hall"), QStringLiteral("USB002"), "B5 tray 2"};
  m_spooler->setupDelay = std::chrono::milliseconds(6000);
  const auto clicked = std::chrono::steady_clock::now();
  Click("btnSetPrn");
  QVERIFY(std::chrono::steady_clock::now() - clicked <
          SheetPrinter::kServiceTimeLimit + ServiceWait::kGrace + std::chrono::seconds(1));
  QCOMPARE(m_notifier.errors, QStringList({QStringLiteral("印刷サービスが応答しません")}));
  Click("PrintBtn");
  QCOMPARE(m_spooler->jobs.last().printer, QStringLiteral("desk"));

  m_spooler->setupDelay = std::chrono::milliseconds(0);
  Click("btnSetPrn");
  m_spooler->devModes.clear();
  Click("PrintBtn");
  QCOMPARE(m_notifier.errors.size(), 1);
  QCOMPARE(m_spooler->jobs.last().printer, QStringLiteral("hall"));
  QCOMPARE(m_spooler->devModes, QList<QByteArray>({"B5 tray 2", "B5 tray 2"}));
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

// "Microsoft Print to PDF" asks for its file at the job's start: asked
// before the job, on the window's thread, and both sheets written, the
// answers beside the questions: a .pdf name as the program's own PDF files,
// without the spooler, another by the driver; cancelled, nothing is printed
// or counted.
void TestWindowsSpooler::portAskingForAFileIsAskedFirst() {
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  m_spooler->port = QStringLiteral("PORTPROMPT:");
  QTemporaryDir folder;
  QString file = folder.filePath(QStringLiteral("week.pdf"));
  bool cancel = false;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&file, &cancel] {
    if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
      cancel ? files->reject() : static_cast<QDialog*>(files)->accept();
    }
  });
  answer.start(50);
  Click("PrintAnsBtn");
  QCOMPARE(m_notifier.errors, QStringList());
  QCOMPARE(m_spooler->jobs.size(), 0);
  QByteArray sheets[2];
  for (int at = 0; at < 2; ++at) {
    const QString name = at == 0 ? file : folder.filePath(QStringLiteral("week-答え.pdf"));
    QFile written(name);
    QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(name));
    sheets[at] = written.readAll();
    QCOMPARE(sheets[at].count("/Type /Page\n"), 1);
  }
  QVERIFY(sheets[0] != sheets[1]);
  QCOMPARE(Edit1(), QStringLiteral("8"));

  file = folder.filePath(QStringLiteral("week.prn"));
  Click("PrintAnsBtn");
  QCOMPARE(m_notifier.errors, QStringList());
  QCOMPARE(m_spooler->jobs.size(), 2);
  QCOMPARE(m_spooler->jobs.at(0).printer, QStringLiteral("desk"));
  QCOMPARE(m_spooler->jobs.at(0).file, file);
  QCOMPARE(m_spooler->jobs.at(1).file, folder.filePath(QStringLiteral("week-答え.prn")));
  QCOMPARE(Edit1(), QStringLiteral("9"));

  cancel = true;
  Click("PrintAnsBtn");
  QCOMPARE(m_notifier.errors, QStringList());
  QCOMPARE(m_spooler->jobs.size(), 2);
  QCOMPARE(Edit1(), QStringLiteral("9"));
}

QTEST_MAIN(TestWindowsSpooler)
#include "tst_windowsspooler.moc"
