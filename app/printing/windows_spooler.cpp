#include "windows_spooler.h"

#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "windows_printer_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

// An open printer, closed at the end.
class PrinterHandle {
 public:
  explicit PrinterHandle(const QString& printer) : m_name(printer.toStdWString()) {
    if (!OpenPrinterW(m_name.data(), &m_handle, nullptr)) {
      m_error = GetLastError();
      m_handle = nullptr;
    }
  }
  ~PrinterHandle() {
    if (m_handle != nullptr) ClosePrinter(m_handle);
  }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;

  HANDLE Get() const { return m_handle; }
  wchar_t* Name() { return m_name.data(); }
  // Why it could not be opened; never success when it could not.
  DWORD Error() const { return m_error == ERROR_SUCCESS ? ERROR_INVALID_PRINTER_NAME : m_error; }

 private:
  std::wstring m_name;
  HANDLE m_handle = nullptr;
  DWORD m_error = ERROR_SUCCESS;
};

// The last error of a call that failed, never success.
DWORD LastFailure() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

double Millimetres(int pixels, int dpi) {
  return pixels * 25.4 / dpi;
}

// A DEVMODE as the setup gave it, aligned as DEVMODEW needs; empty when
// the bytes hold none.
std::vector<DEVMODEW> DevModeOf(const QByteArray& bytes) {
  if (bytes.size() < static_cast<qsizetype>(sizeof(DEVMODEW))) return {};
  std::vector<DEVMODEW> buffer(static_cast<size_t>(bytes.size()) / sizeof(DEVMODEW) + 1);
  std::memcpy(buffer.data(), bytes.constData(), static_cast<size_t>(bytes.size()));
  return buffer;
}

// A DEVMODE's paper bin as Qt's printer takes it: a driver's own bin by its
// number.
QPrinter::PaperSource SourceOf(short bin) {
  if (bin >= DMBIN_USER) return static_cast<QPrinter::PaperSource>(bin);
  switch (bin) {
    case DMBIN_UPPER:
      return QPrinter::Upper;
    case DMBIN_LOWER:
      return QPrinter::Lower;
    case DMBIN_MIDDLE:
      return QPrinter::Middle;
    case DMBIN_MANUAL:
      return QPrinter::Manual;
    case DMBIN_ENVELOPE:
      return QPrinter::Envelope;
    case DMBIN_ENVMANUAL:
      return QPrinter::EnvelopeManual;
    case DMBIN_TRACTOR:
      return QPrinter::Tractor;
    case DMBIN_SMALLFMT:
      return QPrinter::SmallFormat;
    case DMBIN_LARGEFMT:
      return QPrinter::LargeFormat;
    case DMBIN_LARGECAPACITY:
      return QPrinter::LargeCapacity;
    case DMBIN_CASSETTE:
      return QPrinter::Cassette;
    case DMBIN_FORMSOURCE:
      return QPrinter::FormSource;
    default:
      return QPrinter::Auto;
  }
}

// What the printer setup chose beyond the paper, which travels as the
// job's page; never its orientation.
void ApplyDevMode(QPrinter& printer, const DEVMODEW& devMode) {
  if ((devMode.dmFields & DM_DEFAULTSOURCE) != 0) {
    printer.setPaperSource(SourceOf(devMode.dmDefaultSource));
  }
  if ((devMode.dmFields & DM_DUPLEX) != 0) {
    printer.setDuplex(devMode.dmDuplex == DMDUP_VERTICAL     ? QPrinter::DuplexLongSide
                      : devMode.dmDuplex == DMDUP_HORIZONTAL ? QPrinter::DuplexShortSide
                                                             : QPrinter::DuplexNone);
  }
  if ((devMode.dmFields & DM_COLOR) != 0) {
    printer.setColorMode(devMode.dmColor == DMCOLOR_COLOR ? QPrinter::Color : QPrinter::GrayScale);
  }
}

// What the job asks beyond its page, as QPrinter takes it.
void ApplyOptions(QPrinter& printer, const JobOptions& options) {
  printer.setCopyCount(std::max(options.copies, 1));
  printer.setCollateCopies(options.collate);
  switch (options.sides) {
    case PrintSides::OneSided:
      printer.setDuplex(QPrinter::DuplexNone);
      break;
    case PrintSides::LongEdge:
      printer.setDuplex(QPrinter::DuplexLongSide);
      break;
    case PrintSides::ShortEdge:
      printer.setDuplex(QPrinter::DuplexShortSide);
      break;
    case PrintSides::PrinterDefault:
      break;
  }
  switch (options.colour) {
    case PrintColour::Colour:
      printer.setColorMode(QPrinter::Color);
      break;
    case PrintColour::Greyscale:
      printer.setColorMode(QPrinter::GrayScale);
      break;
    case PrintColour::PrinterDefault:
      break;
  }
  bool numbered = false;
  const int source = options.source.toInt(&numbered);
  if (numbered) printer.setPaperSource(static_cast<QPrinter::PaperSource>(source));
}

class Win32Spooler final : public WindowsSpooler {
 public:
  unsigned long Check() override {
    DWORD needed = 0;
    DWORD returned = 0;
    if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &returned)) {
      return ERROR_SUCCESS;
    }
    const DWORD error = LastFailure();
    // Printers to list: the spooler answered.
    return error == ERROR_INSUFFICIENT_BUFFER ? ERROR_SUCCESS : error;
  }

  unsigned long DefaultPrinter(QString& printer) override {
    DWORD size = 0;
    if (!GetDefaultPrinterW(nullptr, &size) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
      return LastFailure();
    }
    std::vector<wchar_t> name(size + 1);
    if (!GetDefaultPrinterW(name.data(), &size)) return LastFailure();
    printer = QString::fromWCharArray(name.data());
    return ERROR_SUCCESS;
  }

  unsigned long Printer(const QString& printer, unsigned long& status, unsigned long& attributes,
                        QString& port) override {
    const PrinterHandle handle(printer);
    if (handle.Get() == nullptr) return handle.Error();
    DWORD needed = 0;
    GetPrinterW(handle.Get(), 2, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_2W)) return LastFailure();
    // Whole PRINTER_INFO_2W, aligned as it needs, with its strings after it.
    std::vector<PRINTER_INFO_2W> info(needed / sizeof(PRINTER_INFO_2W) + 1);
    if (!GetPrinterW(handle.Get(), 2, reinterpret_cast<BYTE*>(info.data()),
                     static_cast<DWORD>(info.size() * sizeof(PRINTER_INFO_2W)), &needed)) {
      return LastFailure();
    }
    status = info[0].Status;
    attributes = info[0].Attributes;
    port = info[0].pPortName != nullptr ? QString::fromWCharArray(info[0].pPortName) : QString();
    return ERROR_SUCCESS;
  }

  // The setup's DEVMODE, else the user's default (over the driver's),
  // portrait, and the paper's size, printable area and resolution on a
  // device context of it. A driver that gives no context tells no paper.
  unsigned long DefaultPaper(const QString& printer, const QByteArray& chosen,
                             Paper& paper) override {
    PrinterHandle handle(printer);
    if (handle.Get() == nullptr) return handle.Error();
    std::vector<DEVMODEW> buffer = DevModeOf(chosen);
    if (buffer.empty()) {
      const LONG size =
          DocumentPropertiesW(nullptr, handle.Get(), handle.Name(), nullptr, nullptr, 0);
      if (size < static_cast<LONG>(sizeof(DEVMODEW))) return LastFailure();
      buffer.resize(static_cast<size_t>(size) / sizeof(DEVMODEW) + 1);
      if (DocumentPropertiesW(nullptr, handle.Get(), handle.Name(), buffer.data(), nullptr,
                              DM_OUT_BUFFER) != IDOK) {
        return LastFailure();
      }
    }
    DEVMODEW* devMode = buffer.data();
    devMode->dmOrientation = DMORIENT_PORTRAIT;
    devMode->dmFields |= DM_ORIENTATION;
    if ((devMode->dmFields & DM_PAPERSIZE) != 0) paper.windowsId = devMode->dmPaperSize;
    HDC dc = CreateICW(L"WINSPOOL", handle.Name(), nullptr, devMode);
    if (dc == nullptr) return ERROR_SUCCESS;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const int width = GetDeviceCaps(dc, PHYSICALWIDTH);
    const int height = GetDeviceCaps(dc, PHYSICALHEIGHT);
    const int left = GetDeviceCaps(dc, PHYSICALOFFSETX);
    const int top = GetDeviceCaps(dc, PHYSICALOFFSETY);
    const QRect printable(left, top, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES));
    const int right = width - printable.width() - left;
    const int bottom = height - printable.height() - top;
    DeleteDC(dc);
    if (dpiX <= 0 || dpiY <= 0 || width <= 0 || height <= 0) return ERROR_SUCCESS;
    paper.size = QSizeF(Millimetres(width, dpiX), Millimetres(height, dpiY));
    paper.margins = QMarginsF(Millimetres(left, dpiX), Millimetres(top, dpiY),
                              Millimetres(right, dpiX), Millimetres(bottom, dpiY));
    paper.resolution = std::max(dpiX, dpiY);
    if (dpiX == dpiY) paper.printable = printable;
    return ERROR_SUCCESS;
  }

  // Qt's native printer opens the printer, reads its DEVMODE and makes a
  // device context as it is made: all of it here, on the asking thread.
  PrintReply Print(Deadline deadline, const PrintJob& job, const QByteArray& chosen) override {
    QPicture picture;
    picture.setData(job.document.constData(), static_cast<uint>(job.document.size()));
    if (picture.isNull()) return PrintReply::Failed;
    // A printer Qt cannot open becomes its default, or a PDF file.
    QPrinter printer(QPrinterInfo::printerInfo(job.printer), QPrinter::HighResolution);
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != job.printer) {
      return Clock::now() < deadline ? PrintReply::NoPrinter : PrintReply::NoAnswer;
    }
    printer.setDocName(job.title);
    if (!job.file.isEmpty()) printer.setOutputFileName(job.file);
    const std::vector<DEVMODEW> devMode = DevModeOf(chosen);
    if (!devMode.empty()) ApplyDevMode(printer, devMode.front());
    ApplyOptions(printer, job.options);
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!printer.setPageSize(job.page.layout.pageSize())) return PrintReply::Unsupported;
    // Drawn from the paper's corner, so that the page lands on the
    // printable area it was drawn for, whatever margins Qt would keep.
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF());
    // Nothing goes to the spooler once the time is up.
    if (Clock::now() >= deadline) return PrintReply::NoAnswer;
    QPainter painter;
    if (!painter.begin(&printer)) return PrintReply::Failed;  // no document started
    const int resolution = printer.resolution();
    const PrinterPage& page = job.page;
    painter.translate(page.printable.isEmpty()
                          ? page.layout.paintRectPixels(resolution).topLeft()
                          : QPointF(page.printable.topLeft()) * resolution / page.resolution);
    // QPicture scales itself by the device's over its own dots per inch;
    // the picture's pixels are the job's.
    painter.scale(
        picture.logicalDpiX() * qreal(resolution) / printer.logicalDpiX() / page.resolution,
        picture.logicalDpiY() * qreal(resolution) / printer.logicalDpiY() / page.resolution);
    painter.drawPicture(0, 0, picture);
    // Qt's engine only warns when EndPage or EndDoc fail; the thread's last
    // error is no witness either (Wine leaves one after a job that printed).
    painter.end();
    return PrintReply::Done;
  }

  unsigned long PrinterSetup(quintptr owner, Choice& choice,
                             const std::function<bool()>& shown) override {
    return ShowPrinterSetup(owner, choice, shown);
  }
};

}  // namespace

std::unique_ptr<WindowsSpooler> MakeWindowsSpooler() {
  return std::make_unique<Win32Spooler>();
}
