#include "rules/ui/RulesScreens.h"

#include "app/ui/ScreenRegistry.h"
#include "rules/ui/FrmGen.h"
#include "rules/ui/FrmSens.h"
#include "rules/ui/FrmTT.h"
#include "rules/ui/FrmZelk.h"
#include "rules/ui/frmEventos.h"

namespace kor {

namespace {

// The tour shows the rule list and the time table of the sample project's digital input 1.
constexpr std::int16_t kTourRule = 1;

} // namespace

void RegisterRulesScreens(ScreenRegistry& screens)
{
    screens.AddChildScreen(1, QStringLiteral("FrmGen"),
                           [](AppSession& session, QWidget* parent) { return new FrmGen(session, parent); });
    screens.AddChildScreen(2, QStringLiteral("frmEventos"), [](AppSession& session, QWidget* parent) {
        return new frmEventos(session, parent);
    });
    screens.AddChildScreen(3, QStringLiteral("FrmZelk"),
                           [](AppSession& session, QWidget* parent) { return new FrmZelk(session, parent); });

    screens.AddTourScreen(QStringLiteral("FrmSens"), [](AppSession& session, QWidget* parent) -> QWidget* {
        auto* rules = new FrmSens(session, parent);
        rules->SetClaveSens(kTourRule);
        rules->Load();
        return rules;
    });
    screens.AddTourScreen(QStringLiteral("FrmTT"), [](AppSession& session, QWidget* parent) -> QWidget* {
        auto* table = new FrmTT(session, parent);
        table->SetSen(kTourRule);
        table->SetActv(0);
        table->FillGrd();
        return table;
    });
}

} // namespace kor
