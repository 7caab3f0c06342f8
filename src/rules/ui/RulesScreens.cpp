#include "rules/ui/RulesScreens.h"

#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmmain.h"
#include "rules/ui/FrmGen.h"
#include "rules/ui/FrmSens.h"
#include "rules/ui/FrmTT.h"
#include "rules/ui/FrmZelk.h"
#include "rules/ui/frmEventos.h"

#include <QListWidget>

namespace kor {

namespace {

// The tour shows the rule list and the time table of the sample project's digital input 1.
constexpr std::int16_t kTourRule = 1;

// The main window with the catalogue chosen from its tool list, then with the help screen after
// it: the list marks the screen shown, and nothing while help is up.
QWidget* MainWindowAfter(AppSession& session, const ScreenRegistry& screens, std::uint8_t shownLast)
{
    auto* window = new frmmain(session, screens);
    ApplyLanguageTexts(window);
    window->AddToolListEntries();
    window->SetCameraCaption();
    // As a click on the list's "Event sources" entry does.
    if (auto* tools = window->findChild<QListWidget*>(QStringLiteral("LstTools")))
        tools->setCurrentRow(1);
    window->ShowScreen(2);
    window->SetWorkflowButtonsVisible(false);
    if (shownLast != 2)
        window->ShowScreen(shownLast);
    return window;
}

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
    for (const std::uint8_t shown : {2, 0}) {
        screens.AddTourScreen(
            shown == 2 ? QStringLiteral("frmmain-catalogue") : QStringLiteral("frmmain-help"),
            [&screens, shown](AppSession& session, QWidget*) {
                return MainWindowAfter(session, screens, shown);
            },
            QSize(960, 640));
    }
}

} // namespace kor
