#pragma once

#include "app/UserDialogs.h"
#include "device/DeviceDownload.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace kor {

// The rules of the main window and its commands, free of widgets: the workflow steps, which
// screen a number shows and when a switch is refused, what is enabled while a command or a device
// operation runs and how a download's outcome is shown.

inline constexpr std::uint8_t kLastWorkflowStep = 7;
inline constexpr std::uint8_t kHelpScreen = 0;
inline constexpr std::uint8_t kGeneralScreen = 1;
inline constexpr std::uint8_t kCatalogueScreen = 2;
inline constexpr std::uint8_t kDetectorScreen = 3;
inline constexpr std::uint8_t kDeviceLinkScreen = 4;
inline constexpr std::uint8_t kReportScreen = 5;
inline constexpr std::uint8_t kCamerasScreen = 6; // one configuration to many cameras

// The screen of a workflow step: the help screen on even steps, then 1, 2, 3, 4.
std::uint8_t ScreenOfStep(std::uint8_t step);

struct WorkflowButtons
{
    bool BackEnabled = false;
    bool NextEnabled = false;
};
// Back is enabled above step 0, Next below the last step.
WorkflowButtons WorkflowButtonsOfStep(std::uint8_t step);

// The step Back (delta -1) or Next (+1) leads to; nothing at the ends or while a device
// operation runs.
std::optional<std::uint8_t> StepAfter(std::uint8_t step, int delta, bool deviceBusy);

struct ScreenChoice
{
    bool Refused = false;
    int MessageText = 0;     // shown (information icon) when refused with a message
    std::uint8_t Screen = 0; // the screen to embed; numbers without a screen show the catalogue
};
// Whether screen n may replace the current one: never while a device operation runs; the
// detector screen only for a model with inputs and outputs whose input 1 is the detector (179).
ScreenChoice ChooseScreen(std::uint8_t n, bool deviceBusy, bool modelInputOutput,
                          std::int16_t inputOneAsSensor);

struct MainControls
{
    bool ToolBar = true;
    bool Screen = true;   // the embedded screen: it follows a device operation and can cancel it
    bool ToolList = true; // with the workflow buttons
};
// While a command runs (commandsDisabled) nothing takes input; while a device operation runs the
// embedded screen stays usable.
MainControls MainControlsOf(bool commandsDisabled, bool deviceBusy);

// The help text file of the assistant screen: "as<N><code>.html" for N 0..4, "<code>.html" else.
QString HelpFileName(std::uint8_t helpNumber, const QString& languageCode);

struct DownloadReaction
{
    MessageIcon Icon = MessageIcon::Information;
    std::uint8_t Screen = kHelpScreen;
    bool HideWorkflowButtons = false;
};
// The message box, the screen and the workflow buttons after a download.
DownloadReaction ReactionToDownload(DownloadOutcome outcome);

} // namespace kor
