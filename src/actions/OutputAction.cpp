#include "actions/OutputAction.h"

#include "actions/ActionParams.h"
#include "config/LangTextId.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

namespace {

bool StoresDuration(const OutputAction& action)
{
    return (action.Mode == OutputAction::OnOff && IsPositiveNumber(action.Duration)) ||
           action.Mode == OutputAction::OffOn;
}

} // namespace

std::string BuildOutputParams(const OutputAction& action, std::string_view unitText)
{
    std::string params;
    AppendParam(params, "DISP", DecimalText(action.Output));
    AppendParam(params, "ON", DecimalText(action.Mode));
    if (action.OtherDevice) {
        AppendParam(params, "IP", action.Ip);
        AppendParam(params, "PORT", action.Port);
        AppendParam(params, "USR", action.User);
        AppendParam(params, "PWD", action.Password);
        AppendParam(params, "BRAND", "");
    }
    if (StoresDuration(action))
        AppendParam(params, "TM", action.Duration + std::string(unitText.substr(0, 1)));
    return params;
}

OutputAction LoadOutputParams(std::string_view params)
{
    OutputAction action;
    std::uint8_t output = 0;
    if (ReadNumberAs<std::uint8_t>(ReadParam(params, "DISP"), output) == NumberRead::Ok &&
        output < OutputAction::OutputCount)
        action.Output = output;

    std::uint8_t mode = 0;
    if (ReadNumberAs<std::uint8_t>(ReadParam(params, "ON"), mode) != NumberRead::Ok ||
        mode > OutputAction::OffOn)
        mode = OutputAction::Off;
    action.Mode = mode;

    const std::string ip = ReadParam(params, "IP");
    if (!ip.empty()) {
        action.OtherDevice = true;
        action.Ip = ip;
        action.Port = ReadParam(params, "PORT");
        action.User = ReadParam(params, "USR");
        action.Password = ReadParam(params, "PWD");
    }

    const std::string tm = ReadParam(params, "TM");
    if (!tm.empty()) {
        action.Duration = tm.substr(0, tm.size() - 1);
        action.Unit = UpperCp1252(tm.back()) == 'S' ? 0 : 1;
    }
    return action;
}

OutputView OutputViewOf(const OutputAction& action)
{
    OutputView view;
    view.OffMode = action.Output != OutputAction::AlarmOutput;
    view.TimedModes = action.Output != OutputAction::AlarmOutput && action.Output != OutputAction::ArmOutput;
    view.Duration = action.Mode == OutputAction::OnOff || action.Mode == OutputAction::OffOn;
    view.Device = action.OtherDevice;
    return view;
}

OutputAction ChooseOutput(OutputAction action, int position)
{
    action.Output = position;
    const bool timed = action.Mode == OutputAction::OnOff || action.Mode == OutputAction::OffOn;
    if (position == OutputAction::AlarmOutput || (position == OutputAction::ArmOutput && timed))
        action.Mode = OutputAction::On;
    return action;
}

std::string DurationLeft(std::string_view typed)
{
    return typed.find_first_not_of(' ') == std::string_view::npos ? std::string("0") : std::string(typed);
}

FormCheck CheckOutputForm(const OutputAction& action, std::string_view description, const TypedOutside& typed)
{
    std::vector<StoredText> texts{{kDescriptionField, std::string(description)}};
    if (StoresDuration(action))
        texts.push_back({{"TxtSeg", LangTextId(1035), ValueKind::Param}, action.Duration});
    if (action.OtherDevice) {
        texts.push_back({{"TxtPort", LangTextId(106), ValueKind::Param}, action.Port});
        texts.push_back({{"TxtUsr", LangTextId(107), ValueKind::Param}, action.User});
        texts.push_back({{"TxtPwd", LangTextId(108), ValueKind::Param}, action.Password});
    }
    return CheckStoredTexts(texts, typed);
}

} // namespace kor
