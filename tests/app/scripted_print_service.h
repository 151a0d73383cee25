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
  PrintReply serviceReply = PrintReply::Done;
  PrintReply defaultPrinterReply = PrintReply::Done;
  PrintReply stateReply = PrintReply::Done;
  PrintReply pageReply = PrintReply::Done;
  PrinterPage page{QPageLayout(QPageSize(QPageSize::JisB5), QPageLayout::Portrait,
                               QMarginsF(4, 5, 6, 7), QPageLayout::Millimeter),
                   600,
                   {QStringLiteral("media"), QStringLiteral("jis_b5_182x257mm")},
                   {}};
  QList<PrintReply> jobFates;          // one per job in turn; Done once all are used
  QList<PrintReply> transientReplies;  // given in turn before any scripted reply
  // How long each request takes, and each job besides; a request that would
  // outlast its deadline gives up a while after it, as libcups may.
  std::chrono::milliseconds delay{0};
  std::chrono::milliseconds jobDelay{0};

  QList<PrintJob> jobs;               // every job handed over, taken or not
  QStringList requests;               // "DefaultPrinter", "PrinterState desk", ...
  QList<Deadline> deadlines;          // of every request
  QList<Qt::CursorShape> jobCursors;  // the override cursor at each job
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

  PrintReply ServiceState(Deadline deadline) override {
    return Answer(deadline, QStringLiteral("ServiceState"), serviceReply);
  }
  PrintReply DefaultPrinter(Deadline deadline, QString& printer) override {
    if (defaultPrinterReply == PrintReply::Done && !defaultPrinter.isEmpty()) {
      printer = defaultPrinter;
    }
    return Answer(deadline, QStringLiteral("DefaultPrinter"),
                  defaultPrinterReply == PrintReply::Done && defaultPrinter.isEmpty()
                      ? PrintReply::NoPrinter
                      : defaultPrinterReply);
  }
  PrintReply PrinterState(Deadline deadline, const QString& printer) override {
    return Answer(deadline, QStringLiteral("PrinterState ") + printer, stateReply);
  }
  PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& answer) override {
    if (pageReply == PrintReply::Done) answer = page;
    return Answer(deadline, QStringLiteral("DefaultPage ") + printer, pageReply);
  }
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override {
    jobs << job;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    jobCursors << (cursor == nullptr ? Qt::ArrowCursor : cursor->shape());
    return Answer(deadline, QStringLiteral("StartJob ") + job.printer,
                  jobFates.isEmpty() ? PrintReply::Done : jobFates.takeFirst(), jobDelay);
  }
  QStringList SetupOptions(QPrinter& /*printer*/) const override {
    return {QStringLiteral("chosen"), QStringLiteral("in setup")};
  }

 private:
  PrintReply Answer(Deadline deadline, const QString& request, PrintReply reply,
                    std::chrono::milliseconds extra = {}) {
    requests << request;
    deadlines << deadline;
    if (!transientReplies.isEmpty()) reply = transientReplies.takeFirst();
    const int now = ++running.now;
    running.most = std::max(running.most.load(), now);
    const auto late = deadline + std::chrono::seconds(1);
    std::this_thread::sleep_until(std::min(std::chrono::steady_clock::now() + delay + extra, late));
    --running.now;
    return std::chrono::steady_clock::now() >= deadline ? PrintReply::NoAnswer : reply;
  }
};
