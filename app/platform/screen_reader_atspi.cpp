#include "screen_reader.h"

#include <QByteArray>
#include <QtGlobal>

void ReachScreenReadersStartedLater() {
  // Qt reads it once, when its bridge first finds the accessibility bus: as the
  // window is built, or when the bus starts after the program.
  qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}
