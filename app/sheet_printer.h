#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "render/drawing_surface.h"

class FontCache;
class QPrinter;
class QWidget;

// The current printer for the run and the print jobs of a sheet. Until the
// printer setup chooses a printer, each print goes to the print service's
// default printer as it is at that moment.
class SheetPrinter {
 public:
  // Draws one page of the given mode onto a surface of width × height pixels.
  using PageDrawer =
      std::function<void(render::DrawingSurface& surface, int width, int height, int drawMode)>;

  explicit SheetPrinter(FontCache& fonts);
  ~SheetPrinter();
  SheetPrinter(const SheetPrinter&) = delete;
  SheetPrinter& operator=(const SheetPrinter&) = delete;

  // The printer setup dialog; OK makes its printer, paper and source current.
  void Setup(QWidget* parent);

  // One job titled "ｶｹﾏﾙ九九" of one portrait page per draw mode, in order,
  // all at the printable size read once. Returns the failure's message, or
  // nothing when every job was handed to the print service.
  std::optional<QString> Print(std::initializer_list<int> drawModes, const PageDrawer& drawPage);

  QPrinter& Printer();

 private:
  std::optional<QString> ChooseCurrentPrinter();
  std::optional<QString> PrintJob(int drawMode, int width, int height, const PageDrawer& drawPage);
  bool PrintsToFile() const;

  FontCache& m_fonts;
  std::unique_ptr<QPrinter> m_printer;  // made at the first use: asks the print service
  bool m_chosenInSetup = false;
};

// Beside "sheet.pdf", "sheet-答え.pdf": where the answer sheet goes when the
// printer writes files.
QString AnswerFileName(const QString& questionFile);
