#pragma once

#include "config/ActionSummary.h"
#include "config/ConfigDocument.h"

#include <string>
#include <vector>

namespace kor {

// One field of an action as its editor shows it: the editor's caption and the value in the user's
// language (a choice by its option's text, a tick as yes or no).
struct ActionField
{
    int Label = 0;     // language text of the caption; 0: Key names the field
    std::string Key;   // the parameter key, for a field no editor shows
    std::string Value; // "" for a field left empty
    bool Secret = false;
};

// The editor's fields of an action, description first, always the same list for one type, so two
// actions of a type compare field by field. An unknown type lists its parameters by key.
std::vector<ActionField> ActionFieldsOf(const ActionRecord& action, const LangTextLookup& langText);

// "hh:mm-hh:mm", each number with at least two digits.
std::string IntervalText(const Interval& interval);

// The parameters as KEY and value, in stored order; values of password keys are secret.
std::vector<ActionField> RawParamFields(std::string_view params);

} // namespace kor
