#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kor {

// Screens are built with text numbers for captions; this replaces them with the texts of the
// active language at the end of a screen's load:
// - the screen's window title when it is a number;
// - buttons, check boxes, option buttons, labels and group boxes: a caption that is a number n
//   becomes text n; a label "n:" becomes text n followed by ":"; then a tool tip that is a number;
// - tool bars: an action caption that is a number of 100 or more (smaller ones, such as day
//   buttons "1" to "7", keep their digits) and any numeric tool tip;
// - tab bars: each tab's caption and tool tip;
// - tree and table views (and their widgets): numeric column headers (not the numbers a tree
//   widget shows for columns nobody titled: column n titled "n" stays).
// Other controls are left alone. A text counts as a number when it reads as one (blanks around
// the digits and a sign are allowed) and fits 32 bits.
void ApplyLanguageTexts(QWidget* screen);
// The same with another source of texts (tests, previews).
void ApplyLanguageTexts(QWidget* screen, const std::function<QString(int)>& langText);

} // namespace kor
