#pragma once

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

} // namespace kor
