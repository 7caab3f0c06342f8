#include "actions/ContactIdAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"

namespace kor {

namespace {

// A letter (either case) followed by exactly `digits` decimal digits. The receiving centre takes
// zone and group as fixed-width digit fields, so a sign or a blank is refused, unlike a number
// typed elsewhere.
bool IsLetterAndDigits(std::string_view text, char letter, std::size_t digits)
{
    if (text.size() != digits + 1 || UpperCp1252(text.front()) != letter)
        return false;
    for (const char c : text.substr(1)) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

const ContactIdEventCode kCodes[] = {
    {"100", LangTextId(2100)}, {"101", LangTextId(2101)}, {"110", LangTextId(2110)},
    {"111", LangTextId(2111)}, {"113", LangTextId(2113)}, {"114", LangTextId(2114)},
    {"120", LangTextId(2120)}, {"121", LangTextId(2121)}, {"122", LangTextId(2122)},
    {"123", LangTextId(2123)}, {"130", LangTextId(2130)}, {"131", LangTextId(2131)},
    {"132", LangTextId(2132)}, {"133", LangTextId(2133)}, {"134", LangTextId(2134)},
    {"137", LangTextId(2137)}, {"139", LangTextId(2139)}, {"140", LangTextId(2140)},
    {"144", LangTextId(2144)}, {"150", LangTextId(2150)}, {"151", LangTextId(2151)},
    {"154", LangTextId(2154)}, {"158", LangTextId(2158)}, {"159", LangTextId(2159)},
    {"162", LangTextId(2162)}, {"300", LangTextId(2300)}, {"301", LangTextId(2301)},
    {"302", LangTextId(2302)}, {"305", LangTextId(2305)}, {"350", LangTextId(2350)},
    {"373", LangTextId(2373)}, {"380", LangTextId(2380)}, {"384", LangTextId(2384)},
    {"401", LangTextId(2401)}, {"407", LangTextId(2407)}, {"570", LangTextId(2570)},
    {"602", LangTextId(2602)},
};

} // namespace

FormCheck CheckContactIdForm(const ContactIdAction& action, std::string_view description,
                             const TypedOutside& typed)
{
    if (action.Code.empty())
        return FormCheck::RefuseFixed("Debe elegir el c\xC3\xB3"
                                      "digo del ContactID.");
    if (!IsLetterAndDigits(action.Zone, 'Z', 3))
        return FormCheck::RefuseFixed("Error c\xC3\xB3"
                                      "digo de Zona.");
    if (!IsLetterAndDigits(action.Group, 'G', 2))
        return FormCheck::RefuseFixed("Error c\xC3\xB3"
                                      "digo de Grupo.");
    const StoredText texts[] = {{kDescriptionField, std::string(description)},
                                {{"txtCIDCode", LangTextId(1052), ValueKind::Param}, action.Code}};
    return CheckStoredTexts(texts, typed);
}

std::string PickedEventCode(int position)
{
    const std::span<const ContactIdEventCode> codes = ContactIdEventCodes();
    if (position < 0 || position >= static_cast<int>(codes.size()))
        return {};
    return codes[static_cast<std::size_t>(position)].Code;
}

int EventCodePosition(std::string_view typed)
{
    const std::size_t first = typed.find_first_not_of(' ');
    const std::size_t last = typed.find_last_not_of(' ');
    const std::string_view code =
        first == std::string_view::npos ? std::string_view() : typed.substr(first, last - first + 1);
    const std::span<const ContactIdEventCode> codes = ContactIdEventCodes();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (code == codes[i].Code)
            return static_cast<int>(i);
    }
    return -1;
}

std::string BuildContactIdParams(const ContactIdAction& action)
{
    std::string params;
    AppendParam(params, "EVENTTYPE", action.Alarm ? "1" : "3");
    AppendParam(params, "CIDCODE", action.Code);
    AppendParam(params, "GID", action.Group);
    AppendParam(params, "ZID", action.Zone);
    return params;
}

ContactIdAction LoadContactIdParams(std::string_view params)
{
    ContactIdAction action;
    action.Alarm = ReadParam(params, "EVENTTYPE") == "1";
    action.Code = ReadParam(params, "CIDCODE");
    action.Group = ReadParam(params, "GID");
    action.Zone = ReadParam(params, "ZID");
    return action;
}

std::span<const ContactIdEventCode> ContactIdEventCodes()
{
    return kCodes;
}

} // namespace kor
