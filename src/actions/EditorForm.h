#pragma once

#include "config/LangTextId.h"
#include "config/ValueRules.h"

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// What every editor's form model shares: the key filters of its text boxes, and the outcome of
// its confirm checks. The screens bind these; the rules themselves live here, free of widgets.

enum class KeyFilter
{
    Any,
    Digits,         // digits and Backspace
    DigitsAndBlank, // the same, and the blank
};
// Whether a typed character reaches a field with that filter (Backspace always does).
bool KeyAccepted(KeyFilter filter, char32_t typed);

// A field whose typed text is stored: its control's name, the language text naming it, and what
// its stored value can carry.
struct TextField
{
    const char* Name;
    int Caption;
    ValueKind Kind;
};
// A value as the editor will store it, with its field.
struct StoredText
{
    TextField Field;
    std::string Value;
};

// The description box every editor has; most store it as the action's name.
inline constexpr TextField kDescriptionField{"TxtDesc", LangTextId(144), ValueKind::Line};

// The first character of each typed text that Windows-1252 lacks, by control name: the stored
// bytes hold "?" there, so only the screen can tell.
using TypedOutside = std::map<std::string, char32_t, std::less<>>;

// What the confirm checks decided.
struct FormCheck
{
    enum class Outcome
    {
        Store,
        Refuse,             // stay open; show the message when there is one
        CloseWithoutStoring // close, nothing stored
    };
    Outcome What = Outcome::Store;
    int Text = 0;                // language text of the message
    const char* Fixed = nullptr; // or a fixed message (UTF-8)
    int FieldCaption = 0;        // or a refused character: the field's text
    char32_t Character = 0;      //   and the character

    static FormCheck Store() { return {}; }
    static FormCheck Refuse(int text) { return {Outcome::Refuse, text, nullptr, 0, 0}; }
    static FormCheck RefuseFixed(const char* text) { return {Outcome::Refuse, 0, text, 0, 0}; }
    static FormCheck RefuseSilently() { return {Outcome::Refuse, 0, nullptr, 0, 0}; }
    static FormCheck CloseWithoutStoring() { return {Outcome::CloseWithoutStoring, 0, nullptr, 0, 0}; }
    static FormCheck RefuseCharacter(int caption, char32_t c)
    {
        return {Outcome::Refuse, 0, nullptr, caption, c};
    }

    bool Stores() const { return What == Outcome::Store; }
    // Fixed messages compare by their text: the same literal may live at two addresses.
    bool operator==(const FormCheck& o) const
    {
        const auto fixed = [](const char* t) { return t ? std::string_view(t) : std::string_view(); };
        return What == o.What && Text == o.Text && (Fixed == nullptr) == (o.Fixed == nullptr) &&
               fixed(Fixed) == fixed(o.Fixed) && FieldCaption == o.FieldCaption && Character == o.Character;
    }
};

// The character checks, in field order: the first stored value holding a character its kind
// cannot carry, or a typed character the code page lacks.
FormCheck CheckStoredTexts(std::span<const StoredText> texts, const TypedOutside& typed);

// The time table button (BTL1): only a stored action that loaded has a time table to edit; for a
// new action the tool tip says how to reach it.
struct TimeTableButton
{
    bool Enabled = false;
    int ToolTip = 0; // language text; 0: none
    bool operator==(const TimeTableButton&) const = default;
};
TimeTableButton TimeTableButtonOf(bool storedAction, bool loaded);

// An address of the four-box IP control that counts as none: blank, or "0.0.0.0" (what empty
// boxes read as).
bool IsEmptyAddress(std::string_view dotted);

} // namespace kor
