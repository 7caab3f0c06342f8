#pragma once

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

} // namespace kor
