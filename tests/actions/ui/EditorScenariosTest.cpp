// The editors driven as a user drives them: every editor reopens a stored action and stores it
// again unchanged; one editor's open, type and cancel cycle with real keys; a refused
// character shown in the user's language; the camera's presets asked on opening.

#include "EditorHarness.h"

#include "actions/ui/FrmActvs.h"
#include "actions/ui/FrmMove.h"
#include "actions/ui/Frmcall.h"
#include "app/ui/ScreenRegistry.h"
#include "device/HttpClient.h"
#include "rules/ui/FrmTT.h"
#include "rules/ui/ModalScreens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kor {
namespace {

using EditorScenarios = test::EditorHarness;

TEST_F(EditorScenarios, EveryEditorReopensAStoredActionAndStoresItAgainUnchanged)
{
    const CurrentCamera& camera = m_session.Camera();
    const std::string device = "IP=" + camera.IpAddress() + "$PORT=" + std::to_string(camera.Port()) +
                               "$USR=" + camera.UserName() + "$PWD=" + camera.Password() + "$";
    const std::pair<std::int32_t, std::string> stored[] = {
        {ActOutput, "DISP=5$ON=3$IP=10.0.0.9$PORT=81$USR=op$PWD=pw$BRAND=$TM=15S$"},
        {ActRecord, "PC=10.0.0.9$PA=1$FR=7$TIME=45$WMK=abc$"},
        {ActCall, "REMOTE=1$REMOTEIP=10.0.0.5$REMOTEPORT=9000$TLFNO=600$SMS=hi$"},
        {ActNotify, "CLNT=10.0.0.7$PORT=9100$SEN=7$DESC=Siren$SND=0$"},
        {ActRemoteAlarm, "IP=10.0.0.4$PORT=80$USR=u$PWD=p$DEV=0$SEN=75$"},
        {ActRemoteAlarm, "IP=10.0.0.5$PORT=8080$USR=$PWD=$DEV=1$SEN=15$"},
        {ActUser, device + "USRB=ann$AC=0$FR=1$"},
        {ActMail, "TO=a@x.es  b@x.es$CC=c$SUBJECT=s$MSG=l1<ipncr>l2$"},
        {ActFtp, "HOST=h$PORT=21$USER=u$PWD=p=w$RD=/r$PRFX=x$"},
        {ActContactId, "EVENTTYPE=3$CIDCODE=130$GID=G01$ZID=Z002$"},
    };
    const Interval night{{20, 0, 0}, {23, 0, 0}};
    for (const auto& [type, params] : stored) {
        Doc().AddAction(7, ActionRecord{type, "Siren", Params(params), {}, false});
        const int index = Doc().ActionCount(7) - 1;
        Doc().AddInterval(7, index, 6, night);
        Doc().Saved = true;
        auto editor = Open<ActionEditor>(type, 7, index);
        EXPECT_TRUE(Button(*editor, "BTL1")->isEnabled()) << params;
        Click(*editor, "CmdAdd");
        EXPECT_TRUE(editor->Stored()) << params;
        EXPECT_EQ(test::Visible(Doc().Action(7, index)->Params), test::Visible(Params(params)));
        const auto day = Doc().Action(7, index)->TimeTable.Day(6);
        EXPECT_EQ(std::vector<Interval>(day.begin(), day.end()), std::vector<Interval>{night}) << params;
        EXPECT_TRUE(Doc().Saved) << "confirming without a change is no change: " << params;
    }
    EXPECT_TRUE(m_dialogs.Messages().isEmpty());
}

TEST_F(EditorScenarios, OpenTypeAndCancelWithRealKeys)
{
    Doc().AddAction(3, ActionRecord{ActOutput, "Siren", Params("DISP=1$ON=1$"), {}, false});
    Doc().Saved = true;
    const ConfigDocument before = Doc();

    auto editor = Open<FrmActvs>(ActOutput, 3, 0);
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    QLineEdit* seconds = Find<QLineEdit>(*editor, "TxtSeg");
    EXPECT_FALSE(seconds->isEnabled()) << "mode on is never timed";
    QRadioButton* offOn = Find<QRadioButton>(*editor, "OptOFFON");
    QTest::mouseClick(offOn, Qt::LeftButton, {}, QPoint(6, offOn->height() / 2));
    ASSERT_TRUE(seconds->isEnabled());
    seconds->setFocus();
    seconds->selectAll();
    QTest::keyClicks(seconds, QStringLiteral("1a-5 "));
    EXPECT_EQ(seconds->text(), QStringLiteral("15")) << "digits only";
    // The detector alarm only switches on: the choice fills in the mode and locks the others.
    Find<QComboBox>(*editor, "CmbActvs")->setCurrentIndex(18);
    EXPECT_TRUE(Find<QRadioButton>(*editor, "OptOn")->isChecked());
    EXPECT_FALSE(offOn->isEnabled());
    Click(*editor, "CmdCancel");
    EXPECT_FALSE(editor->Stored());
    EXPECT_EQ(Doc().Rule(3), before.Rule(3));
    EXPECT_TRUE(Doc().Saved);
    // Confirming typed keys is the typical road's.
}

TEST_F(EditorScenarios, ARefusedCharacterIsNamedWithItsFieldAndNothingIsStored)
{
    auto editor = Open<ActionEditor>(ActFtp, 9, -1);
    editor->show();
    QTest::keyClicks(Find<QLineEdit>(*editor, "txtPassword"), QStringLiteral("p$$w;d"));
    Click(*editor, "CmdAdd");
    EXPECT_EQ(m_dialogs.Messages(),
              QStringList{QStringLiteral("The field \"Password\" cannot hold the character \"$\": the "
                                         "configuration file uses it to separate values.")});
    QLineEdit* host = Find<QLineEdit>(*editor, "txtHost");
    host->insert(QStringLiteral("ftp\u2192x")); // pasted: the test keyboard has no such key
    m_dialogs.Clear();
    Click(*editor, "CmdAdd");
    EXPECT_EQ(m_dialogs.Messages(), QStringList{QStringLiteral(
                                        "The field \"Server\" cannot hold the character \"\u2192\" (U+2192): "
                                        "the configuration file's code page has no place for it.")});
    EXPECT_EQ(Doc().ActionCount(9), 0);

    host->setText(QStringLiteral("ftp.invalid"));
    Find<QLineEdit>(*editor, "txtPassword")->setText(QStringLiteral("p\u00e9w"));
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(9), 1);
    EXPECT_EQ(Doc().Action(9, 0)->Params, Params("HOST=ftp.invalid$PORT=$USER=$PWD=p\xE9w$RD=$PRFX=$"));
}

TEST_F(EditorScenarios, TheRuleListOpensEditorsThroughTheRegistrationAndACallForAPcGoesThroughIt)
{
    ActionEditorRequest request;
    request.Type = 42;
    EXPECT_FALSE(LaunchActionEditor(m_session, request, nullptr)) << "no launcher registered yet";
    ScreenRegistry screens;
    RegisterActionsScreens(screens);
    EXPECT_FALSE(OpenActionEditor(m_session, request, nullptr));
    ScopedModalDriver driver([&](QDialog* dialog) {
        auto* editor = qobject_cast<Frmcall*>(dialog);
        ASSERT_NE(editor, nullptr);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
        EXPECT_TRUE(Find<QCheckBox>(*editor, "chkpc")->isChecked());
        QTest::keyClicks(Find<QLineEdit>(*editor, "txt_port"), QStringLiteral("5 5x8"));
        QTest::keyClicks(Find<QLineEdit>(*editor, "TxtTlfno"), QStringLiteral("6 0+0"));
        Click(*editor, "CmdAdd");
    });
    request = ActionEditorRequest{90, -1, ActCall, true};
    EXPECT_TRUE(LaunchActionEditor(m_session, request, nullptr));
    SetActionEditorLauncher(nullptr);
    ASSERT_EQ(Doc().ActionCount(90), 1);
    EXPECT_EQ(Doc().Action(90, 0)->Params, Params("REMOTE=1$REMOTEIP=$REMOTEPORT=558558$TLFNO=600$SMS=$"));
}

// Answers every GET with one prepared reply and remembers the address asked.
class PresetHttp : public HttpClient
{
public:
    HttpResponse Get(const DeviceUrl& url, int) override
    {
        Asked.push_back(url.Text());
        return Reply;
    }
    HttpResponse Post(const DeviceUrl&, const std::string&, int) override { return {}; }

    HttpResponse Reply;
    std::vector<std::string> Asked;
};

TEST_F(EditorScenarios, TheCameraMoveEditorListsTheCamerasPresetsAsTheAnswerGivesThem)
{
    PresetHttp http;
    m_session.Services().Http = &http;
    ChangeCamera([](CameraRecord& camera) {
        camera.Brand = "AXIS";
        camera.PositioningSupport = true;
    });
    UseCamera("127.0.0.1", 8080, "root", "pw");
    // A name ends at its first CR, and a line without "=" ends the list.
    http.Reply.Status = 200;
    http.Reply.Body = "Preset Positions\r\np1=Door\rjunk\r\np2=GateZZZ\r\nend\r\np4=Yard\r\n";

    auto editor = Open<FrmMove>(ActMove, 7, -1);
    m_session.Services().Http = nullptr;
    ASSERT_EQ(http.Asked.size(), 1u);
    EXPECT_NE(http.Asked[0].find("/axis-cgi/com/ptz.cgi?query=presetposall"), std::string::npos);
    QListWidget* list = Find<QListWidget>(*editor, "LvwPrepos");
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(1);
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(7), 1);
    EXPECT_EQ(test::Visible(Doc().Action(7, 0)->Params),
              test::Visible(Params("IP=127.0.0.1$PORT=8080$USR=root$PWD=pw$BRAND=AXIS$CAMPRESET=GateZZZ$"
                                   "POSNAME=Gate$")));
}

} // namespace
} // namespace kor
