#include "app/shell/AllScreens.h"

#include "app/ui/AppScreens.h"
#include "app/ui/ScreenRegistry.h"

#ifdef KOR_HAVE_KOR_RULES_UI
#include "rules/ui/RulesScreens.h"
#endif
#ifdef KOR_HAVE_KOR_DEVICE_UI
#include "device/ui/DeviceScreens.h"
#endif
#ifdef KOR_HAVE_KOR_ACTIONS_UI
#include "actions/ui/ActionEditors.h"
#endif

namespace kor {

void RegisterAllScreens(ScreenRegistry& screens)
{
    RegisterAppScreens(screens);
#ifdef KOR_HAVE_KOR_RULES_UI
    RegisterRulesScreens(screens);
#endif
#ifdef KOR_HAVE_KOR_ACTIONS_UI
    RegisterActionsScreens(screens);
#endif
#ifdef KOR_HAVE_KOR_DEVICE_UI
    RegisterDeviceScreens(screens);
#endif
}

} // namespace kor
