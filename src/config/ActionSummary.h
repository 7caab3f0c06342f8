#pragma once

#include "config/ConfigDocument.h"

#include <functional>
#include <string>

namespace kor {

// Language text n as Windows-1252 bytes ("" when missing); the application passes LangTextBytes.
using LangTextLookup = std::function<std::string(int)>;

// The one-line description of an action that the rule list and the report show, built from its
// Type and a few of its parameters, with fixed words from the language texts. Name, time table
// and the Deleted flag play no part. Passwords never show: PWD values are blanked before any
// value is looked up, so a password holding "TM=" or "SEN=" cannot pass for another key.
std::string ActionSummary(const ActionRecord& action, const LangTextLookup& langText);
// The summary of one action of a rule; "" when the rule has no such action.
std::string ActionSummary(const ConfigDocument& doc, int ruleIndex, int actionIndex,
                          const LangTextLookup& langText);

} // namespace kor
