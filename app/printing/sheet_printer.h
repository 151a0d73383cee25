#pragma once

#include <QSize>
#include <QString>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "print_service.h"
#include "printer_setup.h"
#include "render/drawing_surface.h"
#include "service_wait.h"

class FontCache;
class QByteArray;
class QPaintDevice;
class QWidget;

// How a print went; with neither a used number nor a failure, the user
// cancelled it.
struct PrintOutcome {
  // The number is used once the question sheet may have reached the
  // printer, whatever became of the answer sheet: it must not be printed
  // again on another sheet.
  bool numberUsed = false;
  std::optional<QString> failure;  // what to tell the user
};

// The current printer for the run and the print jobs of a sheet. Until the
// printer setup is accepted, each print goes to the print service's default
// printer as it is at that moment, on that printer's default paper; after
// it, to what the setup chose: a printer, or a file. Every request to the
// service is bounded by one time limit per command, and waited for through
// a ServiceWait.
class SheetPrinter : private SetupQuestions {
 public:
  // Draws one page of the given mode onto a surface of width × height pixels.
  using PageDrawer =
      std::function<void(render::DrawingSurface& surface, int width, int height, int drawMode)>;

  // How long one command may wait for the print service, all requests
  // together; in the setup, each request. Closing waits no longer either.
  static constexpr std::chrono::milliseconds kServiceTimeLimit{3000};

  // The service is shared with requests that may outlive the printer.
  SheetPrinter(FontCache& fonts, std::shared_ptr<PrintService> service);
  ~SheetPrinter();
  SheetPrinter(const SheetPrinter&) = delete;
  SheetPrinter& operator=(const SheetPrinter&) = delete;

  // The printer setup; OK makes its choice current. Returns the failure's
  // message, if any.
  std::optional<QString> Setup(QWidget* parent);
  // Makes a choice current, as the setup's OK does.
  void Choose(const PrinterChoice& choice) { m_choice = choice; }

  // One job titled "ｶｹﾏﾙ九九" of one portrait page per draw mode, in order,
  // all drawn at the printable size read once before the first is sent.
  PrintOutcome Print(std::initializer_list<int> drawModes, const PageDrawer& drawPage);

 private:
  template <typename Request>
  auto Ask(PrintService::Deadline deadline, bool sendsJob, Request request);
  PrintAnswer<PrinterList> Printers() override;
  PrintAnswer<PrinterPapers> Papers(const QString& printer) override;
  PrintReply WaitFor(std::function<bool(PrintService::Deadline)> ready) override;
  std::optional<QString> Target(PrintService::Deadline deadline, PrintJob& job);
  std::optional<QString> DrawDocument(JobDocument kind, const PrinterPage& page, int drawMode,
                                      const PageDrawer& drawPage, QByteArray& document);
  std::optional<QString> PaintPage(QPaintDevice& device, QSize size, int drawMode,
                                   const PageDrawer& drawPage);

  FontCache& m_fonts;
  std::shared_ptr<PrintService> m_service;
  std::optional<PrinterChoice> m_choice;  // from the setup, once accepted
  std::unique_ptr<PrinterSetup> m_setup;
  ServiceWait m_wait;  // last: its thread ends, or is left behind, before the rest goes
};

// Beside "sheet.pdf", "sheet-答え.pdf": where the answer sheet goes when the
// printer writes files.
QString AnswerFileName(const QString& questionFile);
