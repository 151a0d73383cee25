#include "printer_setup_dialog.h"

#include "application_identity.h"
#include "pdf_file.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A label that names its field for screen readers, and moves the focus to it.
QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(field);
  QString name = text;
  name.remove(QRegularExpression(QStringLiteral(R"(\(&.\)|&|:)")));
  field->setAccessibleName(name);
  return label;
}

// Orca reads a combo box's value from its selected item, which Qt 6.4 does
// not report: the current item is told as the focus, when the box gets the
// focus and whenever the item changes under it.
void TellCurrentItem(QComboBox* box) {
  if (!box->hasFocus() || !QAccessible::isActive()) return;
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(box->view());
  QAccessibleInterface* item = list == nullptr ? nullptr : list->child(box->currentIndex());
  if (item == nullptr) return;
  QAccessibleEvent focus(item, QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

}  // namespace

const QString PrinterSetupDialog::kPdfFile = QStringLiteral("PDF ファイルに出力");

PrinterSetupDialog::PrinterSetupDialog(SetupQuestions& service, const PrinterList& printers,
                                       QWidget* parent)
    : QDialog(parent), m_service(service) {
  setWindowTitle(QStringLiteral("印刷の設定"));
  m_printer = new QComboBox(this);
  m_printer->addItems(printers.printers);
  m_printer->addItem(kPdfFile);
  m_file = new QLineEdit(this);
  m_browse = new QPushButton(QStringLiteral("参照(&B)..."), this);
  m_browse->setAccessibleDescription(QStringLiteral("PDF ファイルの名前と場所を選びます"));
  m_paper = new QComboBox(this);
  m_source = new QComboBox(this);
  m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("設定"));
  m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(m_file, 1);
  fileRow->addWidget(m_browse);
  auto* form = new QFormLayout;
  form->addRow(FieldLabel(QStringLiteral("プリンタ(&P):"), m_printer, this), m_printer);
  form->addRow(FieldLabel(QStringLiteral("ファイル名(&F):"), m_file, this), fileRow);
  form->addRow(FieldLabel(QStringLiteral("用紙(&A):"), m_paper, this), m_paper);
  form->addRow(FieldLabel(QStringLiteral("給紙方法(&S):"), m_source, this), m_source);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_buttons);
  m_printer->setMinimumContentsLength(24);

  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_browse, &QPushButton::clicked, this, &PrinterSetupDialog::Browse);
  connect(m_file, &QLineEdit::textChanged, this, &PrinterSetupDialog::UpdateOk);

  for (QComboBox* box : {m_printer, m_paper, m_source}) {
    box->installEventFilter(this);
    connect(box, &QComboBox::currentIndexChanged, this, [box] { TellCurrentItem(box); });
  }

  const int defaultIndex = m_printer->findText(printers.defaultPrinter);
  m_printer->setCurrentIndex(defaultIndex >= 0 ? defaultIndex : 0);
}

bool PrinterSetupDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    auto* box = static_cast<QComboBox*>(watched);
    QMetaObject::invokeMethod(
        box, [box] { TellCurrentItem(box); }, Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

bool PrinterSetupDialog::PdfChosen() const {
  return m_printer->currentIndex() == m_printer->count() - 1;
}

PrintReply PrinterSetupDialog::Show(const std::optional<PrinterChoice>& current) {
  if (current) {
    const int index =
        current->printer.isEmpty() ? m_printer->count() - 1 : m_printer->findText(current->printer);
    if (index >= 0) m_printer->setCurrentIndex(index);
    if (!current->file.isEmpty()) m_file->setText(QDir::toNativeSeparators(current->file));
  }
  const PrintReply reply = LoadPapers(current ? &*current : nullptr);
  connect(m_printer, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::PrinterChanged);
  return reply;
}

// The papers and sources of the chosen printer, the current choice's
// selected where it was made on this printer, else the printer's defaults.
PrintReply PrinterSetupDialog::LoadPapers(const PrinterChoice* current) {
  if (PdfChosen()) {
    m_papers = PdfPapers();
  } else {
    const PrintAnswer<PrinterPapers> answer = m_service.Papers(m_printer->currentText());
    if (answer.reply != PrintReply::Done) return answer.reply;
    m_papers = answer.value;
  }
  const bool sameTarget =
      current != nullptr &&
      (PdfChosen() ? current->printer.isEmpty() : current->printer == m_printer->currentText());
  m_paper->clear();
  qsizetype paperIndex = -1;
  for (qsizetype index = 0; index < m_papers.papers.size(); ++index) {
    const PrinterItem& paper = m_papers.papers.at(index).paper;
    m_paper->addItem(paper.text);
    if (sameTarget && paperIndex < 0 && paper.name == current->options.paper) paperIndex = index;
  }
  if (paperIndex < 0) paperIndex = m_papers.defaultPaper;
  m_paper->setCurrentIndex(static_cast<int>(paperIndex));
  m_source->clear();
  // Without sources to choose, the printer chooses.
  if (m_papers.sources.isEmpty()) {
    m_source->addItem(QStringLiteral("自動"));
  } else {
    qsizetype sourceIndex = -1;
    for (qsizetype index = 0; index < m_papers.sources.size(); ++index) {
      const PrinterItem& source = m_papers.sources.at(index);
      m_source->addItem(source.text);
      if (sameTarget && sourceIndex < 0 && source.name == current->options.source) {
        sourceIndex = index;
      }
    }
    if (sourceIndex < 0) sourceIndex = std::max<qsizetype>(m_papers.defaultSource, 0);
    m_source->setCurrentIndex(static_cast<int>(sourceIndex));
  }
  m_source->setEnabled(m_papers.sources.size() > 1);
  // A name to start from: the user may keep it. Orca says nothing of an
  // empty line edit that gets the focus, not even its name.
  if (PdfChosen() && m_file->text().isEmpty()) {
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    const QDir folder = documents.exists() ? documents : QDir::home();
    m_file->setText(
        QDir::toNativeSeparators(folder.filePath(kProgramTitle + QStringLiteral(".pdf"))));
  }
  m_file->setEnabled(PdfChosen());
  m_browse->setEnabled(PdfChosen());
  UpdateOk();
  return PrintReply::Done;
}

// A printer whose papers the service cannot tell in time closes the setup:
// the window tells why.
void PrinterSetupDialog::PrinterChanged() {
  m_failure = LoadPapers(nullptr);
  if (m_failure != PrintReply::Done) reject();
}

void PrinterSetupDialog::Browse() {
  const QString chosen = QFileDialog::getSaveFileName(
      this, kPdfFile, m_file->text(), QStringLiteral("PDF ファイル (*.pdf);;すべてのファイル (*)"));
  if (!chosen.isEmpty()) m_file->setText(QDir::toNativeSeparators(chosen));
}

// A PDF file needs its name.
void PrinterSetupDialog::UpdateOk() {
  m_buttons->button(QDialogButtonBox::Ok)
      ->setEnabled(!PdfChosen() || !m_file->text().trimmed().isEmpty());
}

PrinterChoice PrinterSetupDialog::Choice() const {
  PrinterChoice choice;
  if (PdfChosen()) {
    choice.file = QDir::fromNativeSeparators(m_file->text().trimmed());
    if (QFileInfo(choice.file).suffix().isEmpty()) choice.file += QStringLiteral(".pdf");
  } else {
    choice.printer = m_printer->currentText();
  }
  const int paper = m_paper->currentIndex();
  if (paper >= 0 && paper < m_papers.papers.size()) {
    choice.page = m_papers.papers.at(paper).page;
    choice.options.paper = m_papers.papers.at(paper).paper.name;
  }
  const int source = m_source->currentIndex();
  if (source >= 0 && source < m_papers.sources.size()) {
    choice.options.source = m_papers.sources.at(source).name;
  }
  return choice;
}

namespace {

class ProgramPrinterSetup final : public PrinterSetup {
 public:
  PrintAnswer<std::optional<PrinterChoice>> Run(QWidget* parent,
                                                const std::optional<PrinterChoice>& current,
                                                SetupQuestions& service) override {
    PrintAnswer<PrinterList> printers = service.Printers();
    // A build that cannot print on the system's printers still prints to a file.
    if (printers.reply == PrintReply::Unavailable) printers = {PrintReply::Done, {}};
    if (printers.reply != PrintReply::Done) return {printers.reply, std::nullopt};
    PrinterSetupDialog dialog(service, printers.value, parent);
    if (const PrintReply reply = dialog.Show(current); reply != PrintReply::Done) {
      return {reply, std::nullopt};
    }
    if (dialog.exec() != QDialog::Accepted) return {dialog.Failure(), std::nullopt};
    return {PrintReply::Done, dialog.Choice()};
  }
};

}  // namespace

std::unique_ptr<PrinterSetup> MakeProgramPrinterSetup() {
  return std::make_unique<ProgramPrinterSetup>();
}
