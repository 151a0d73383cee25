#include "fmain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

#include "accessible_interfaces.h"
#include "close_icon.h"
#include "command_button.h"
#include "cp932_codec.h"
#include "form/sheet_reading.h"
#include "group_box.h"
#include "news_notice.h"
#include "notifier.h"
#include "option_group.h"
#include "preview_area.h"
#include "printer_icon.h"
#include "program_names.h"
#include "qt_drawing_surface.h"
#include "worksheet/question_count.h"

namespace {

// Laid out for 96 dpi in pixels; the client area of a 670 × 554 window.
constexpr QSize kOuterSize(670, 554);
constexpr QSize kClientSize(662, 527);

// Centred on the screen's free area; where the window does not fit, its
// top-left corner stays on the screen, so that its title bar can be reached.
QPoint PlacedOn(const QRect& available, const QSize& outer) {
  return {available.left() + std::max(0, (available.width() - outer.width()) / 2),
          available.top() + std::max(0, (available.height() - outer.height()) / 2)};
}

QFont PixelFont(const QString& face, int pixels, bool bold = false) {
  QFont font(face);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void Place(QWidget* control, const char* name, const QFont& font, QRect geometry) {
  control->setObjectName(QLatin1String(name));
  control->setFont(font);
  control->setGeometry(geometry);
}

QString Text(std::string_view utf8) {
  return QStringFromUtf8(utf8);
}

// Names and descriptions say what the captions say, in words speech engines read.
void Describe(QWidget* control, const QString& caption, std::string_view description) {
  control->setAccessibleName(SpokenText(caption));
  control->setAccessibleDescription(SpokenText(Text(description)));
}

// Each item tells its place in its group, after what it does where its
// caption alone does not say it.
void DescribeGroup(OptionGroup* group, form::GroupIndex captions) {
  const form::GroupCaptions& words = form::kGroups.at(captions);
  Describe(group, group->Caption(), words.description);
  for (int index = 0; index < group->Count(); ++index) {
    const auto item = static_cast<std::size_t>(index);
    const std::string_view meaning = item < words.meanings.size() ? words.meanings[item] : "";
    Describe(group->Item(index), group->Item(index)->text(),
             form::ItemDescription(meaning, group->Count(), index));
  }
}

QStringList Texts(std::span<const std::string_view> words) {
  QStringList texts;
  for (const std::string_view each : words) texts << Text(each);
  return texts;
}

}  // namespace

TForm1::TForm1(Notifier& notifier, std::shared_ptr<PrintService> printService, QWidget* parent)
    : QWidget(parent), m_notifier(notifier), m_printer(m_fonts, std::move(printService)) {
  InstallAccessibleInterfaces();
  setWindowTitle(QStringLiteral(KAKEMARU_CAPTION));
  resize(kClientSize);
  // The installed faces that stand for these names, looked up once.
  const QString mincho = m_fonts.FamilyFor(QStringFromCp932(render::kMinchoFace));
  const QString gothic = m_fonts.FamilyFor(QStringFromCp932(render::kGothicFace));
  setFont(PixelFont(gothic, 13));
  CreateLabels(gothic, PixelFont(mincho, 16));
  CreateOptionGroups(PixelFont(mincho, 16));
  CreateButtons(PixelFont(mincho, 19));
  CreatePreview();
  DescribeControls();
  // The handlers are connected once every control exists and holds its
  // first state: SetItemIndex runs Click, and the handlers reach controls
  // made after their own; run while building, QNumCheckClick would also
  // disable JousuuCheck, which starts enabled.
  ConnectHandlers();
  SetTabOrder();
  FormCreate();
}

TForm1::~TForm1() = default;

// The heading, the table boxes, and the number box with its label.
void TForm1::CreateLabels(const QString& gothic, const QFont& controlFont) {
  Label2 = new QLabel(Text(form::kHeading), this);
  Place(Label2, "Label2", PixelFont(gothic, 16, true), {8, 4, 297, 16});
  Label2->setStyleSheet(QStringLiteral("color: red"));

  GroupBox1 = new GroupBox(Text(form::kTablesCaption), this);
  Place(GroupBox1, "GroupBox1", controlFont, {8, 24, 177, 125});
  const QStringList tables = Texts(form::kTableLabels);
  for (int table = 0; table < 10; ++table) {
    auto* box = new QCheckBox(tables.at(table), GroupBox1);
    const QByteArray name = "D" + QByteArray::number(table);
    Place(box, name.constData(), controlFont, {table < 5 ? 8 : 96, 20 + (table % 5) * 20, 65, 17});
    box->setProperty("Tag", table);
    m_danBoxes[static_cast<std::size_t>(table)] = box;
  }

  Label3 = new QLabel(Text(form::kNumberLabel), this);
  Place(Label3, "Label3", controlFont, {196, 248, 72, 16});
  Edit1 = new QLineEdit(this);
  Place(Edit1, "Edit1", controlFont, {272, 248, 33, 24});
  // The text after the font: each font change lays out the text again.
  Edit1->setText(QStringLiteral("1"));
}

// Each group starts as the options do; QNumCheck's items are the counts'
// labels of the core.
void TForm1::CreateOptionGroups(const QFont& controlFont) {
  const auto optionGroup = [this](form::GroupIndex captions, const QFont& font, QRect geometry,
                                  int chosen) {
    const form::GroupCaptions& words = form::kGroups.at(captions);
    QStringList items = Texts(words.items);
    if (captions == form::kQNumCheckGroup) {
      for (int index = 0; index < worksheet::kQuestionCountOptionCount; ++index) {
        items << Text(form::QuestionCountLabel(m_platformText, index));
      }
    }
    auto* group = new OptionGroup(Text(words.caption), items, words.columns, this);
    Place(group, std::string(words.name).c_str(), font, geometry);
    group->SetItemIndex(chosen);
    return group;
  };
  ImportantDan = optionGroup(form::kImportantDanGroup, controlFont, {8, 152, 177, 113},
                             m_options.ImportantDan);
  QNumCheck =
      optionGroup(form::kQNumCheckGroup, controlFont, {192, 24, 121, 223}, m_options.QNumCheck);
  QNumCheck->setEnabled(m_options.QNumCheckEnabled);
  RandomCheck =
      optionGroup(form::kRandomCheckGroup, controlFont, {8, 272, 185, 49}, m_options.RandomCheck);
  JousuuCheck =
      optionGroup(form::kJousuuCheckGroup, controlFont, {204, 272, 109, 55}, m_options.JousuuCheck);
  JousuuCheck->setEnabled(m_options.JousuuCheckEnabled);
  rgSquare = optionGroup(form::kRgSquareGroup, font(), {8, 328, 305, 41}, m_options.rgSquare);
  rgMulti = optionGroup(form::kRgMultiGroup, font(), {8, 376, 185, 41}, m_options.rgMulti);
  rgNum = optionGroup(form::kRgNumGroup, font(), {200, 376, 113, 41}, m_options.rgNum);
}

void TForm1::CreateButtons(const QFont& buttonFont) {
  const auto button = [this, &buttonFont](const char* name, const QString& caption,
                                          QRect geometry) {
    auto* pushButton = new CommandButton(caption, this);
    Place(pushButton, name, buttonFont, geometry);
    return pushButton;
  };
  btnSetPrn = button("btnSetPrn", Text(form::kSetupCaption), {16, 424, 129, 25});
  PreviewBtn = button("PreviewBtn", Text(form::kPreviewCaption), {160, 424, 145, 25});
  PreviewBtn->setEnabled(m_options.PreviewEnabled);
  PrintBtn = button("PrintBtn", Text(form::kPrintCaption), {16, 456, 177, 25});
  PrintAnsBtn = button("PrintAnsBtn", Text(form::kPrintAnswersCaption), {16, 488, 177, 25});
  for (QPushButton* print : {PrintBtn, PrintAnsBtn}) {
    print->setIcon(PrinterIcon());
    print->setIconSize({16, 16});
    print->setEnabled(m_options.PrintEnabled);
  }
  QuitBtn = button("QuitBtn", Text(form::kQuitCaption), {224, 456, 81, 57});
  SetCloseIcon(QuitBtn);
  QuitBtn->setIconSize({16, 16});
}

void TForm1::CreatePreview() {
  Bevel1 = new QFrame(this);
  Place(Bevel1, "Bevel1", font(), {320, 48, 337, 457});
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PaintBox1 = new PreviewArea(this);
  Place(PaintBox1, "PaintBox1", font(), {328, 56, 320, 441});
  m_news = new NewsNotice(this);
}

void TForm1::ConnectHandlers() {
  for (QCheckBox* box : m_danBoxes) {
    connect(box, &QCheckBox::toggled, this, [this, box] { DanClick(box); });
  }
  connect(ImportantDan, &OptionGroup::Click, this, &TForm1::ImportantDanClick);
  connect(QNumCheck, &OptionGroup::Click, this, &TForm1::QNumCheckClick);
  connect(rgSquare, &OptionGroup::Enter, this, &TForm1::rgSquareEnter);
  connect(rgMulti, &OptionGroup::Enter, this, &TForm1::rgMultiEnter);
  // The options no rule changes by themselves, kept as the user chooses them
  // (and as the rules set them back).
  const auto keep = [this](OptionGroup* group, std::int32_t form::OptionState::*option) {
    connect(group, &OptionGroup::Click, this,
            [this, group, option] { m_options.*option = group->ItemIndex(); });
  };
  keep(RandomCheck, &form::OptionState::RandomCheck);
  keep(JousuuCheck, &form::OptionState::JousuuCheck);
  keep(rgSquare, &form::OptionState::rgSquare);
  keep(rgMulti, &form::OptionState::rgMulti);
  keep(rgNum, &form::OptionState::rgNum);
  // The sheet reads as it would print: in the form these options give it.
  for (OptionGroup* drawingOption : {rgSquare, rgMulti, rgNum}) {
    connect(drawingOption, &OptionGroup::Click, this, [this] {
      if (m_session.SheetExists()) ReadSheet();
    });
  }
  const auto command = [this](QPushButton* pressed, void (TForm1::*handler)()) {
    connect(pressed, &QPushButton::clicked, this, [this, handler] { RunCommand(handler); });
  };
  command(PreviewBtn, &TForm1::PreviewBtnClick);
  command(PrintBtn, &TForm1::PrintBtnClick);
  command(PrintAnsBtn, &TForm1::PrintAnsBtnClick);
  command(btnSetPrn, &TForm1::btnSetPrnClick);
  connect(QuitBtn, &QPushButton::clicked, this, &QWidget::close);
  connect(PaintBox1, &PreviewArea::Paint, this, &TForm1::PaintBox1Paint);
  connect(PaintBox1, &PreviewArea::EndReached, this, [this](bool atTop) {
    m_news->Tell(Text(atTop ? form::kFirstLineNews : form::kLastLineNews));
  });
}

// Names and descriptions for screen readers and other assistive tools.
void TForm1::DescribeControls() {
  SetAccessibleRole(this, QAccessible::Window);
  setAccessibleName(SpokenText(windowTitle()));
  // The red heading says what the program is for; a reader says it with the window.
  setAccessibleDescription(SpokenText(Label2->text()));
  Describe(GroupBox1, GroupBox1->Caption(), form::kTablesDescription);
  for (QCheckBox* box : m_danBoxes) {
    Describe(box, box->text(), (box->text() + Text(form::kTableDescriptionEnd)).toStdString());
  }
  DescribeGroup(ImportantDan, form::kImportantDanGroup);
  DescribeGroup(QNumCheck, form::kQNumCheckGroup);
  DescribeGroup(RandomCheck, form::kRandomCheckGroup);
  DescribeGroup(JousuuCheck, form::kJousuuCheckGroup);
  DescribeGroup(rgSquare, form::kRgSquareGroup);
  DescribeGroup(rgMulti, form::kRgMultiGroup);
  DescribeGroup(rgNum, form::kRgNumGroup);
  Label3->setBuddy(Edit1);
  Label3->setAccessibleName(SpokenText(Label3->text()));
  Describe(Edit1, Label3->text(), form::kNumberDescription);
  Describe(btnSetPrn, btnSetPrn->text(), form::kSetupDescription);
  Describe(PreviewBtn, PreviewBtn->text(), form::kPreviewDescription);
  Describe(PrintBtn, PrintBtn->text(), form::kPrintDescription);
  Describe(PrintAnsBtn, PrintAnsBtn->text(), form::kPrintAnswersDescription);
  Describe(QuitBtn, QuitBtn->text(), form::kQuitDescription);
  SetAccessibleRole(Bevel1, QAccessible::Grouping);
  Describe(Bevel1, Text(form::kPreviewFrameName), form::kPreviewFrameDescription);
  Describe(PaintBox1, Text(form::kPreviewAreaName), form::kPreviewAreaDescription);
  PaintBox1->SetReading(Text(form::kNoSheetYet), {});
}

// ImportantDan, JousuuCheck, QNumCheck, RandomCheck, PreviewBtn, the
// preview's reading, QuitBtn, PrintBtn, the table boxes, Edit1, btnSetPrn,
// rgMulti, rgSquare, PrintAnsBtn, rgNum.
void TForm1::SetTabOrder() {
  QList<QWidget*> chain;
  const auto items = [&chain](OptionGroup* group) {
    for (int index = 0; index < group->Count(); ++index) chain << group->Item(index);
  };
  items(ImportantDan);
  items(JousuuCheck);
  items(QNumCheck);
  items(RandomCheck);
  chain << PreviewBtn << PaintBox1 << QuitBtn << PrintBtn;
  for (QCheckBox* box : m_danBoxes) chain << box;
  chain << Edit1 << btnSetPrn;
  items(rgMulti);
  items(rgSquare);
  chain << PrintAnsBtn;
  items(rgNum);
  for (qsizetype index = 1; index < chain.size(); ++index) {
    setTabOrder(chain.at(index - 1), chain.at(index));
  }
}

// The rest of the state a run starts with is set where it is declared: the
// number 1, no sheet, no table.
void TForm1::FormCreate() {
  m_session = form::SheetSession(worksheet::RandomSource::FromClock());
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (m_centred) return;
  m_centred = true;
  if (const QScreen* shown = screen()) move(PlacedOn(shown->availableGeometry(), OuterSize()));
  // Qt shows its stored image when the window is mapped again or uncovered;
  // the preview must be drawn anew then.
  if (QWindow* handle = windowHandle()) handle->installEventFilter(this);
  JousuuCheck->Item(worksheet::kZeroExcluded)->setFocus(Qt::OtherFocusReason);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
    PaintBox1->update();
  }
  return QWidget::eventFilter(watched, event);
}

// The size with the window system's frame, which is known only once the
// window is shown; until then the classic frame's.
QSize TForm1::OuterSize() const {
  const QSize framed = frameGeometry().size();
  return framed != size() ? framed : size() + (kOuterSize - kClientSize);
}

void TForm1::DanClick(QCheckBox* box) {
  if (m_showingOptions) return;  // ticked by a rule, which did the rest
  ShowOptions(form::DanClick(m_options, box->property("Tag").toInt(), box->isChecked()));
}

// Ticks a box from code; its click handler runs as for a user's click.
void TForm1::CheckBoxClick(QCheckBox* box) {
  box->setChecked(true);
}

void TForm1::ImportantDanClick() {
  if (m_showingOptions) return;
  ShowOptions(form::ImportantDanClick(m_options, ImportantDan->ItemIndex()));
}

void TForm1::QNumCheckClick() {
  ShowOptions(form::QNumCheckClick(m_options, QNumCheck->ItemIndex()));
}

void TForm1::rgSquareEnter() {
  ShowOptions(form::rgSquareEnter(m_options));
}

void TForm1::rgMultiEnter() {
  ShowOptions(form::rgMultiEnter(m_options));
}

// Shows in the controls what a rule changed. The controls still signal the
// change to whoever listens, but the rules, which made it, do not run again.
void TForm1::ShowOptions(unsigned changed) {
  const QScopedValueRollback showing(m_showingOptions, true);
  if ((changed & form::kTablesChanged) != 0) {
    for (QCheckBox* box : m_danBoxes) {
      if (m_options.tables.Test(box->property("Tag").toInt())) {
        if (!box->isChecked()) CheckBoxClick(box);
      } else {
        box->setChecked(false);
      }
    }
  }
  if ((changed & form::kEmphasisChanged) != 0) ImportantDan->SetItemIndex(m_options.ImportantDan);
  if ((changed & form::kEnabledChanged) != 0) {
    QNumCheck->setEnabled(m_options.QNumCheckEnabled);
    PreviewBtn->setEnabled(m_options.PreviewEnabled);
  }
  if ((changed & form::kZeroChoiceChanged) != 0) {
    JousuuCheck->SetItemIndex(m_options.JousuuCheck);
    JousuuCheck->setEnabled(m_options.JousuuCheckEnabled);
  }
  if ((changed & form::kBlankBoxSetBack) != 0) SetBack(rgSquare, form::kRgSquareGroup);
  if ((changed & form::kFactorScaleSetBack) != 0) SetBack(rgMulti, form::kRgMultiGroup);
}

// One of the two groups that exclude each other set back to なし by the
// other; a screen reader is told, since the change happens out of its sight.
void TForm1::SetBack(OptionGroup* group, form::GroupIndex captions) {
  group->SetItemIndex(0);
  m_news->Tell(Text(form::SetBackNews(captions)));
}

void TForm1::PreviewBtnClick() {
  const form::CommandAnswer answer = m_session.Preview(m_options, Edit1->text().toStdString());
  if (answer.kind == form::CommandAnswer::kNotANumber) {
    m_notifier.Error(this, Text(answer.message));
    return;
  }
  if (answer.kind == form::CommandAnswer::kRefused) {
    m_notifier.Refusal(this, QStringFromCp932(answer.message));
    return;
  }
  // Drawing happens in the paint event; this one shows the answers.
  PaintBox1->repaint();

  PrintBtn->setEnabled(m_options.PrintEnabled);
  PrintAnsBtn->setEnabled(m_options.PrintEnabled);
  ReadSheet();
  m_news->Tell(Text(form::MadeNews(SheetSummary().toStdString())));
}

void TForm1::PaintBox1Paint(QPainter& painter) {
  if (!m_session.SheetExists()) return;
  const int drawMode = m_session.TakePreviewDrawMode();
  QtDrawingSurface surface(painter, m_fonts);
  m_session.Draw(surface, PaintBox1->width(), PaintBox1->height(), drawMode, m_options);
  emit PreviewDrawn(drawMode);
}

// The current sheet as text for those who cannot see it: its answer sheet,
// every question with its answer, at the number and in the form it would
// print. Made when the sheet, its number or its form changes, never by a
// repaint, so that it stays as it is while it is read.
void TForm1::ReadSheet() {
  form::SheetReading reading(m_platformText);
  m_session.Draw(reading, PaintBox1->width(), PaintBox1->height(), render::kAnswerSheet, m_options);
  QList<PreviewLine> lines;
  for (const form::ReadingLine& line : reading.Lines()) {
    lines.append({Text(line.spoken), QRect(line.x, line.y, line.width, line.height)});
  }
  PaintBox1->SetReading(SheetSummary(), lines);
}

// "答えの用紙（9問、問題No.7）"
QString TForm1::SheetSummary() const {
  return Text(form::SheetSummary(m_platformText, m_session.CurrentSheet().countOption,
                                 m_session.PrintNumber()));
}

void TForm1::PrintBtnClick() {
  if (const auto printed = PrintSheets({render::kQuestionSheet})) {
    m_news->Tell(Text(form::PrintedNews(*printed, false, m_session.PrintNumber())));
  }
}

void TForm1::PrintAnsBtnClick() {
  if (const auto printed = PrintSheets({render::kQuestionSheet, render::kAnswerSheet})) {
    m_news->Tell(Text(form::PrintedNews(*printed, true, m_session.PrintNumber())));
  }
}

void TForm1::btnSetPrnClick() {
  if (const auto failure = m_printer.Setup(this)) m_notifier.Error(this, *failure);
}

// Runs one command unless another still runs: while a command waits on the
// print service or in a message box, the window handles events, and a press
// that comes meanwhile by any path (an assistive tool's action, a timer) is
// refused, not run inside it. A close asked for meanwhile comes after it.
void TForm1::RunCommand(void (TForm1::*handler)()) {
  if (m_commandRunning) return;
  {
    const QScopedValueRollback running(m_commandRunning, true);
    (this->*handler)();
  }
  if (m_closeAsked) close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  m_closeAsked = m_commandRunning;
  if (m_commandRunning) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

// Both sheets of one print carry the same number. It counts up once the
// question sheet may have reached the printer, so that no two printed
// sheets carry one number. Gives the number printed, when all went well.
std::optional<std::int32_t> TForm1::PrintSheets(std::initializer_list<int> drawModes) {
  const form::CommandAnswer answer = m_session.ReadNumber(Edit1->text().toStdString());
  if (answer.kind != form::CommandAnswer::kDone) {
    m_notifier.Error(this, Text(answer.message));
    return std::nullopt;
  }
  const std::int32_t number = m_session.PrintNumber();
  const PrintOutcome outcome = m_printer.Print(
      drawModes, [this](render::DrawingSurface& surface, int width, int height, int drawMode) {
        m_session.Draw(surface, width, height, drawMode, m_options);
      });
  if (outcome.numberUsed) {
    Edit1->setText(Text(m_session.CountPrinted()));
    // The preview shows the new number when it is next drawn; its reading
    // tells it at once.
    if (m_session.SheetExists()) ReadSheet();
  }
  if (outcome.failure) {
    m_notifier.Error(this, *outcome.failure);
    return std::nullopt;
  }
  if (!outcome.numberUsed) return std::nullopt;  // cancelled: nothing to tell
  return number;
}
