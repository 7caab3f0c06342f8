#pragma once

#include "device/LinkContext.h"

#include <cstdint>
#include <string_view>

namespace kor {

// The rules of the device link screen, free of widgets: which option boxes are enabled and
// ticked, the key filter of the port and when the run button starts a run.

struct OptionBox
{
    bool Enabled = true;
    bool Checked = false;
};

struct ConnectBoxes
{
    OptionBox Install;        // Check4
    OptionBox UpdateSettings; // Check1
    OptionBox SendConfig;     // Check2
    OptionBox IoCheck;        // Check3
    OptionBox ProgramCode;    // Check5
    OptionBox ProgramSensors; // Check6
    OptionBox Home;           // Check7
};

// What the screen opens on.
struct ConnectOpening
{
    bool ModelInputOutput = false;
    std::int16_t InputOneAsSensor = 0;
    bool ModelHasPresets = false; // capability bit 8: the home position can be set
    bool RelayEnabled = false;
    bool CameraHasAddress = false; // the boxes take the run options only for a camera with one
    LinkOptions Remembered;        // the run options as the boxes were last left
};

// The boxes korctl apply also offers (OfferedLinkOptionsFor) are enabled; a box that cannot be used
// is never ticked, and the sub-options of Check3 follow it.
ConnectBoxes OpenConnectBoxes(const ConnectOpening& opening);

// Clicking Check3: its sub-options are enabled with it and cleared without it.
ConnectBoxes ClickIoCheck(ConnectBoxes boxes, bool checked);

// The run options the boxes give.
LinkOptions OptionsOf(const ConnectBoxes& boxes);

// The port takes digits and backspace (character code 8); any other typed character is dropped.
bool PortKeyAccepted(char32_t c);

// The run button starts a run unless one is running or no address is given ("0.0.0.0").
bool RunMayStart(bool running, std::string_view address);

} // namespace kor
