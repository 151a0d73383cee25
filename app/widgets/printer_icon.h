#pragma once

#include <QIcon>

// A 16 × 16 printer for the print buttons: the icon theme's, or a drawn one
// where the theme has none.
QIcon PrinterIcon();
