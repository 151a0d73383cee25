#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QList>
#include <QPageSize>

#include "print_service.h"

// A print service that answers as the test scripts it and keeps every job it
// takes, with the cursor the window showed meanwhile.
class ScriptedPrintService final : public PrintService {
 public:
  QString defaultPrinter = QStringLiteral("desk");  // empty: there is none
  PrintReply defaultPrinterReply = PrintReply::Done;
  PrintReply stateReply = PrintReply::Done;
  PrintReply pageReply = PrintReply::Done;
  PrinterPage page{QPageLayout(QPageSize(QPageSize::JisB5), QPageLayout::Portrait,
                               QMarginsF(4, 5, 6, 7), QPageLayout::Millimeter),
                   600,
                   {QStringLiteral("media"), QStringLiteral("jis_b5_182x257mm")}};
  QList<PrintReply> jobFates;  // one per job in turn; Done once all are used

  QList<PrintJob> jobs;               // every job handed over, taken or not
  QStringList requests;               // "DefaultPrinter", "PrinterState desk", ...
  QList<Deadline> deadlines;          // of every request
  QList<Qt::CursorShape> jobCursors;  // the override cursor at each job

  PrintReply DefaultPrinter(Deadline deadline, QString& printer) override {
    Note(deadline, QStringLiteral("DefaultPrinter"));
    if (defaultPrinterReply != PrintReply::Done) return defaultPrinterReply;
    if (defaultPrinter.isEmpty()) return PrintReply::NoPrinter;
    printer = defaultPrinter;
    return PrintReply::Done;
  }
  PrintReply PrinterState(Deadline deadline, const QString& printer) override {
    Note(deadline, QStringLiteral("PrinterState ") + printer);
    return stateReply;
  }
  PrintReply DefaultPage(Deadline deadline, const QString& printer, PrinterPage& answer) override {
    Note(deadline, QStringLiteral("DefaultPage ") + printer);
    if (pageReply == PrintReply::Done) answer = page;
    return pageReply;
  }
  PrintReply StartJob(Deadline deadline, const PrintJob& job) override {
    Note(deadline, QStringLiteral("StartJob ") + job.printer);
    jobs << job;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    jobCursors << (cursor == nullptr ? Qt::ArrowCursor : cursor->shape());
    return jobFates.isEmpty() ? PrintReply::Done : jobFates.takeFirst();
  }

 private:
  void Note(Deadline deadline, const QString& request) {
    requests << request;
    deadlines << deadline;
  }
};
