#pragma once

#include "actions/EditorForm.h"

#include <span>
#include <string>
#include <string_view>

namespace kor {

// The fields of a Contact ID action (type 9): the event qualifier, code, group and zone reported
// to the alarm receiving centre.
struct ContactIdAction
{
    bool Alarm = true; // false: a restore
    std::string Code;
    std::string Group = "G00";
    std::string Zone = "Z000";

    bool operator==(const ContactIdAction&) const = default;
};

// EVENTTYPE (1 alarm, 3 restore), CIDCODE, GID, ZID, every value as typed.
std::string BuildContactIdParams(const ContactIdAction& action);
// EVENTTYPE 1 opens an alarm, anything else a restore; the other keys as stored.
ContactIdAction LoadContactIdParams(std::string_view params);

// A standard Contact ID event code and the language text of its meaning.
struct ContactIdEventCode
{
    const char* Code;
    int Meaning;
};

// The event codes the editor offers, in ascending order. The field takes any other code as well.
std::span<const ContactIdEventCode> ContactIdEventCodes();

// ---- the editor's form --------------------------------------------------------------------
// The code a pick of the list fills in, and the list entry that a typed code shows (-1: none, for
// a code the list does not know).
std::string PickedEventCode(int position);
int EventCodePosition(std::string_view typed);
// The checks in their order, each with its fixed message: a code is required; the zone is Z (or
// z) and three digits; the group G (or g) and two digits. Then the characters of what is stored.
FormCheck CheckContactIdForm(const ContactIdAction& action, std::string_view description,
                             const TypedOutside& typed);

} // namespace kor
