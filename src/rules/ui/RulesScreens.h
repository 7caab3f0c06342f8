#pragma once

namespace kor {

class ScreenRegistry;

// Registers the rule-editing screens: the child screens of the main window (1 FrmGen,
// 3 FrmZelk, ...) and the rule-editing screens of the screenshot tour.
void RegisterRulesScreens(ScreenRegistry& screens);

} // namespace kor
