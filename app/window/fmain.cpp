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
#include "group_box.h"
#include "news_notice.h"
#include "notifier.h"
#include "option_group.h"
#include "page_reading.h"
#include "preview_area.h"
#include "printer_icon.h"
#include "program_names.h"
#include "qt_drawing_surface.h"
#include "render/make_print.h"
#include "spoken_text.h"
#include "worksheet/make_problems.h"
#include "worksheet/print_number.h"
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

QStringList TableLabels() {
  QStringList labels;
  for (const QChar digit : QStringLiteral("０１２３４５６７８９")) {
    labels << digit + QStringLiteral("の段");
  }
  return labels;
}

// Names and descriptions say what the captions say, in words speech engines read.
void Describe(QWidget* control, const QString& caption, const QString& description) {
  control->setAccessibleName(SpokenText(caption));
  control->setAccessibleDescription(SpokenText(description));
}

// Each item tells its place in its group, after what it does where its
// caption alone does not say it.
void DescribeGroup(OptionGroup* group, const QString& description,
                   const QStringList& meanings = {}) {
  Describe(group, group->Caption(), description);
  for (int index = 0; index < group->Count(); ++index) {
    const QString place = QStringLiteral("%1項目中%2番目").arg(group->Count()).arg(index + 1);
    const QString& meaning = meanings.value(index);
    Describe(group->Item(index), group->Item(index)->text(),
             meaning.isEmpty() ? place : meaning + QStringLiteral("。") + place);
  }
}

QStringList QuestionCountLabels() {
  QStringList labels;
  for (const auto& option : worksheet::kQuestionCountOptions) {
    labels << QStringFromCp932(option.label);
  }
  return labels;
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
  Label2 = new QLabel(QStringLiteral("九九の練習プリントを作ります"), this);
  Place(Label2, "Label2", PixelFont(gothic, 16, true), {8, 4, 297, 16});
  Label2->setStyleSheet(QStringLiteral("color: red"));

  GroupBox1 = new GroupBox(QStringLiteral("段"), this);
  Place(GroupBox1, "GroupBox1", controlFont, {8, 24, 177, 125});
  const QStringList tables = TableLabels();
  for (int table = 0; table < 10; ++table) {
    auto* box = new QCheckBox(tables.at(table), GroupBox1);
    const QByteArray name = "D" + QByteArray::number(table);
    Place(box, name.constData(), controlFont, {table < 5 ? 8 : 96, 20 + (table % 5) * 20, 65, 17});
    box->setProperty("Tag", table);
    m_danBoxes[static_cast<std::size_t>(table)] = box;
  }

  Label3 = new QLabel(QStringLiteral("ﾌﾟﾘﾝﾄ番号"), this);
  Place(Label3, "Label3", controlFont, {196, 248, 72, 16});
  Edit1 = new QLineEdit(this);
  Place(Edit1, "Edit1", controlFont, {272, 248, 33, 24});
  // The text after the font: each font change lays out the text again.
  Edit1->setText(QStringLiteral("1"));
}

void TForm1::CreateOptionGroups(const QFont& controlFont) {
  const auto optionGroup = [this](const char* name, const QString& caption,
                                  const QStringList& items, int columns, const QFont& font,
                                  QRect geometry, int chosen) {
    auto* group = new OptionGroup(caption, items, columns, this);
    Place(group, name, font, geometry);
    group->SetItemIndex(chosen);
    return group;
  };
  ImportantDan = optionGroup("ImportantDan", QStringLiteral("重点的にしたい段"), TableLabels(), 2,
                             controlFont, {8, 152, 177, 113}, worksheet::kNoEmphasisTable);
  QNumCheck = optionGroup("QNumCheck", QStringLiteral("問題数"), QuestionCountLabels(), 1,
                          controlFont, {192, 24, 121, 223}, 0);
  QNumCheck->setEnabled(false);
  RandomCheck =
      optionGroup("RandomCheck", QStringLiteral("ﾗﾝﾀﾞﾑ指定"),
                  {QStringLiteral("昇順"), QStringLiteral("降順"), QStringLiteral("あり")}, 3,
                  controlFont, {8, 272, 185, 49}, worksheet::kAscending);
  JousuuCheck = optionGroup("JousuuCheck", QStringLiteral("乗数に０を"),
                            {QStringLiteral("入れない"), QStringLiteral("入れる")}, 1, controlFont,
                            {204, 272, 109, 55}, worksheet::kZeroExcluded);
  rgSquare = optionGroup("rgSquare", QStringLiteral("[ ]のパターン"),
                         {QStringLiteral("なし"), QStringLiteral("[ ]×"), QStringLiteral("×[ ]"),
                          QStringLiteral("混合")},
                         4, font(), {8, 328, 305, 41}, worksheet::kNoBlankBox);
  rgMulti = optionGroup("rgMulti", QStringLiteral("何十、何百の指定"),
                        {QStringLiteral("なし"), QStringLiteral("×10"), QStringLiteral("×100")}, 3,
                        font(), {8, 376, 185, 41}, worksheet::kFactorAsIs);
  rgNum = optionGroup("rgNum", QStringLiteral("問題番号"),
                      {QStringLiteral("なし"), QStringLiteral("あり")}, 2, font(),
                      {200, 376, 113, 41}, worksheet::kUnnumbered);
}

void TForm1::CreateButtons(const QFont& buttonFont) {
  const auto button = [this, &buttonFont](const char* name, const QString& caption,
                                          QRect geometry) {
    auto* pushButton = new CommandButton(caption, this);
    Place(pushButton, name, buttonFont, geometry);
    return pushButton;
  };
  btnSetPrn = button("btnSetPrn", QStringLiteral("印刷の設定"), {16, 424, 129, 25});
  PreviewBtn = button("PreviewBtn", QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), {160, 424, 145, 25});
  PreviewBtn->setEnabled(false);
  PrintBtn = button("PrintBtn", QStringLiteral("印刷"), {16, 456, 177, 25});
  PrintAnsBtn = button("PrintAnsBtn", QStringLiteral("印刷(答えつき)"), {16, 488, 177, 25});
  for (QPushButton* print : {PrintBtn, PrintAnsBtn}) {
    print->setIcon(PrinterIcon());
    print->setIconSize({16, 16});
    print->setEnabled(false);
  }
  QuitBtn = button("QuitBtn", QStringLiteral("終了"), {224, 456, 81, 57});
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
  // The sheet reads as it would print: in the form these options give it.
  for (OptionGroup* drawingOption : {rgSquare, rgMulti, rgNum}) {
    connect(drawingOption, &OptionGroup::Click, this, [this] {
      if (m_sheetExists) ReadSheet();
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
    m_news->Tell(atTop ? QStringLiteral("最初の行です") : QStringLiteral("最後の行です"));
  });
}

// Names and descriptions for screen readers and other assistive tools.
void TForm1::DescribeControls() {
  SetAccessibleRole(this, QAccessible::Window);
  setAccessibleName(SpokenText(windowTitle()));
  // The red heading says what the program is for; a reader says it with the window.
  setAccessibleDescription(SpokenText(Label2->text()));
  Describe(GroupBox1, GroupBox1->Caption(), QStringLiteral("練習する段を選びます"));
  for (QCheckBox* box : m_danBoxes) {
    Describe(box, box->text(), box->text() + QStringLiteral("の問題をプリントに入れます"));
  }
  DescribeGroup(ImportantDan, QStringLiteral("重点的に出す段を選びます。選んだ段には印が付きます"));
  DescribeGroup(QNumCheck, QStringLiteral("一枚のプリントの問題の数を選びます"));
  DescribeGroup(RandomCheck, QStringLiteral("問題の並べ方を選びます"),
                {QStringLiteral("順番に並べます"), QStringLiteral("逆の順番に並べます"),
                 QStringLiteral("ばらばらに並べます")});
  DescribeGroup(JousuuCheck, QStringLiteral("かける数に０を入れるかどうかを選びます"));
  DescribeGroup(rgSquare, QStringLiteral("答えを書く四角をどちらの数の代わりに置くかを選びます"),
                {QStringLiteral("四角を置きません"), QStringLiteral("かけられる数を四角にします"),
                 QStringLiteral("かける数を四角にします"),
                 QStringLiteral("問題ごとにどちらかを四角にします")});
  DescribeGroup(
      rgMulti, QStringLiteral("かけられる数を10倍または100倍にします"),
      {QStringLiteral("かけられる数はそのままです"), QStringLiteral("かけられる数を10倍にします"),
       QStringLiteral("かけられる数を100倍にします")});
  DescribeGroup(rgNum, QStringLiteral("問題に丸数字の番号を付けるかどうかを選びます"),
                {QStringLiteral("番号を付けません"), QStringLiteral("番号を付けます")});
  Label3->setBuddy(Edit1);
  Label3->setAccessibleName(SpokenText(Label3->text()));
  Describe(Edit1, Label3->text(),
           QStringLiteral("プリントに印刷する番号です。印刷するたびに一つ増えます"));
  Describe(btnSetPrn, btnSetPrn->text(), QStringLiteral("プリンタと用紙を選びます"));
  Describe(PreviewBtn, PreviewBtn->text(),
           QStringLiteral("選んだ設定で問題を作り、右に答えの用紙を表示します"));
  Describe(PrintBtn, PrintBtn->text(), QStringLiteral("問題の用紙を印刷します"));
  Describe(PrintAnsBtn, PrintAnsBtn->text(),
           QStringLiteral("問題の用紙と、続けて答えの用紙を印刷します"));
  Describe(QuitBtn, QuitBtn->text(), QStringLiteral("プログラムを終わります"));
  SetAccessibleRole(Bevel1, QAccessible::Grouping);
  Describe(Bevel1, QStringLiteral("プレビューの枠"), QStringLiteral("プレビューを囲む枠です"));
  Describe(PaintBox1, QStringLiteral("プレビュー"),
           QStringLiteral("上下の矢印キーで、プリントを一行ずつ読みます"));
  PaintBox1->SetReading(QStringLiteral("まだプリントはありません"), {});
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
  m_random = worksheet::RandomSource::FromClock();
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
  const int table = box->property("Tag").toInt();
  if (box->isChecked()) {
    m_tableMask.Set(table);
  } else {
    if (ImportantDan->ItemIndex() == table) ImportantDan->SetItemIndex(worksheet::kNoEmphasisTable);
    m_tableMask.Clear(table);
  }
  const bool anyTicked = std::any_of(m_danBoxes.begin(), m_danBoxes.end(),
                                     [](const QCheckBox* each) { return each->isChecked(); });
  QNumCheck->setEnabled(anyTicked);
  PreviewBtn->setEnabled(anyTicked);
}

void TForm1::CheckBoxClick(QCheckBox* box) {
  box->setChecked(true);
}

void TForm1::ImportantDanClick() {
  CheckBoxClick(m_danBoxes.at(static_cast<std::size_t>(ImportantDan->ItemIndex())));
}

void TForm1::QNumCheckClick() {
  if (worksheet::ZeroMultiplierAllowed(QNumCheck->ItemIndex())) {
    JousuuCheck->setEnabled(true);
  } else {
    JousuuCheck->SetItemIndex(worksheet::kZeroExcluded);
    JousuuCheck->setEnabled(false);
  }
}

void TForm1::rgSquareEnter() {
  SetBack(rgMulti, worksheet::kFactorAsIs);
}

void TForm1::rgMultiEnter() {
  SetBack(rgSquare, worksheet::kNoBlankBox);
}

// One of the two groups that exclude each other set back by the other; a
// screen reader is told, since the change happens out of its sight.
void TForm1::SetBack(OptionGroup* group, int index) {
  if (group->ItemIndex() == index) return;
  group->SetItemIndex(index);
  m_news->Tell(QStringLiteral("%1を%2に戻しました")
                   .arg(group->accessibleName(), group->Item(index)->accessibleName()));
}

void TForm1::PreviewBtnClick() {
  const std::optional<std::int32_t> number = ReadEdit1();
  if (!number) return;
  const worksheet::WorksheetSettings settings = ReadSettings();

  const worksheet::GenerationResult result =
      worksheet::MakeProblems(settings, m_random, m_scratch.problems, m_scratch.blankSides);
  if (!result.made) {
    m_notifier.Refusal(this, QStringFromCp932(result.refusal));
    return;
  }
  m_scratch.count = worksheet::QuestionCount(settings.QNumCheck);
  m_scratch.countOption = settings.QNumCheck;
  std::swap(m_sheet, m_scratch);
  m_printNumber = *number;
  m_sheetExists = true;

  // Drawing happens in the paint event; this one shows the answers.
  m_answersOnNextPaint = true;
  PaintBox1->repaint();

  PrintBtn->setEnabled(true);
  PrintAnsBtn->setEnabled(true);
  ReadSheet();
  m_news->Tell(QStringLiteral("プリントを作りました。") + SheetSummary());
}

void TForm1::PaintBox1Paint(QPainter& painter) {
  if (!m_sheetExists) return;
  const int drawMode = m_answersOnNextPaint ? render::kAnswerSheet : render::kQuestionSheet;
  m_answersOnNextPaint = false;
  QtDrawingSurface surface(painter, m_fonts);
  render::MakePrint(surface, PaintBox1->width(), PaintBox1->height(), drawMode,
                    {m_sheet, m_printNumber, ReadDrawingOptions()}, m_texts);
  emit PreviewDrawn(drawMode);
}

// The current sheet as text for those who cannot see it: its answer sheet,
// every question with its answer, at the number and in the form it would
// print. Made when the sheet, its number or its form changes, never by a
// repaint, so that it stays as it is while it is read.
void TForm1::ReadSheet() {
  PageReading reading;
  render::MakePrint(reading, PaintBox1->width(), PaintBox1->height(), render::kAnswerSheet,
                    {m_sheet, m_printNumber, ReadDrawingOptions()}, m_texts);
  PaintBox1->SetReading(SheetSummary(), reading.Lines());
}

// "答えの用紙（9問、問題No.7）": the sheet read, its count and its number.
QString TForm1::SheetSummary() const {
  return QStringLiteral("答えの用紙（%1、問題No.%2）")
      .arg(QNumCheck->Item(m_sheet.countOption)->accessibleName(), QString::number(m_printNumber));
}

void TForm1::PrintBtnClick() {
  if (const auto printed = PrintSheets({render::kQuestionSheet})) {
    m_news->Tell(PrintedNews(*printed, QStringLiteral("印刷しました")));
  }
}

void TForm1::PrintAnsBtnClick() {
  if (const auto printed = PrintSheets({render::kQuestionSheet, render::kAnswerSheet})) {
    m_news->Tell(PrintedNews(*printed, QStringLiteral("答えつきで印刷しました")));
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
  const std::optional<std::int32_t> number = ReadEdit1();
  if (!number) return std::nullopt;
  m_printNumber = *number;
  const PrintOutcome outcome = m_printer.Print(
      drawModes, [this](render::DrawingSurface& surface, int width, int height, int drawMode) {
        render::MakePrint(surface, width, height, drawMode,
                          {m_sheet, m_printNumber, ReadDrawingOptions()}, m_texts);
      });
  if (outcome.numberUsed) {
    m_printNumber = worksheet::NextPrintNumber(m_printNumber);
    Edit1->setText(QString::number(m_printNumber));
    // The preview shows the new number when it is next drawn; its reading
    // tells it at once.
    if (m_sheetExists) ReadSheet();
  }
  if (outcome.failure) {
    m_notifier.Error(this, *outcome.failure);
    return std::nullopt;
  }
  if (!outcome.numberUsed) return std::nullopt;  // cancelled: nothing to tell
  return number;
}

// "問題No.7を印刷しました。次の番号は8です"
QString TForm1::PrintedNews(std::int32_t printed, const QString& done) const {
  return QStringLiteral("問題No.%1を%2。次の番号は%3です")
      .arg(QString::number(printed), done, QString::number(m_printNumber));
}

// The options a sheet is made from, the ones MakeProblems reads. rgSquare,
// rgMulti, rgNum and the print number keep their defaults: they are read at
// every drawing instead (ReadDrawingOptions, m_printNumber), so that a change
// after the preview still reaches the page.
worksheet::WorksheetSettings TForm1::ReadSettings() const {
  worksheet::WorksheetSettings settings;
  settings.TableMask = m_tableMask;
  settings.ImportantDan = ImportantDan->ItemIndex();
  settings.JousuuCheck = JousuuCheck->ItemIndex();
  settings.QNumCheck = QNumCheck->ItemIndex();
  settings.RandomCheck = RandomCheck->ItemIndex();
  return settings;
}

render::DrawingOptions TForm1::ReadDrawingOptions() const {
  return {.rgSquare = rgSquare->ItemIndex(),
          .rgMulti = rgMulti->ItemIndex(),
          .rgNum = rgNum->ItemIndex()};
}

std::optional<std::int32_t> TForm1::ReadEdit1() {
  const std::string text = Cp932FromQString(Edit1->text());
  const std::optional<std::int32_t> number = worksheet::ReadPrintNumber(text);
  if (!number) m_notifier.Error(this, QStringFromCp932(worksheet::NotAnIntegerMessage(text)));
  return number;
}
