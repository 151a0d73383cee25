#include <QApplication>

#include <cstdio>
#include <memory>

#include "application_identity.h"
#include "cp932_codec.h"
#include "fmain.h"
#include "held_keys.h"
#include "message_boxes.h"
#include "program_names.h"
#include "qt_translations.h"
#include "screen_reader.h"
#include "system_print_service.h"
#include "wayland_plugin.h"

namespace {

// On X11 and Wayland systems, without any display Qt would abort with a
// message about plugins; say plainly what is missing instead. Windows and macOS
// always have their own window system.
bool HasDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
  const DisplayEnvironment display = CurrentDisplayEnvironment();
  return display.x11 || display.wayland || !display.qpaPlatform.isEmpty();
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs(KAKEMARU_NAME
               " needs a graphical display (X11 or Wayland); none was found.\n"
               "Start it from a desktop session, or under xvfb-run for a virtual one.\n",
               stderr);
    return 1;
  }
  // Without qt6-wayland Qt would abort, telling the user to reinstall the program.
  if (LacksWaylandPlugin()) {
    std::fputs(
        KAKEMARU_NAME
        " cannot open its window on Wayland: Qt's Wayland support is not\n"
        "installed. Install the package qt6-wayland (apt install qt6-wayland).\n"
        "Wayland で表示するには qt6-wayland パッケージが必要です。インストールしてください。\n",
        stderr);
    return 1;
  }
  // Every text of the page and of the messages is code page 932.
  if (!ActiveCp932Converter()) {
    std::fputs(KAKEMARU_NAME
               " cannot convert its Japanese texts: neither Qt (built without ICU)\n"
               "nor the C library's iconv knows code page 932 (CP932).\n"
               "日本語の文字コード (CP932) を変換できないため、起動できません。\n",
               stderr);
    return 1;
  }
  ReachScreenReadersStartedLater();
  QApplication application(argc, argv);
  ApplyApplicationIdentity();
  PressHeldKeysOnce();

  InstallJapaneseQtTranslations();

  MessageBoxes messageBoxes;
  // Shared with a print request that may outlive the window, stalled in the
  // service when the program closes.
  TForm1 form(messageBoxes, MakeSystemPrintService());
  form.show();
  return QApplication::exec();
}
