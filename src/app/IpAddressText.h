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

} // namespace kor
