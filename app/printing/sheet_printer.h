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

class FontCache;
class QPaintDevice;
class QPrinter;
class QWidget;

// The current printer for the run and the print jobs of a sheet. Until the
// printer setup is accepted, each print goes to the print service's default
// printer as it is at that moment, on that printer's default paper; after
// it, to what the setup chose.
class SheetPrinter {
 public:
  // Draws one page of the given mode onto a surface of width × height pixels.
  using PageDrawer =
      std::function<void(render::DrawingSurface& surface, int width, int height, int drawMode)>;

  // How long one print may wait for the print service, all requests together.
  static constexpr std::chrono::milliseconds kServiceTimeLimit{3000};

  SheetPrinter(FontCache& fonts, PrintService& service);
  ~SheetPrinter();
  SheetPrinter(const SheetPrinter&) = delete;
  SheetPrinter& operator=(const SheetPrinter&) = delete;

  // The printer setup dialog; OK makes its printer, paper and source current.
  void Setup(QWidget* parent);

  // One job titled "ｶｹﾏﾙ九九" of one portrait page per draw mode, in order,
  // all at the printable size read once. Returns the failure's message, or
  // nothing when every job was handed to the print service.
  std::optional<QString> Print(std::initializer_list<int> drawModes, const PageDrawer& drawPage);

  // The printer the setup dialog sets up.
  QPrinter& Printer();

 private:
  std::optional<QString> ChoosePrinter(PrintService::Deadline deadline, QString& printerName,
                                       PrinterPage& page);
  QByteArray DrawDocument(const PrinterPage& page, int drawMode, const PageDrawer& drawPage);
  std::optional<QString> PaintPage(QPaintDevice& device, QSize size, int drawMode,
                                   const PageDrawer& drawPage);
  std::optional<QString> PrintToFiles(std::initializer_list<int> drawModes,
                                      const PageDrawer& drawPage);
  bool PrintsToFile() const;

  FontCache& m_fonts;
  PrintService& m_service;
  std::unique_ptr<QPrinter> m_printer;  // made for the setup: Qt asks the print service
  bool m_chosenInSetup = false;
};

// Beside "sheet.pdf", "sheet-答え.pdf": where the answer sheet goes when the
// printer writes files.
QString AnswerFileName(const QString& questionFile);
