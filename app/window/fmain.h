#pragma once

// The main window, TForm1.
//
// Every option of a sheet lives in one of its controls: the table boxes
// D0..D9, the option groups ImportantDan, QNumCheck, RandomCheck,
// JousuuCheck, rgSquare, rgMulti and rgNum, and the number box Edit1. The
// window keeps their values in a form::OptionState; its handlers (DanClick,
// ImportantDanClick, QNumCheckClick, rgSquareEnter, rgMultiEnter) hand each
// change to the form library's rules and show what those changed.
//
// The current sheet and its number belong to a form::SheetSession.
// PreviewBtnClick has it make a new sheet from the options and the number of
// Edit1, and draws the answer sheet in PaintBox1. The options of rgSquare,
// rgMulti and rgNum are read at every drawing, not kept with the sheet.
// Every later repaint (PaintBox1Paint) draws the question sheet.
// PrintBtnClick and PrintAnsBtnClick send the current sheet, questions or
// questions then answers, through the print service to the current printer
// of the SheetPrinter and count the sheet number up; btnSetPrnClick opens the
// printer setup. Refusals and failures reach the user through the Notifier.
// For screen readers, the preview also keeps the sheet as text (ReadSheet),
// and a notice tells what each command did.

#include <QWidget>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>

#include "font_cache.h"
#include "form/captions.h"
#include "form/option_rules.h"
#include "form/sheet_session.h"
#include "qt_platform_text.h"
#include "sheet_printer.h"
#include "worksheet/sheet.h"

class GroupBox;
class NewsNotice;
class Notifier;
class PreviewArea;
class PrintService;
class OptionGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  TForm1(Notifier& notifier, std::shared_ptr<PrintService> printService, QWidget* parent = nullptr);
  ~TForm1() override;

  worksheet::TableMask TableMask() const { return m_options.tables; }
  std::int32_t PrintNumber() const { return m_session.PrintNumber(); }
  bool SheetExists() const { return m_session.SheetExists(); }
  const worksheet::Sheet& CurrentSheet() const { return m_session.CurrentSheet(); }

 signals:
  // After each drawing of the preview, with the sheet it showed.
  void PreviewDrawn(int drawMode);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateLabels(const QString& gothic, const QFont& controlFont);
  void CreateOptionGroups(const QFont& controlFont);
  void CreateButtons(const QFont& buttonFont);
  void CreatePreview();
  void ConnectHandlers();
  void DescribeControls();
  void SetTabOrder();
  void FormCreate();
  QSize OuterSize() const;

  void DanClick(QCheckBox* box);
  void CheckBoxClick(QCheckBox* box);
  void ImportantDanClick();
  void QNumCheckClick();
  void rgSquareEnter();
  void rgMultiEnter();
  void ShowOptions(unsigned changed);
  void SetBack(OptionGroup* group, form::GroupIndex captions);
  void PreviewBtnClick();
  void PaintBox1Paint(QPainter& painter);
  void PrintBtnClick();
  void PrintAnsBtnClick();
  void btnSetPrnClick();
  void RunCommand(void (TForm1::*handler)());
  std::optional<std::int32_t> PrintSheets(std::initializer_list<int> drawModes);
  void ReadSheet();
  QString SheetSummary() const;

  Notifier& m_notifier;
  QtPlatformText m_platformText;
  FontCache m_fonts;
  SheetPrinter m_printer;

  QLabel* Label2 = nullptr;
  GroupBox* GroupBox1 = nullptr;
  std::array<QCheckBox*, 10> m_danBoxes{};
  OptionGroup* ImportantDan = nullptr;
  OptionGroup* QNumCheck = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  OptionGroup* RandomCheck = nullptr;
  OptionGroup* JousuuCheck = nullptr;
  OptionGroup* rgSquare = nullptr;
  OptionGroup* rgMulti = nullptr;
  OptionGroup* rgNum = nullptr;
  QPushButton* btnSetPrn = nullptr;
  QPushButton* PreviewBtn = nullptr;
  QPushButton* PrintBtn = nullptr;
  QPushButton* PrintAnsBtn = nullptr;
  QPushButton* QuitBtn = nullptr;
  QFrame* Bevel1 = nullptr;
  PreviewArea* PaintBox1 = nullptr;
  NewsNotice* m_news = nullptr;

  form::OptionState m_options;
  form::SheetSession m_session{worksheet::RandomSource(0)};
  bool m_showingOptions = false;  // the rules' changes reach the controls
  bool m_centred = false;
  bool m_commandRunning = false;
  bool m_closeAsked = false;
};
