#pragma once

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"
#include "config/ConfigTextWriter.h"

#include <string>
#include <vector>

namespace kor {

enum class ChangeKind
{
    RuleAdded,
    RuleRemoved,
    ActionAdded,
    ActionRemoved,
    ActionMoved,
    FieldChanged, // a field of an action
    IntervalAdded,
    IntervalRemoved,
    SettingChanged, // general, detector or device line
};

// One difference between two configurations, named as the screens name it.
struct ConfigChange
{
    ChangeKind Kind = ChangeKind::FieldChanged;
    int Rule = -1;   // -1: a setting
    int Action = -1; // position in the second configuration (in the first for a removal)
    int From = -1;   // a moved action's position in the first configuration
    std::string ActionName;
    int Area = 0;       // a setting's page: 171 general, 172 detector, 100 the device line
    std::string Field;  // the caption, or the day of an interval, in the user's language
    std::string Before; // the values as shown; both empty for a secret field
    std::string After;
    bool Secret = false;
    std::string Text; // the whole change as one line in the user's language

    bool operator==(const ConfigChange&) const = default;
};

// A configuration to compare: the document and, for an upload file or a camera's text, its device
// line (the device lines are compared only when both sides have one).
struct ConfigSide
{
    const ConfigDocument* Doc = nullptr;
    const DeviceLine* Device = nullptr;
};

// What turns the first configuration into the second, rule by rule, then the settings. Actions are
// paired by content, then by type and description, then by type: a paired action shows its changed
// fields and intervals, never a removal and an addition. Order counts among the actions of one type,
// as the upload writes them grouped by type. Actions marked deleted are not part of a configuration.
std::vector<ConfigChange> DiffConfigs(const ConfigSide& before, const ConfigSide& after,
                                      const LangTextLookup& langText);

// Stable names for scripts: "rule-added", "field-changed", ...
const char* ChangeKindName(ChangeKind kind);

} // namespace kor
