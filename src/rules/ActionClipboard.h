#pragma once

#include <cstdint>
#include <vector>

namespace kor {

class ConfigDocument;

// The rule lists' clipboard of actions, one for the whole program: which rule the actions were
// copied from and their indexes there. It holds references: a paste reads the actions as they are
// at that moment.
class ActionClipboard
{
public:
    static constexpr std::size_t MaxCount = 255;

    // The one clipboard every rule list shares.
    static ActionClipboard& Program();

    // Starts a new copy from a rule: the old content is dropped.
    void Begin(std::int16_t sourceRule);
    // Adds one action index (up to MaxCount).
    void Append(std::uint8_t actionIndex);
    void Clear();

    std::int16_t SourceRule() const { return m_sourceRule; }
    std::uint8_t Count() const { return static_cast<std::uint8_t>(m_indexes.size()); }
    bool IsEmpty() const { return m_indexes.empty(); }
    const std::vector<std::uint8_t>& Indexes() const { return m_indexes; }

    // Appends a copy of every referenced action (type, name, parameters, time table) to the target
    // rule, in clipboard order; actions that no longer exist are passed over. Returns how many
    // were added.
    int PasteInto(ConfigDocument& doc, int targetRule) const;

private:
    std::int16_t m_sourceRule = 0;
    std::vector<std::uint8_t> m_indexes;
};

} // namespace kor
