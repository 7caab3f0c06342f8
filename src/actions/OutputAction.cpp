#include "actions/OutputAction.h"

#include "actions/ActionParams.h"
#include "config/ParamString.h"
#include "config/TextNumber.h"

namespace kor {

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
    if ((action.Mode == OutputAction::OnOff && IsPositiveNumber(action.Duration)) ||
        action.Mode == OutputAction::OffOn)
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

} // namespace kor
