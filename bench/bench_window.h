#pragma once

// The main window as the benchmarks use it: the real print service, a
// notifier that keeps the error messages instead of showing boxes, and the
// options of an eighty-question sheet.

#include <QCheckBox>
#include <QRadioButton>
#include <QStringList>

#include <memory>

#include "fmain.h"
#include "notifier.h"
#include "option_group.h"
#include "system_print_service.h"

class ErrorNotifier : public Notifier {
 public:
  void Refusal(QWidget* /*parent*/, const QString& /*message*/) override {}
  void Error(QWidget* /*parent*/, const QString& message) override { errors << message; }
  QStringList errors;
};

struct BenchWindow {
  ErrorNotifier notifier;
  std::shared_ptr<PrintService> printService = MakeSystemPrintService();
  TForm1 form{notifier, printService};
};

// All ten tables, "８０問", in random order.
inline void ChooseEightyQuestions(TForm1& form) {
  for (int table = 0; table < 10; ++table) {
    form.findChild<QCheckBox*>(QStringLiteral("D%1").arg(table))->click();
  }
  form.findChild<OptionGroup*>(QStringLiteral("QNumCheck"))->Item(11)->click();
  form.findChild<OptionGroup*>(QStringLiteral("RandomCheck"))->Item(2)->click();
}
