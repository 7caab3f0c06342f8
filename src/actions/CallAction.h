#pragma once

#include "actions/EditorForm.h"

#include <string>
#include <string_view>

namespace kor {

// The fields of a call or SMS action (type 2), as its editor shows them.
struct CallAction
{
    std::string Number;         // telephone number; blanks are dropped when stored
    bool Sms = false;           // false: a call
    std::string Message;        // the SMS text; stored only for an SMS
    bool ThroughPc = false;     // the call or SMS goes through a PC
    std::string PcAddress;      // that PC's address; blanks are dropped when stored
    std::string PcPort = "558"; // that PC's port; blanks are dropped when stored

    bool operator==(const CallAction&) const = default;
};

// REMOTE=1, REMOTEIP and REMOTEPORT only through a PC; TLFNO; SMS (empty for a call).
std::string BuildCallParams(const CallAction& action);

// A non-empty SMS opens an SMS; REMOTE=1 ticks the PC; REMOTEIP is read as stored; a missing or
// non-numeric REMOTEPORT opens 558.
CallAction LoadCallParams(std::string_view params);

// ---- the editor's form --------------------------------------------------------------------
// The message box only for an SMS; the PC's fields only through a PC. A call made for a PC (the
// rule list's PC button) always goes through it: the choice is ticked and locked.
struct CallView
{
    bool Message = false;
    bool PcFields = false;
    bool PcChoice = true;

    bool operator==(const CallView&) const = default;
};
CallView CallViewOf(const CallAction& action, bool forPc);
CallAction ForPc(CallAction action);
// The number takes digits; the PC's port digits and blanks.
inline constexpr KeyFilter kNumberKeys = KeyFilter::Digits;
inline constexpr KeyFilter kPcPortKeys = KeyFilter::DigitsAndBlank;
// No checks of its own: only the characters of what is stored.
FormCheck CheckCallForm(const CallAction& action, std::string_view description, const TypedOutside& typed);

} // namespace kor
