#pragma once

namespace kor {

class ScreenRegistry;

// Registers the rule-editing screens: the child screens of the main window (1 FrmGen,
// 2 frmEventos, 3 FrmZelk) and the tour pictures of the rule list and the time table.
void RegisterRulesScreens(ScreenRegistry& screens);

} // namespace kor
