#pragma once

#include <QString>
#include <QStringList>

// What Qt goes by when it chooses the window system at start.
struct DisplayEnvironment {
  QString qpaPlatform;   // QT_QPA_PLATFORM: platform names separated by ';'
  bool x11 = false;      // DISPLAY is set
  bool wayland = false;  // WAYLAND_DISPLAY is set
};

DisplayEnvironment CurrentDisplayEnvironment();

// The folders Qt looks in for platform plugins, in its order.
QStringList PlatformPluginFolders();

// True when Qt would start on Wayland with nothing to fall back to, and none of
// the folders holds a Wayland platform plugin: Qt itself would abort.
bool LacksWaylandPlugin(const DisplayEnvironment& environment, const QStringList& pluginFolders);

// The same for this process's environment and Qt's folders. Call it before the
// application object exists.
bool LacksWaylandPlugin();
