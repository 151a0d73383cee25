#pragma once

#include <QDialog>

#include <memory>
#include <optional>

#include "printer_setup.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

// The program's own printer setup, "印刷の設定": the printer, or a PDF file
// with its name, the paper and the paper source. What it offers comes from
// the service through SetupQuestions, never from the window's thread. Each
// combo box is named by its label, and reads as its current item.
class PrinterSetupDialog final : public QDialog {
  Q_OBJECT

 public:
  // The item of the printer box that prints into a PDF file.
  static const QString kPdfFile;

  PrinterSetupDialog(SetupQuestions& service, const PrinterList& printers, QWidget* parent);

  // Shows the choice, or the default printer; the service's reply when it
  // could not tell the printer's papers.
  PrintReply Show(const std::optional<PrinterChoice>& current);
  PrinterChoice Choice() const;
  // Why the dialog closed itself: the service failed while it was open.
  PrintReply Failure() const { return m_failure; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool PdfChosen() const;
  PrintReply LoadPapers(const PrinterChoice* current);
  void PrinterChanged();
  void Browse();
  void UpdateOk();

  SetupQuestions& m_service;
  QComboBox* m_printer = nullptr;
  QLineEdit* m_file = nullptr;
  QPushButton* m_browse = nullptr;
  QComboBox* m_paper = nullptr;
  QComboBox* m_source = nullptr;
  QDialogButtonBox* m_buttons = nullptr;
  PrinterPapers m_papers;
  PrintReply m_failure = PrintReply::Done;
};

// The program's own setup, around this dialog.
std::unique_ptr<PrinterSetup> MakeProgramPrinterSetup();
