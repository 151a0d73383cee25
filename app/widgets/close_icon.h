#pragma once

#include <QIcon>

class QAbstractButton;
class QPalette;

// A 16 × 16 close glyph, an "×" in the palette's button-text colour, drawn
// for one and for two device pixels per pixel.
QIcon CloseIcon(const QPalette& palette);

// Gives the button the close glyph in its own palette and draws it again
// whenever the button's palette or style changes, so that it stays visible
// on a dark or high-contrast desktop.
void SetCloseIcon(QAbstractButton* button);
