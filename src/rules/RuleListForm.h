#pragma once

#include "config/ConfigDocument.h"
#include "outside/companion/ModelProfile.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kor {

class ActionClipboard;

// One action button of the rule list's tool bar: the type it adds, its caption (a language text,
// or a fixed one) and the capability that enables it (none: always).
struct ActionButtonSpec
{
    std::int32_t Type;
    int Caption;
    const char* FixedCaption;
    std::optional<Capability> Needs;
};

// How a step of the history names an action: its description, or its summary when it has none.
QString ActionStepSubject(const ActionRecord& action);

// The rules of the rule list of one source: the tool bar's buttons by the model's capability
// flags, the rows (the actions not deleted, tagged with their index), the context menu's states
// and commands, and copying to and pasting from the program's clipboard.
class RuleListForm
{
public:
    static constexpr int kButtonCount = 10;
    static constexpr int kCallButton = 3;

    RuleListForm(ConfigDocument& doc, std::uint32_t capabilityFlags);

    void SetRule(std::int16_t rule) { m_rule = rule; }
    std::int16_t Rule() const { return m_rule; }

    // Position 1..10.
    static const ActionButtonSpec& Button(int position);
    static QString ButtonCaption(int position);
    bool ButtonEnabled(int position) const;
    // The call editor goes through a PC when the model says so (button 3's tag "PC").
    bool CallThroughPc() const;

    // The action indexes listed, in order: those not marked deleted.
    std::vector<int> Rows() const;
    // The time table column: the days an action may run on, shortened ("Mon Wed"), "every day",
    // or "always" when it has no time table (then nothing holds it back).
    static QString TimeTableText(const TimeTable& table);

    enum class Command
    {
        None,
        Copy,
        Paste,
        Delete
    };
    // A context menu key: the part before a "#" names the command.
    static Command CommandOf(const QString& key);
    struct MenuState
    {
        bool Copy = false;
        bool Paste = false;
        bool operator==(const MenuState&) const = default;
    };
    static MenuState Menu(bool anyRowSelected, const ActionClipboard& clipboard);

    // The selected actions, in list order, become the clipboard's content.
    void Copy(const std::vector<int>& selectedActions, ActionClipboard& clipboard) const;
    void Paste(const ActionClipboard& clipboard);
    // Marks the actions deleted (after the user said yes); the others keep their indexes.
    void Delete(const std::vector<int>& actions);

private:
    ConfigDocument& m_doc;
    std::uint32_t m_capabilityFlags;
    std::int16_t m_rule = 0;
};

} // namespace kor
