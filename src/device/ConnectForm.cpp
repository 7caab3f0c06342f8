#include "device/ConnectForm.h"

#include "device/StartDecisions.h"

namespace kor {

ConnectBoxes OpenConnectBoxes(const ConnectOpening& opening)
{
    const OfferedLinkOptions offered = OfferedLinkOptionsFor(
        opening.ModelInputOutput, opening.ModelHasPresets, opening.RelayEnabled, opening.InputOneAsSensor);
    ConnectBoxes boxes;
    boxes.IoCheck.Enabled = offered.IoCheck;
    boxes.Home.Enabled = offered.Home;
    boxes.Install.Enabled = offered.Install;
    if (opening.CameraHasAddress) {
        const LinkOptions& options = opening.Remembered;
        boxes.Install.Checked = options.Install && boxes.Install.Enabled;
        boxes.UpdateSettings.Checked = options.UpdateSettings;
        boxes.SendConfig.Checked = options.SendConfig;
        boxes.IoCheck.Checked = options.IoCheck && boxes.IoCheck.Enabled;
    }
    boxes.ProgramCode.Enabled = boxes.IoCheck.Checked;
    boxes.ProgramSensors.Enabled = boxes.IoCheck.Checked;
    return boxes;
}

ConnectBoxes ClickIoCheck(ConnectBoxes boxes, bool checked)
{
    boxes.IoCheck.Checked = checked;
    boxes.ProgramCode.Enabled = checked;
    boxes.ProgramSensors.Enabled = checked;
    if (!checked) {
        boxes.ProgramCode.Checked = false;
        boxes.ProgramSensors.Checked = false;
    }
    return boxes;
}

LinkOptions OptionsOf(const ConnectBoxes& boxes)
{
    LinkOptions options;
    options.Install = boxes.Install.Checked;
    options.UpdateSettings = boxes.UpdateSettings.Checked;
    options.SendConfig = boxes.SendConfig.Checked;
    options.IoCheck = boxes.IoCheck.Checked;
    options.ProgramCode = boxes.ProgramCode.Checked;
    options.ProgramSensors = boxes.ProgramSensors.Checked;
    options.Home = boxes.Home.Checked;
    return options;
}

bool PortKeyAccepted(char32_t c)
{
    return c == 8 || (c >= U'0' && c <= U'9');
}

bool RunMayStart(bool running, std::string_view address)
{
    return !running && !address.empty() && address != "0.0.0.0";
}

} // namespace kor
