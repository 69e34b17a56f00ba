#pragma once

#include <QFont>

class QWidget;

// The Korean font of the pages: NanumBarunGothic first. NanumGothic, the
// windows' font, maps the control character U+0001 to its space glyph, and
// a PDF writer that names each glyph by the first character mapping to it
// then writes every blank as U+0001: the words of a page could not be
// searched for. NanumBarunGothic has a space glyph of its own.
QFont paperFont(double pointSize, bool bold);

// Puts `widget` and every widget below it into the page's font, keeping
// sizes and weights.
void usePaperFont(QWidget* widget);
