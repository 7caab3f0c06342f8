#pragma once

#include "actions/EditorForm.h"

#include <string>
#include <string_view>

namespace kor {

// The fields of an e-mail action (type 7) in their shown form: recipients separated by ";", the
// message's lines ended by CR LF.
struct MailAction
{
    std::string To;
    std::string Cc;
    std::string Subject;
    std::string Message;

    bool operator==(const MailAction&) const = default;
};

// A configuration line cannot hold ";" or a line break, so TO and CC store each ";" as a blank and
// MSG each CR LF as "<ipncr>" (a lone CR or LF is left alone); SUBJECT is stored as typed.
std::string BuildMailParams(const MailAction& action);
// The reverse: each blank of TO and CC shows as ";", each "<ipncr>" of MSG as CR LF.
MailAction LoadMailParams(std::string_view params);

// ---- the editor's form --------------------------------------------------------------------
// The message box ends its lines with LF alone; the action's message with CR LF, so that every
// line break the user typed is encoded when stored.
std::string MessageFromBox(std::string_view box);
std::string MessageToBox(std::string_view message);
// No checks of its own: the characters of the values as stored, after the conversions (a ";"
// between recipients is fine; one in the subject is not).
FormCheck CheckMailForm(const MailAction& action, std::string_view description, const TypedOutside& typed);

} // namespace kor
