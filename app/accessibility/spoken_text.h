#pragma once

#include <QString>

// A text of the window or of the page as speech engines read it out: the
// same words, with full-width digits and letters as plain ones (NFKC), the
// blank box "[ ]" as 四角, "×" as かける, "=" as は, and a circled question
// number as the number followed by 番. Japanese voices drop full-width
// digits and signs; this is what they say.
QString SpokenText(const QString& shown);
