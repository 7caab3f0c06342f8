#pragma once

#include "config/ConfigDocument.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace kor {

// One thing that is probably wrong with a configuration before it goes to a camera.
struct CheckFinding
{
    std::string Code; // stable name for scripts, e.g. "mail-server-empty"
    int Rule = -1;    // -1: not tied to a rule
    int Action = -1;  // position in the rule; -1: not tied to an action
    std::string ActionName;
    std::string Message; // plain English, one sentence

    bool operator==(const CheckFinding&) const = default;
};

// The checks that run before a configuration is sent, in document order: each action's own
// findings and what the screens would refuse to enter (a rule no screen lists, an interval the time
// table would not add), then the settings' (the limits the settings pages keep). sourceText is the text the
// document was read from, when there is one: it shows what reading it already lost (time tables that do not
// read as intervals).
std::vector<CheckFinding> CheckConfig(const ConfigDocument& doc, std::string_view sourceText = {});

// Where a finding is: "rule 3, action 1 'Siren'", "action 'Siren'" or "settings" (the name in
// Windows-1252, as stored).
std::string FindingPlace(const CheckFinding& finding);

// The question before a run sends the configuration: text 1306, the findings one a line with their
// place (the first ten, then how many more), text 1307. Empty without findings.
QString SendCheckQuestion(const std::vector<CheckFinding>& findings);

} // namespace kor
