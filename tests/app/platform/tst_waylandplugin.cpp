// When the program refuses to start for want of Qt's Wayland plugin: only where
// Qt itself would abort, never where Qt finds the plugin or falls back to X11.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include "artifact_dir.h"
#include "wayland_plugin.h"

class TestWaylandPlugin : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void refusesOnlyWhereQtWouldAbort_data();
  void refusesOnlyWhereQtWouldAbort();

 private:
  std::optional<QTemporaryDir> m_folders;
  QString m_missing;
  QString m_empty;
  QString m_withPlugin;
};

void TestWaylandPlugin::initTestCase() {
  QVERIFY(QDir().mkpath(KAKEMARU_ARTIFACT_DIR));
  m_folders.emplace(QStringLiteral(KAKEMARU_ARTIFACT_DIR "/folders-XXXXXX"));
  QVERIFY(m_folders->isValid());
  m_missing = m_folders->filePath(QStringLiteral("missing"));
  m_empty = m_folders->filePath(QStringLiteral("empty"));
  m_withPlugin = m_folders->filePath(QStringLiteral("with-plugin"));
  QVERIFY(QDir().mkpath(m_empty));
  QVERIFY(QDir().mkpath(m_withPlugin));
  // Neither of these is a plugin: Qt would not load them.
  for (const char* name : {"wayland-notes.txt", "libqxcb.so"}) {
    QFile file(m_empty + u'/' + QLatin1String(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  QFile plugin(m_withPlugin + QStringLiteral("/libqwayland-generic.so"));
  QVERIFY(plugin.open(QIODevice::WriteOnly));
}

void TestWaylandPlugin::refusesOnlyWhereQtWouldAbort_data() {
  QTest::addColumn<QString>("qpaPlatform");
  QTest::addColumn<bool>("x11");
  QTest::addColumn<bool>("wayland");
  QTest::addColumn<bool>("refused");

  // What Qt 6.4 does without the plugin, tried with the plugin folder hidden.
  QTest::newRow("wayland session only") << QString() << false << true << true;
  QTest::newRow("wayland session with X11") << QString() << true << true << false;
  QTest::newRow("wayland asked for") << QStringLiteral("wayland") << false << true << true;
  QTest::newRow("wayland asked for, X11 there")
      << QStringLiteral("wayland") << true << true << true;
  QTest::newRow("wayland-egl with options")
      << QStringLiteral("wayland-egl:nohighdpi") << false << true << true;
  QTest::newRow("wayland then X11") << QStringLiteral("wayland;xcb") << true << true << false;
  QTest::newRow("wayland then X11, no X") << QStringLiteral("wayland;xcb") << false << true << true;
  QTest::newRow("X11 first, no X") << QStringLiteral("xcb;wayland") << false << true << true;
  QTest::newRow("wayland then offscreen")
      << QStringLiteral("wayland;offscreen") << false << true << false;
  QTest::newRow("X11 asked for") << QStringLiteral("xcb") << true << true << false;
  QTest::newRow("offscreen") << QStringLiteral("offscreen") << false << false << false;
  // No display at all is for the program's other check to report.
  QTest::newRow("no display at all") << QString() << false << false << false;
}

void TestWaylandPlugin::refusesOnlyWhereQtWouldAbort() {
  QFETCH(QString, qpaPlatform);
  QFETCH(bool, x11);
  QFETCH(bool, wayland);
  QFETCH(bool, refused);
  const DisplayEnvironment environment{qpaPlatform, x11, wayland};
  QCOMPARE(LacksWaylandPlugin(environment, {m_missing, m_empty}), refused);
  QVERIFY(!LacksWaylandPlugin(environment, {m_missing, m_empty, m_withPlugin}));
}

QTEST_APPLESS_MAIN(TestWaylandPlugin)
#include "tst_waylandplugin.moc"
