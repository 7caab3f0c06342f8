#pragma once

#include "app/ProgramArguments.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kor {

class AppSession;
class LocalSettings;
class MainCommands;
class frmmain;

// The main window's load handler: start values, local settings, companion database, language,
// tool list, the camera and its model, the start-up check of the detector loop and the automatic
// download. Run() returns false when the start-up failed; the caller then runs Unload() and ends
// the program.
class MainLoad
{
public:
    // Picks a camera of the companion database when the one of the start values cannot be used
    // (why says what is wrong with it): its identifier, or nothing when the user gave up.
    using CameraChoice = std::function<std::optional<std::int16_t>(const QString& why)>;

    MainLoad(frmmain& window, AppSession& session, MainCommands& commands);

    // The camera chooser to use; the default opens CameraChooser over the window.
    void SetCameraChoice(CameraChoice choice) { m_choice = std::move(choice); }

    // Runs the load handler; false when the start-up failed (the reason went to standard error,
    // and to a message box where the user would otherwise see the program vanish).
    bool Run(const ProgramArguments& arguments, LocalSettings& settings);

    // The unload handler: releases the language and closes the companion connection.
    static void Unload(AppSession& session);

    // Whether the start-up loop check is asked for (model with the input/output capability).
    bool CheckedDetectorLoop() const { return m_checkedLoop; }

private:
    bool OpenLocalData(const ProgramArguments& arguments, LocalSettings& settings);
    bool ChooseUsableCamera();
    bool CheckDetectorLoopAtStart();
    bool Fail(const std::string& reason);

    frmmain& m_window;
    AppSession& m_session;
    MainCommands& m_commands;
    CameraChoice m_choice;
    bool m_checkedLoop = false;
};

} // namespace kor
