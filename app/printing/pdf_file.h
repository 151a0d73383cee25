#pragma once

#include <QString>

#include "printer_setup.h"

// The papers a PDF file of the program's own is offered on, the locale's
// first chosen.
PrinterPapers PdfPapers();

// Prints into this PDF file, on the locale's paper.
PrinterChoice PdfFileChoice(const QString& file);
