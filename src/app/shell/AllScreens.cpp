#include "app/shell/AllScreens.h"

#include "actions/ui/ActionEditors.h"
#include "app/ui/AppScreens.h"
#include "app/ui/ScreenRegistry.h"
#include "device/ui/DeviceScreens.h"
#include "rules/ui/RulesScreens.h"

namespace kor {

void RegisterAllScreens(ScreenRegistry& screens)
{
    RegisterAppScreens(screens);
    RegisterRulesScreens(screens);
    RegisterActionsScreens(screens);
    RegisterDeviceScreens(screens);
}

} // namespace kor
