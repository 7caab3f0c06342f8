#include "rules/ui/RulesScreens.h"

#include "app/ui/ScreenRegistry.h"
#include "rules/ui/FrmGen.h"
#include "rules/ui/FrmZelk.h"

namespace kor {

void RegisterRulesScreens(ScreenRegistry& screens)
{
    screens.AddChildScreen(1, QStringLiteral("FrmGen"),
                           [](AppSession& session, QWidget* parent) { return new FrmGen(session, parent); });
    screens.AddChildScreen(3, QStringLiteral("FrmZelk"),
                           [](AppSession& session, QWidget* parent) { return new FrmZelk(session, parent); });
}

} // namespace kor
