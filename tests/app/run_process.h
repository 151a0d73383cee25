#pragma once

#include <QDebug>
#include <QProcess>

#include <optional>

// What a program printed on standard output, or nothing when it failed; its
// standard error goes to the test log then.
inline std::optional<QByteArray> RunProcess(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    qWarning().noquote() << program << arguments << process.readAllStandardError();
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}
