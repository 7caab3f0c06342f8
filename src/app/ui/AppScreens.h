#pragma once

namespace kor {

class ScreenRegistry;

// Registers the application shell's screens: child screens 0 (FrmAssist0) and 5 (FrmDoc), and the
// tour pictures of the main window, the notice window and the camera chooser and editor.
void RegisterAppScreens(ScreenRegistry& screens);

} // namespace kor
