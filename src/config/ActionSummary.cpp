#include "config/ActionSummary.h"

#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

// The parameter string with the value of every PWD pair emptied.
std::string WithoutPasswords(std::string_view params)
{
    std::string out;
    out.reserve(params.size());
    std::size_t pos = 0;
    while (pos < params.size()) {
        std::size_t end = params.find('\0', pos);
        const bool terminated = end != std::string_view::npos;
        if (!terminated)
            end = params.size();
        const std::string_view pair = params.substr(pos, end - pos);
        const std::size_t eq = pair.find('=');
        if (eq != std::string_view::npos && IsPasswordKey(pair.substr(0, eq)))
            out.append(pair.substr(0, eq + 1));
        else
            out.append(pair);
        if (terminated)
            out.push_back('\0');
        pos = end + 1;
    }
    return out;
}

bool HasNumericValue(const std::string& text, std::int64_t value)
{
    const std::optional<std::int64_t> n = ReadNumber(text);
    return n && *n == value;
}

// Type 0: which output (DISP) and how (ON), then the duration and the other device.
std::string OutputSummary(std::string_view params, const LangTextLookup& langText)
{
    const std::string disp = GetParam("DISP", params);
    const std::string on = GetParam("ON", params);
    std::string out;
    if (IsNumberText(disp)) {
        if (disp == "17") {
            out = HasNumericValue(on, 1) ? langText(227) : langText(228);
        } else if (disp == "18") {
            out = langText(229);
        } else {
            if (on == "1")
                out = langText(230);
            else if (on == "2")
                out = langText(231);
            else if (on == "3")
                out = langText(232);
            else
                out = langText(233);
            if (HasNumericValue(disp, 0))
                out += " " + langText(251);
            else
                out += " " + langText(234) + " " + disp;
        }
    }
    const std::string tm = GetParam("TM", params);
    if (!tm.empty())
        out += " " + langText(235) + " " + tm;
    const std::string ip = GetParam("IP", params);
    if (!ip.empty())
        out += " " + langText(236) + " " + ip;
    return out;
}

// Whether some pair is PWD with a value: a key of three bytes before an "=" that starts a pair.
bool HasPasswordValue(std::string_view params)
{
    for (std::size_t at = params.find('='); at != std::string_view::npos; at = params.find('=', at + 1)) {
        if (at >= 3 && (at == 3 || params[at - 4] == '\0') && IsPasswordKey(params.substr(at - 3, 3)) &&
            at + 1 < params.size() && params[at + 1] != '\0')
            return true;
    }
    return false;
}

} // namespace

std::string ActionSummary(const ActionRecord& action, const LangTextLookup& langText)
{
    // Nothing in a summary may come from a password, even where a looked-up key matches inside one.
    std::string_view p = action.Params;
    std::string withoutPasswords;
    if (HasPasswordValue(p)) {
        withoutPasswords = WithoutPasswords(p);
        p = withoutPasswords;
    }
    auto v = [&p](std::string_view key) { return GetParam(key, p); };
    switch (action.Type) {
    case ActOutput:
        return OutputSummary(p, langText);
    case ActRecord:
        return v("PC").empty() ? langText(238) : langText(237) + " " + v("PC");
    case ActCall:
        return (v("SMS").empty() ? langText(240) : langText(239)) + " " + v("TLFNO");
    case ActMove:
        return langText(241) + " " + v("POSNAME");
    case ActNotify:
        return langText(242) + " " + v("CLNT");
    case ActRemoteAlarm:
        return langText(243) + " " + v("IP") + " - " + langText(247) + " " + v("SEN");
    case ActUser: {
        std::string out = (v("AC") == "1" ? langText(248) : langText(245)) + "  " + v("USRB");
        if (v("FR") == "1")
            out += " " + langText(246) + " ";
        return out;
    }
    case ActMail:
        return langText(250) + " " + v("TO");
    case ActFtp:
        return "FTP " + v("HOST");
    case ActContactId:
        return (v("EVENTTYPE") == "1" ? std::string("ALARM") : std::string("RESTORE")) + " " + v("CIDCODE") +
               " " + v("GID") + " " + v("ZID");
    default:
        return std::string();
    }
}

std::string ActionSummary(const ConfigDocument& doc, int ruleIndex, int actionIndex,
                          const LangTextLookup& langText)
{
    const ActionRecord* action = doc.Action(ruleIndex, actionIndex);
    return action ? ActionSummary(*action, langText) : std::string();
}

} // namespace kor
