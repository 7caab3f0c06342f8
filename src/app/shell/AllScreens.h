#pragma once

namespace kor {

class ScreenRegistry;

// Registers every screen this build has: the main window's child screens and the pictures of the
// screenshot tour. A screen library adds its Register...Screens call in AllScreens.cpp.
void RegisterAllScreens(ScreenRegistry& screens);

} // namespace kor
