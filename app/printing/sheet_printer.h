#pragma once

#include <QSize>
#include <QString>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "print_service.h"
#include "render/drawing_surface.h"
#include "service_wait.h"

class FontCache;
class QByteArray;
class QPaintDevice;
class QPrinter;
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
// it, to what the setup chose. Every request to the service is bounded by
// one time limit per command, and waited for through a ServiceWait.
class SheetPrinter {
 public:
  // Draws one page of the given mode onto a surface of width × height pixels.
  using PageDrawer =
      std::function<void(render::DrawingSurface& surface, int width, int height, int drawMode)>;

  // How long one command may wait for the print service, all requests together.
  static constexpr std::chrono::milliseconds kServiceTimeLimit{3000};

  SheetPrinter(FontCache& fonts, PrintService& service);
  ~SheetPrinter();
  SheetPrinter(const SheetPrinter&) = delete;
  SheetPrinter& operator=(const SheetPrinter&) = delete;

  // The printer setup dialog, once the service answers; OK makes its
  // printer, paper and source current. Returns the failure's message, if any.
  std::optional<QString> Setup(QWidget* parent);

  // One job titled "ｶｹﾏﾙ九九" of one portrait page per draw mode, in order,
  // all drawn at the printable size read once before the first is sent.
  PrintOutcome Print(std::initializer_list<int> drawModes, const PageDrawer& drawPage);

  // The printer the setup dialog sets up.
  QPrinter& Printer();

 private:
  PrintReply Ask(PrintService::Deadline deadline, bool sendsJob,
                 const std::function<PrintReply(PrintService&)>& request);
  std::optional<QString> ChoosePrinter(PrintService::Deadline deadline, QString& printerName,
                                       PrinterPage& page);
  std::optional<QString> DrawDocument(const PrinterPage& page, int drawMode,
                                      const PageDrawer& drawPage, QByteArray& document);
  std::optional<QString> PaintPage(QPaintDevice& device, QSize size, int drawMode,
                                   const PageDrawer& drawPage);
  PrintOutcome PrintToFiles(std::initializer_list<int> drawModes, const PageDrawer& drawPage);
  bool PrintsToFile() const;

  FontCache& m_fonts;
  PrintService& m_service;
  std::unique_ptr<QPrinter> m_printer;  // made for the setup: Qt asks the print service
  bool m_chosenInSetup = false;
  ServiceWait m_wait;  // last: its thread ends before the rest goes
};

// Beside "sheet.pdf", "sheet-答え.pdf": where the answer sheet goes when the
// printer writes files.
QString AnswerFileName(const QString& questionFile);
