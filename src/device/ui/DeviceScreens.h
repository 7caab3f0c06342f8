#pragma once

namespace kor {

class ScreenRegistry;

// Registers the device link's screens: child screens 4 (FrmConnect) and 6 (FrmCameras), and the tour pictures
// of FrmConnect after a run against the simulated camera and of FrmHome.
void RegisterDeviceScreens(ScreenRegistry& screens);

} // namespace kor
