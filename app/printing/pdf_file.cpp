#include "pdf_file.h"

#include <QLocale>
#include <QPageSize>

// Laid out as Qt lays out the pages of its own PDF printer: 1200 dpi, with
// 10 points of margin.
PrinterPapers PdfPapers() {
  struct Named {
    QPageSize::PageSizeId id;
    const char16_t* text;
  };
  static constexpr Named kPapers[] = {
      {QPageSize::A4, u"A4"},          {QPageSize::A3, u"A3"},    {QPageSize::A5, u"A5"},
      {QPageSize::JisB4, u"B4"},       {QPageSize::JisB5, u"B5"}, {QPageSize::Letter, u"レター"},
      {QPageSize::Legal, u"リーガル"},
  };
  constexpr qsizetype kLetter = 5;
  PrinterPapers papers;
  for (const Named& each : kPapers) {
    const QPageSize size(each.id);
    papers.papers << PrinterPaper{
        {size.key(), QString::fromUtf16(each.text)},
        {QPageLayout(size, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point),
         1200,
         {}}};
  }
  // Letter where the locale measures in inches as in the US, else A4.
  papers.defaultPaper = QLocale().measurementSystem() == QLocale::ImperialUSSystem ? kLetter : 0;
  return papers;
}

PrinterChoice PdfFileChoice(const QString& file) {
  const PrinterPapers papers = PdfPapers();
  const PrinterPaper& paper = papers.papers.at(papers.defaultPaper);
  PrinterChoice choice;
  choice.file = file;
  choice.page = paper.page;
  choice.options.paper = paper.paper.name;
  return choice;
}
