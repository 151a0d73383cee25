#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QList>
#include <QPageSize>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "print_service.h"

// A print service that answers as the test scripts it and keeps every job it
// takes, with the cursor the window showed meanwhile. It is asked on the
// printing's own thread; the test reads what it kept once the command is over.
class ScriptedPrintService final : public PrintService {
 public:
  QString defaultPrinter = QStringLiteral("desk");  // empty: there is none
  PrinterList printers{{QStringLiteral("desk"), QStringLiteral("hall")}, QStringLiteral("desk")};
  PrintReply printersReply = PrintReply::Done;
  PrintReply defaultPrinterReply = PrintReply::Done;
  PrintReply stateReply = PrintReply::Done;
  PrintReply pageReply = PrintReply::Done;
  PrinterPaper page{{QStringLiteral("jis_b5_182x257mm"), QStringLiteral("JIS B5")},
                    {QPageLayout(QPageSize(QPageSize::JisB5), QPageLayout::Portrait,
                                 QMarginsF(4, 5, 6, 7), QPageLayout::Millimeter),
                     600,
                     {}}};
  // The papers of every printer: JIS B5, its default, and A4; two sources.
  PrinterPapers papers{{page,
                        {{QStringLiteral("iso_a4_210x297mm"), QStringLiteral("A4")},
                         {QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(3, 3, 3, 3), QPageLayout::Millimeter),
                          300,
                          {}}}},
                       0,
                       {{QStringLiteral("auto"), QStringLiteral("自動")},
                        {QStringLiteral("manual"), QStringLiteral("手差し")}},
                       0};
  QList<PrintReply> jobFates;          // one per job in turn; Done once all are used
  QList<PrintReply> transientReplies;  // given in turn before any scripted reply
  // How long each request takes, and each job besides; a request that would
  // outlast its deadline gives up a while after it, as libcups may, unless
  // it stalls past its deadline, as a spooler's call may.
  std::chrono::milliseconds delay{0};
  std::chrono::milliseconds jobDelay{0};
  bool stallsPastDeadline = false;

  QList<PrintJob> jobs;                   // every job handed over, taken or not
  QStringList requests;                   // "DefaultPrinter", "PrinterState desk", ...
  QList<Deadline> deadlines;              // of every request
  QList<Qt::CursorShape> jobCursors;      // the override cursor at each job
  QList<Qt::CursorShape> requestCursors;  // and at each request
  // Requests under way at once, counted across threads: now, and the most.
  struct Running {
    std::atomic<int> now{0};
    std::atomic<int> most{0};
    Running() = default;
    Running(const Running& /*other*/) {}
    Running& operator=(const Running& /*other*/) {
      now = 0;
      most = 0;
      return *this;
    }
  } running;

  PrintAnswer<PrinterList> Printers(Deadline deadline) override {
    return {Answer(deadline, QStringLiteral("Printers"), printersReply), printers};
  }
  PrintAnswer<QString> DefaultPrinter(Deadline deadline) override {
    return {Answer(deadline, QStringLiteral("DefaultPrinter"),
                   defaultPrinterReply == PrintReply::Done && defaultPrinter.isEmpty()
                       ? PrintReply::NoPrinter
                       : defaultPrinterReply),
            defaultPrinter};
  }
  PrintReply PrinterState(Deadline deadline, const QString& printer) override {
    return Answer(deadline, QStringLiteral("PrinterState ") + printer, stateReply);
  }
  PrintAnswer<PrinterPaper> DefaultPaper(Deadline deadline, const QString& printer) override {
    return {Answer(deadline, QStringLiteral("DefaultPaper ") + printer, pageReply), page};
  }
  PrintAnswer<PrinterPapers> Papers(Deadline deadline, const QString& printer) override {
    return {Answer(deadline, QStringLiteral("Papers ") + printer, pageReply), papers};
  }
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override {
    jobs << job;
    jobCursors << Cursor();
    return Answer(deadline, QStringLiteral("StartJob ") + job.printer,
                  jobFates.isEmpty() ? PrintReply::Done : jobFates.takeFirst(), jobDelay);
  }

 private:
  static Qt::CursorShape Cursor() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor == nullptr ? Qt::ArrowCursor : cursor->shape();
  }
  PrintReply Answer(Deadline deadline, const QString& request, PrintReply reply,
                    std::chrono::milliseconds extra = {}) {
    requests << request;
    deadlines << deadline;
    requestCursors << Cursor();
    if (!transientReplies.isEmpty()) reply = transientReplies.takeFirst();
    const int now = ++running.now;
    running.most = std::max(running.most.load(), now);
    const auto until = std::chrono::steady_clock::now() + delay + extra;
    std::this_thread::sleep_until(
        stallsPastDeadline ? until : std::min(until, deadline + std::chrono::seconds(1)));
    --running.now;
    return std::chrono::steady_clock::now() >= deadline ? PrintReply::NoAnswer : reply;
  }
};
