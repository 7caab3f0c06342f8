#include "app/MainForm.h"

namespace kor {

std::uint8_t ScreenOfStep(std::uint8_t step)
{
    static constexpr std::array<std::uint8_t, kLastWorkflowStep + 1> kScreens = {0, 1, 0, 2, 0, 3, 0, 4};
    return step < kScreens.size() ? kScreens[step] : kHelpScreen;
}

WorkflowButtons WorkflowButtonsOfStep(std::uint8_t step)
{
    return {step > 0, step < kLastWorkflowStep};
}

std::optional<std::uint8_t> StepAfter(std::uint8_t step, int delta, bool deviceBusy)
{
    const int next = step + delta;
    if (deviceBusy || next < 0 || next > kLastWorkflowStep)
        return std::nullopt;
    return static_cast<std::uint8_t>(next);
}

ScreenChoice ChooseScreen(std::uint8_t n, bool deviceBusy, bool modelInputOutput,
                          std::int16_t inputOneAsSensor)
{
    if (deviceBusy)
        return {true, 0, n};
    if (n == kDetectorScreen && (!modelInputOutput || inputOneAsSensor != 1))
        return {true, 179, n};
    return {false, 0, n <= kCamerasScreen ? n : kCatalogueScreen};
}

MainControls MainControlsOf(bool commandsDisabled, bool deviceBusy)
{
    const bool enabled = !commandsDisabled && !deviceBusy;
    return {enabled, !commandsDisabled, enabled};
}

QString HelpFileName(std::uint8_t helpNumber, const QString& languageCode)
{
    return helpNumber <= 4 ? QStringLiteral("as%1%2.html").arg(helpNumber).arg(languageCode)
                           : languageCode + QStringLiteral(".html");
}

DownloadReaction ReactionToDownload(DownloadOutcome outcome)
{
    switch (outcome) {
    case DownloadOutcome::ConfigNotFound:
    case DownloadOutcome::ConfigUnauthorized:
    case DownloadOutcome::ConfigUnreachable:
    case DownloadOutcome::SettingsNotFound:
    case DownloadOutcome::SettingsUnauthorized:
    case DownloadOutcome::SettingsUnreachable:
    case DownloadOutcome::SettingsUnreadable:
        return {MessageIcon::Exclamation, kHelpScreen, false};
    case DownloadOutcome::NoGeneralSettings:
        return {MessageIcon::Information, kGeneralScreen, true};
    case DownloadOutcome::NoConfiguration:
    case DownloadOutcome::Loaded:
        break;
    }
    return {MessageIcon::Information, kCatalogueScreen, true};
}

} // namespace kor
