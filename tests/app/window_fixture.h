#pragma once

#include <QLineEdit>
#include <QtTest>

#include <memory>

#include "fmain.h"
#include "option_group.h"
#include "recording_notifier.h"
#include "system_print_service.h"

// The main window as the window tests use it: made afresh for each test with
// a recording notifier in place of the modal boxes, shown and exposed.
class WindowFixture {
 protected:
  void OpenWindow() { OpenWindow(m_systemService); }
  // The test's own service outlives the window and its requests.
  void OpenWindow(PrintService& service) {
    OpenWindow(std::shared_ptr<PrintService>(std::shared_ptr<PrintService>(), &service));
  }
  void OpenWindow(std::shared_ptr<PrintService> service) {
    m_notifier = RecordingNotifier();
    m_form = new TForm1(m_notifier, std::move(service));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
  }
  void ActivateWindow() {
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
  }
  void CloseWindow() {
    delete m_form;
    m_form = nullptr;
  }

  template <typename T>
  T* Find(const char* name) const {
    T* control = m_form->findChild<T*>(QLatin1String(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }
  OptionGroup* Group(const char* name) const { return Find<OptionGroup>(name); }
  void Click(const char* name) const { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
  QString Edit1() const { return Find<QLineEdit>("Edit1")->text(); }

  // The program's own print service; the tests give it none to reach.
  std::shared_ptr<PrintService> m_systemService = MakeSystemPrintService();
  RecordingNotifier m_notifier;
  TForm1* m_form = nullptr;
};
