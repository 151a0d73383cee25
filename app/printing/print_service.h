#pragma once

#include <QString>

#include <chrono>

#include "print_job.h"

// The print service as the printing code sees it. The requests only talk to
// the service, on whatever thread asks; each gives up at its deadline,
// whatever the service does (ServiceWait keeps the window going meanwhile).
// Each returns its reply and what it found.
class PrintService {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  virtual ~PrintService() = default;

  // The printers to choose from in the printer setup.
  virtual PrintAnswer<PrinterList> Printers(Deadline deadline) = 0;
  // The printer to use when none was chosen: the user's default, else the
  // service's own.
  virtual PrintAnswer<QString> DefaultPrinter(Deadline deadline) = 0;
  // Done when the printer exists and accepts jobs now.
  virtual PrintReply PrinterState(Deadline deadline, const QString& printer) = 0;
  // The printer's default paper (the user's default over the printer's own;
  // where the printer tells none, the paper of the locale), portrait, with
  // its printable area and resolution, and the options that ask for it.
  virtual PrintAnswer<PrinterPaper> DefaultPaper(Deadline deadline, const QString& printer) = 0;
  // The papers and paper sources the printer offers, for the printer setup.
  virtual PrintAnswer<PrinterPapers> Papers(Deadline deadline, const QString& printer) = 0;
  // Hands the job over; the reply is the job's fate: Done once the service
  // holds it.
  virtual PrintReply StartJob(Deadline deadline, const PrintJob& job) = 0;

  // What the jobs' documents must be.
  virtual JobDocument Document() const { return JobDocument::Pdf; }
  // Whether a job on this printer must name the file it goes into, which the
  // print system would otherwise ask for inside the job, on the requests'
  // thread; as the printer's last PrinterState found. On the window's
  // thread; asks the service nothing.
  virtual bool AsksForFile(const QString& /*printer*/) const { return false; }
};
