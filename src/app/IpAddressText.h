#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace kor {

// The dotted text of the four-box IP address control.

// What writing a text puts into the four boxes: box 0 the characters before the first ".", box 1
// those between the first and the next ".", box 2 those up to the one after, box 3 the rest. A
// "." that is missing counts as position 0, and a search after position 0 starts again at the
// beginning; a box whose share would have a negative length is left unchanged (nullopt). No range
// check: a text without any "." leaves boxes 0 to 2 alone and goes whole into box 3.
std::array<std::optional<QString>, 4> SplitIpText(QStringView text);

// The four boxes read as numbers (an empty or non-numeric box counts 0) joined by ".".
QString JoinIpText(const std::array<QString, 4>& boxes);

// The control never reads empty: empty boxes give "0.0.0.0", so that address means "none given".
bool IsEmptyIpText(QStringView text);

// What a key does in box `box` of the four (0..3) holding `boxes`, with the caret at `caret` and
// `selected` characters selected from there.
struct IpKeyOutcome
{
    bool Consumed = false;               // false: the box handles the key as usual
    int FocusBox = -1;                   // the box the focus moves to; -1: it stays
    int Caret = -1;                      // the caret in that box; -1: at its end
    std::optional<QString> FocusBoxText; // the new text of that box
};

// A typed character: a digit goes in while the box stays an octet (0..255) and is refused
// otherwise; a digit typed into a full box goes on into the next one (when that has room) and
// the focus follows; "." or a blank jumps to the next box; backspace is left to the box; any
// other character is discarded.
IpKeyOutcome IpCharacterKey(const std::array<QString, 4>& boxes, int box, int caret, int selected, QChar c);

// The arrow keys cross a box edge: Left at the start of box i > 0 goes to the end of box i - 1,
// Right at position 2 of box i < 3 to the start of box i + 1; otherwise the box moves its caret.
IpKeyOutcome IpArrowKey(int box, int caret, bool hasSelection, bool left);

} // namespace kor
