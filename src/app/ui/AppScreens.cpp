#include "app/ui/AppScreens.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/StartCamera.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/CameraChooser.h"
#include "app/ui/CameraEditor.h"
#include "app/ui/FrmAssist0.h"
#include "app/ui/FrmDoc.h"
#include "app/ui/NoticeWindow.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmmain.h"

namespace kor {

void RegisterAppScreens(ScreenRegistry& screens)
{
    screens.AddChildScreen(0, QStringLiteral("FrmAssist0"),
                           [](AppSession&, QWidget* parent) { return new FrmAssist0(parent); });
    screens.AddChildScreen(5, QStringLiteral("FrmDoc"),
                           [](AppSession& session, QWidget* parent) { return new FrmDoc(session, parent); });

    // The registry outlives every picture, so the main window may keep a reference to it.
    screens.AddTourScreen(
        QStringLiteral("frmmain"),
        [&screens](AppSession& session, QWidget*) -> QWidget* {
            auto* window = new frmmain(session, screens);
            ApplyLanguageTexts(window);
            window->AddToolListEntries();
            window->SetCameraCaption();
            window->SetStepIndex(0);
            window->ShowStep();
            return window;
        },
        QSize(960, 640));
    screens.AddTourScreen(
        QStringLiteral("FrmAssist0"),
        [](AppSession&, QWidget* parent) -> QWidget* {
            auto* assistant = new FrmAssist0(parent);
            assistant->XLoadAssist(0);
            return assistant;
        },
        QSize(760, 540));
    screens.AddTourScreen(QStringLiteral("NoticeWindow"), [](AppSession&, QWidget*) -> QWidget* {
        auto* notice = new NoticeWindow();
        notice->Text(LangText(183));
        return notice;
    });
    screens.AddTourScreen(
        QStringLiteral("CameraChooser"), [](AppSession& session, QWidget* parent) -> QWidget* {
            return new CameraChooser(session, CameraProblemText(CameraProblem::NoRecord, 7, std::string()),
                                     parent);
        });
    screens.AddTourScreen(QStringLiteral("CameraEditor"),
                          [](AppSession& session, QWidget* parent) -> QWidget* {
                              return new CameraEditor(session, session.Camera().Record(), false, parent);
                          });
}

} // namespace kor
