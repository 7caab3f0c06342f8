#pragma once

#include "rules/BufferCheck.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace kor {

// The rules of the general settings page (text fields and the frame-buffer spinners) and of the
// detector page (base code, active inputs, mask flags). Both write every change straight into
// the document.

// Label1's text: the text up to and including its first line break; "" without one.
QString FirstLineOf(const QString& text);

struct SpinnerRange
{
    int Minimum = 0;
    int Maximum = 0;
    bool operator==(const SpinnerRange&) const = default;
};
// A buffer spinner's range, widened so that a value loaded from a file shows as it is.
SpinnerRange BufferSpinnerRange(BufferField field, int stored);

struct SpinnerOutcome
{
    int Shown = 0;             // the value the spinner settles on
    std::optional<int> Stored; // what the document now holds, when it changes
    bool operator==(const SpinnerOutcome&) const = default;
};
// A spinner changed to value while the spinners show `shown` (the changed one already at value)
// and the document holds `stored` for it: the buffer check steps the value down until one passes;
// when none does, the spinner goes back to the document's value.
SpinnerOutcome BufferSpinnerChange(const BufferValues& shown, BufferField field, int value, int stored);

// The first character of a typed text field that the general line cannot carry (its separator, a
// line break, one the code page lacks): the page refuses such a text and shows the stored one again.
std::optional<char32_t> RefusedSettingCharacter(const QString& text);
// A text field stores its whole text as typed, unless it holds such a character; returns whether the
// document changed.
bool StoreTypedText(std::string& field, const QString& text);

// The base code field takes digits only, and no more than the base code holds.
bool BaseCodeTextAccepted(const QString& text);
// The base code a field text stores: its number, or 0 when it is not one that fits.
std::int16_t BaseCodeOf(const QString& text);
// Label i of the detector page: text 119, a blank, the input number in two digits and a colon.
QString DetectorInputLabel(int input);
// Mask box i (2..7) edits mask flag i - 2.
inline constexpr int kFirstMaskBox = 2;

// Sets a flag from a check box; returns whether it changed.
bool StoreFlag(bool& flag, bool checked);

} // namespace kor
