#include "wayland_plugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <algorithm>

namespace {

bool IsWayland(const QString& platform) {
  return platform.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive);
}

// The platforms Qt tries, in order, until one starts.
QStringList PlatformsToTry(const DisplayEnvironment& environment) {
  if (!environment.qpaPlatform.isEmpty()) {
    QStringList platforms;
    for (const QString& entry : environment.qpaPlatform.split(u';', Qt::SkipEmptyParts)) {
      // An entry may carry options after a colon, as in "wayland:nohighdpi".
      platforms.append(entry.section(u':', 0, 0).trimmed());
    }
    return platforms;
  }
  // Left to itself, Qt tries Wayland first when a compositor is announced.
  if (environment.wayland) return {QStringLiteral("wayland"), QStringLiteral("xcb")};
  return {};
}

bool HoldsWaylandPlugin(const QString& folder) {
  const QStringList files =
      QDir(folder).entryList({QStringLiteral("*wayland*")}, QDir::Files | QDir::Readable);
  return std::any_of(files.begin(), files.end(),
                     [](const QString& file) { return QLibrary::isLibrary(file); });
}

}  // namespace

DisplayEnvironment CurrentDisplayEnvironment() {
  return {qEnvironmentVariable("QT_QPA_PLATFORM"), !qEnvironmentVariableIsEmpty("DISPLAY"),
          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")};
}

QStringList PlatformPluginFolders() {
  QStringList folders;
  // This one is the platforms folder itself, and Qt searches it first.
  const QString own = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
  if (!own.isEmpty()) folders.append(own);
  // QT_PLUGIN_PATH and Qt's own plugin folder, as Qt itself will search them.
  for (const QString& path : QCoreApplication::libraryPaths()) {
    folders.append(path + QStringLiteral("/platforms"));
  }
  return folders;
}

bool LacksWaylandPlugin(const DisplayEnvironment& environment, const QStringList& pluginFolders) {
  const QStringList platforms = PlatformsToTry(environment);
  if (std::none_of(platforms.begin(), platforms.end(), IsWayland)) return false;
  // Any other platform lets Qt go on without Wayland, except X11 with no X server.
  const bool fallback =
      std::any_of(platforms.begin(), platforms.end(), [&environment](const QString& platform) {
        if (IsWayland(platform)) return false;
        return environment.x11 || platform.compare(QLatin1String("xcb"), Qt::CaseInsensitive) != 0;
      });
  if (fallback) return false;
  return std::none_of(pluginFolders.begin(), pluginFolders.end(), HoldsWaylandPlugin);
}

bool LacksWaylandPlugin() {
  return LacksWaylandPlugin(CurrentDisplayEnvironment(), PlatformPluginFolders());
}
