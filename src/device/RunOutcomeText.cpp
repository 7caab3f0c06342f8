#include "device/RunOutcomeText.h"

#include "config/LangTextId.h"

namespace kor {

namespace {

int FailureText(RunFailure failure)
{
    switch (failure) {
    case RunFailure::None:
        break;
    case RunFailure::Unreachable:
        return LangTextId(1188);
    case RunFailure::Refused:
        return LangTextId(1189);
    case RunFailure::NoApplicationFiles:
        return LangTextId(1190);
    case RunFailure::Installation:
        return LangTextId(1191);
    case RunFailure::Settings:
        return LangTextId(1192);
    case RunFailure::Upload:
        return LangTextId(1193);
    case RunFailure::NotStored:
        return LangTextId(1220);
    case RunFailure::LoopBroken:
        return LangTextId(1194);
    case RunFailure::IoCheck:
        return LangTextId(1195);
    case RunFailure::Home:
        return LangTextId(1196);
    case RunFailure::Cancelled:
        return LangTextId(1197);
    }
    return 0;
}

} // namespace

OutcomeLine RunOutcomeLine(RunFailure failure, const RunDone& done, const TextLookup& text)
{
    if (failure != RunFailure::None)
        return {text(FailureText(failure)), LogKind::Error};
    const std::pair<bool, int> parts[] = {
        {done.Installed, LangTextId(1182)},  {done.SettingsSent, LangTextId(1183)},
        {done.ConfigSent, LangTextId(1184)}, {done.LoopChecked, LangTextId(1185)},
        {done.HomeSet, LangTextId(1186)},
    };
    std::string line;
    for (const auto& [wasDone, number] : parts) {
        if (!wasDone)
            continue;
        if (!line.empty())
            line += ' ';
        line += text(number);
    }
    return {line.empty() ? text(LangTextId(1187)) : line, LogKind::Plain};
}

} // namespace kor
