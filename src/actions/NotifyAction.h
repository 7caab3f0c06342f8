#pragma once

#include "actions/EditorForm.h"

#include <string>
#include <string_view>

namespace kor {

// The fields of a client notification action (type 4), as its editor shows them.
struct NotifyAction
{
    static constexpr std::string_view DefaultPort = "9034";

    std::string Client; // the client PC's address, dotted
    std::string Port{DefaultPort};
    bool Sound = true;

    bool operator==(const NotifyAction&) const = default;
};

// CLNT; PORT (9034 unless it reads as a number); SEN, the rule's index; DESC, the description as
// typed; SND 0 or 1. SEN and DESC are rebuilt at every store.
std::string BuildNotifyParams(const NotifyAction& action, int ruleIndex, std::string_view typedDescription);

// CLNT and PORT as stored (a missing port stays empty); SND 0 unticks the sound, any other number
// ticks it, and a missing or non-numeric SND ticks it too.
NotifyAction LoadNotifyParams(std::string_view params);

// The editor's form: the client's address is required (text 800; empty boxes read "0.0.0.0");
// then the characters of what is stored. The description is stored inside the parameters too,
// so it carries what a parameter value can.
FormCheck CheckNotifyForm(const NotifyAction& action, std::string_view description,
                          const TypedOutside& typed);

} // namespace kor
