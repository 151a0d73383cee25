#include "windows_printer_setup.h"

#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <winspool.h>

#include "printer_setup_dialog.h"
#include "windows_print_service.h"

namespace {

// What the window's thread and the dialog's share.
struct SetupState {
  enum class Phase { Starting, Shown, Closed, Abandoned };

  std::mutex mutex;
  std::condition_variable changed;
  Phase phase = Phase::Starting;  // under mutex
  WindowsSpooler::Choice choice;  // under mutex
  unsigned long error = ERROR_SUCCESS;
};

using Phase = SetupState::Phase;

// How often the window's thread looks whether the shown dialog has closed:
// the dialog's thread may outlive the window, so it posts nothing to it.
constexpr std::chrono::milliseconds kClosedPoll{20};

// The dialog's hook learns through its thread whom to tell it shows: one
// dialog per thread.
thread_local const std::function<bool()>* t_shown = nullptr;

UINT_PTR CALLBACK SetupHook(HWND dialog, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message != WM_INITDIALOG) return 0;
  // Nobody waits for it any more: ended as cancelled.
  if (t_shown != nullptr && !(*t_shown)()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return TRUE;  // the dialog sets the first focus itself
}

// Whether the spooler lists a printer at all: without one, Wine's dialog
// says so in a box of its own before it shows.
bool AnyPrinter() {
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &returned);
  return needed > 0;
}

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL global = GlobalAlloc(GHND, size);
  if (global == nullptr) return nullptr;
  std::memcpy(GlobalLock(global), data, size);
  GlobalUnlock(global);
  return global;
}

// DEVNAMES: the offsets, in characters, of the driver's, the printer's and
// the port's names that follow it.
HGLOBAL DevNamesOf(const QString& printer, const QString& port) {
  const std::wstring names = std::wstring(L"winspool") + L'\0' + printer.toStdWString() + L'\0' +
                             port.toStdWString() + L'\0';
  constexpr size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
  const DEVNAMES offsets{static_cast<WORD>(header), static_cast<WORD>(header + 9),
                         static_cast<WORD>(header + 9 + static_cast<size_t>(printer.size()) + 1),
                         0};
  std::vector<wchar_t> block(header + names.size());
  std::memcpy(block.data(), &offsets, sizeof(offsets));
  std::memcpy(block.data() + header, names.data(), names.size() * sizeof(wchar_t));
  return GlobalCopy(block.data(), block.size() * sizeof(wchar_t));
}

void ReadChoice(HGLOBAL devNames, HGLOBAL devMode, WindowsSpooler::Choice& choice) {
  if (devNames != nullptr) {
    const auto* names = static_cast<const wchar_t*>(GlobalLock(devNames));
    DEVNAMES offsets;
    std::memcpy(&offsets, names, sizeof(offsets));
    choice.printer = QString::fromWCharArray(names + offsets.wDeviceOffset);
    choice.port = QString::fromWCharArray(names + offsets.wOutputOffset);
    GlobalUnlock(devNames);
  }
  choice.devMode.clear();
  if (devMode != nullptr) {
    const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
    choice.devMode = QByteArray(reinterpret_cast<const char*>(mode),
                                mode->dmSize + static_cast<qsizetype>(mode->dmDriverExtra));
    GlobalUnlock(devMode);
  }
}

}  // namespace

unsigned long ShowPrinterSetup(quintptr owner, WindowsSpooler::Choice& choice,
                               const std::function<bool()>& shown) {
  if (!AnyPrinter()) return ERROR_FILE_NOT_FOUND;
  // A printer chosen before that is gone: the dialog starts again from the
  // default printer.
  for (bool fromChoice = !choice.printer.isEmpty();; fromChoice = false) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = reinterpret_cast<HWND>(owner);
    // Wine calls the print dialog's hook in the setup dialog too.
    dialog.Flags = PD_PRINTSETUP | PD_ENABLESETUPHOOK | PD_ENABLEPRINTHOOK | PD_NOWARNING;
    dialog.lpfnSetupHook = SetupHook;
    dialog.lpfnPrintHook = SetupHook;
    if (fromChoice) {
      dialog.hDevNames = DevNamesOf(choice.printer, choice.port);
      if (!choice.devMode.isEmpty()) {
        dialog.hDevMode =
            GlobalCopy(choice.devMode.constData(), static_cast<size_t>(choice.devMode.size()));
      }
    }
    t_shown = &shown;
    const bool chosen = PrintDlgW(&dialog) != FALSE;
    t_shown = nullptr;
    const DWORD failure = chosen ? 0 : CommDlgExtendedError();
    if (chosen) ReadChoice(dialog.hDevNames, dialog.hDevMode, choice);
    if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
    if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
    if (chosen) return choice.printer.isEmpty() ? ERROR_INVALID_PRINTER_NAME : ERROR_SUCCESS;
    switch (failure) {
      case 0:
        return ERROR_CANCELLED;
      case PDERR_PRINTERNOTFOUND:
        if (fromChoice) continue;
        return ERROR_FILE_NOT_FOUND;
      case PDERR_NODEFAULTPRN:
      case PDERR_NODEVICES:
        return ERROR_FILE_NOT_FOUND;
      default:
        return ERROR_GEN_FAILURE;
    }
  }
}

unsigned long RunPrinterSetup(const std::shared_ptr<WindowsSpooler>& spooler,
                              SetupQuestions& service, QWidget* parent,
                              WindowsSpooler::Choice& choice) {
  auto state = std::make_shared<SetupState>();
  state->choice = choice;
  const quintptr owner = parent != nullptr ? parent->window()->winId() : 0;
  // It owns what it uses: a stalled spooler may hold it past the window.
  std::thread([spooler, state, owner] {
    WindowsSpooler::Choice chosen;
    {
      const std::lock_guard lock(state->mutex);
      chosen = state->choice;
    }
    const unsigned long error = spooler->PrinterSetup(owner, chosen, [&state] {
      const std::lock_guard lock(state->mutex);
      if (state->phase == Phase::Abandoned) return false;
      state->phase = Phase::Shown;
      state->changed.notify_all();
      return true;
    });
    const std::lock_guard lock(state->mutex);
    if (state->phase == Phase::Abandoned) return;
    state->choice = std::move(chosen);
    state->error = error;
    state->phase = Phase::Closed;
    state->changed.notify_all();
  }).detach();

  service.WaitFor([state](PrintService::Deadline deadline) {
    std::unique_lock lock(state->mutex);
    return state->changed.wait_until(lock, deadline,
                                     [&state] { return state->phase != Phase::Starting; });
  });
  {
    const std::lock_guard lock(state->mutex);
    if (state->phase == Phase::Starting) {
      state->phase = Phase::Abandoned;
      return WAIT_TIMEOUT;
    }
  }

  QEventLoop loop;
  QTimer poll;
  const auto closed = [&state] {
    const std::lock_guard lock(state->mutex);
    return state->phase == Phase::Closed;
  };
  QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &closed] {
    if (closed()) loop.quit();
  });
  poll.start(kClosedPoll);
  if (!closed()) loop.exec();
  const std::lock_guard lock(state->mutex);
  // The program quits with the dialog still open: nothing was chosen.
  if (state->phase != Phase::Closed) {
    state->phase = Phase::Abandoned;
    return ERROR_CANCELLED;
  }
  if (state->error == ERROR_SUCCESS) choice = state->choice;
  return state->error;
}

PrintAnswer<std::optional<PrinterChoice>> WindowsPrinterSetup::Run(
    QWidget* parent, const std::optional<PrinterChoice>& /*current*/, SetupQuestions& service) {
  WindowsSpooler::Choice choice = m_service->Chosen().value_or(WindowsSpooler::Choice());
  switch (RunPrinterSetup(m_service->Spooler(), service, parent, choice)) {
    case ERROR_SUCCESS:
      m_service->Choose(std::move(choice));
      return {PrintReply::Done, std::nullopt};
    case ERROR_CANCELLED:
      return {PrintReply::Done, std::nullopt};
    case WAIT_TIMEOUT:
      return {PrintReply::NoAnswer, std::nullopt};
    case ERROR_FILE_NOT_FOUND:
      return {PrintReply::NoPrinter, std::nullopt};
    default:
      return {PrintReply::Failed, std::nullopt};
  }
}

// The spooler's own dialog sets up the spooler; another service (a scripted
// one) is set up through the program's dialog.
std::unique_ptr<PrinterSetup> MakePrinterSetup(const std::shared_ptr<PrintService>& service) {
  if (auto windows = std::dynamic_pointer_cast<WindowsPrintService>(service)) {
    return std::make_unique<WindowsPrinterSetup>(std::move(windows));
  }
  return MakeProgramPrinterSetup();
}
