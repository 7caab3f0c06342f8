#pragma once

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

// Which check refused the fields, in the order they are made.
enum class ContactIdFault
{
    None,
    MissingCode, // no event code
    BadZone,     // not Z (or z) and three digits
    BadGroup     // not G (or g) and two digits
};

ContactIdFault CheckContactId(const ContactIdAction& action);

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

} // namespace kor
