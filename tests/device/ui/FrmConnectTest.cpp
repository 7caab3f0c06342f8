#include "ConnectFixture.h"

#include "app/Language.h"
#include "app/ui/AppScreens.h"
#include "app/ui/IPTxt.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmmain.h"
#include "device/ui/DeviceScreens.h"
#include "device/ui/FrmConnect.h"
#include "outside/companion/ModelRecord.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>

namespace kor::test {
namespace {

using FrmConnectRules = ConnectFixture;

ModelRecord ModelWithout(const char* name, bool inputOutput, std::uint32_t capabilities)
{
    ModelRecord model;
    model.ModelName = name;
    model.ModelFolderName = "DEMO-1";
    model.InputOutput = inputOutput;
    model.CapabilityFlags = capabilities;
    model.ProgramList = "alarmappd#chkiod";
    return model;
}

TEST_F(FrmConnectRules, OpeningEnablesTheBoxesTheModelTheDetectorAndTheRelayAllow)
{
    struct Case
    {
        const char* What;
        const char* Model; // nullptr: the seeded DEMO-1 (input/output, capability 8)
        bool InputOutput;
        std::uint32_t Capabilities;
        std::uint8_t InputOneAsSensor;
        bool Relay;
        bool Check3, Check7, Check4;
    };
    const Case cases[] = {
        {"everything allowed", nullptr, true, 511, 1, false, true, true, true},
        {"input 1 is not the detector", nullptr, true, 511, 0, false, false, true, true},
        {"no input/output", "NO-IO", false, 511, 1, false, false, true, true},
        {"no positioning presets (capability 8)", "NO-PRESETS", true, 503, 1, false, true, false, true},
        {"through the relay nothing is installed", nullptr, true, 511, 1, true, true, true, false},
    };
    std::int16_t id = 20;
    for (const Case& c : cases) {
        CameraRecord camera = DemoCamera(id++);
        ModelRecord model;
        if (c.Model) {
            model = ModelWithout(c.Model, c.InputOutput, c.Capabilities);
            camera.ModelName = c.Model;
        }
        UseCamera(camera, c.Model ? &model : nullptr);
        m_session.Document().InputOneAsSensor = c.InputOneAsSensor;
        m_session.Start().RelayEnabled = c.Relay;
        FrmConnect screen(m_session);
        EXPECT_EQ(Find<QCheckBox>(screen, "Check3")->isEnabled(), c.Check3) << c.What;
        EXPECT_EQ(Find<QCheckBox>(screen, "Check7")->isEnabled(), c.Check7) << c.What;
        EXPECT_EQ(Find<QCheckBox>(screen, "Check4")->isEnabled(), c.Check4) << c.What;
        EXPECT_TRUE(Find<QCheckBox>(screen, "Check1")->isEnabled()) << c.What;
        EXPECT_TRUE(Find<QCheckBox>(screen, "Check2")->isEnabled()) << c.What;
    }
}

TEST_F(FrmConnectRules, FieldsComeFromTheCameraAndTheBoxesFromTheRunOptions)
{
    CameraRecord camera = DemoCamera(7);
    camera.IpAddress = "127.0.0.9";
    camera.Port = 8080;
    camera.UserName = "oper\xE1"
                      "dor"; // Windows-1252 a with acute accent
    camera.Password = "s3cret";
    UseCamera(camera);
    FrmConnect::RunOptions() = LinkOptions{true, true, true, true, true, true, true};

    struct Case
    {
        bool Relay;
        bool Check4;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        m_session.Start().RelayEnabled = c.Relay;
        FrmConnect screen(m_session);
        EXPECT_EQ(Find<IPTxt>(screen, "IPTxt1")->IPtext(), QStringLiteral("127.0.0.9"));
        EXPECT_EQ(Find<QLineEdit>(screen, "TxtPort")->text(), QStringLiteral("8080"));
        EXPECT_EQ(Find<QLineEdit>(screen, "TxtUsr")->text(), QString::fromUtf8("oper\xC3\xA1"
                                                                               "dor"));
        EXPECT_EQ(Find<QLineEdit>(screen, "TxtPwd")->text(), QStringLiteral("s3cret"));
        EXPECT_EQ(Find<QLineEdit>(screen, "TxtPwd")->echoMode(), QLineEdit::Password);
        // A box the relay disables is never left ticked, or the run would install through it.
        EXPECT_EQ(Find<QCheckBox>(screen, "Check4")->isChecked(), c.Check4) << "relay " << c.Relay;
        EXPECT_TRUE(Find<QCheckBox>(screen, "Check1")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(screen, "Check2")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(screen, "Check3")->isChecked());
        // The sub-options and the home box are not run options: they open clear.
        EXPECT_FALSE(Find<QCheckBox>(screen, "Check5")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(screen, "Check6")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(screen, "Check7")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(screen, "Check5")->isEnabled()) << "Check3 opens ticked";

        const LinkFields fields = screen.Fields();
        EXPECT_EQ(fields.Address, "127.0.0.9");
        EXPECT_EQ(fields.PortText, "8080");
        EXPECT_EQ(fields.User, camera.UserName) << "the field goes back as Windows-1252 bytes";
        EXPECT_EQ(fields.Password, "s3cret");
    }
}

TEST_F(FrmConnectRules, ClickingTheBoxesStoresTheRunOptionsAndCheck3RulesItsSubOptions)
{
    UseCamera(DemoCamera(7));
    m_session.Document().InputOneAsSensor = 1;
    {
        FrmConnect screen(m_session);
        auto* check3 = Find<QCheckBox>(screen, "Check3");
        auto* check5 = Find<QCheckBox>(screen, "Check5");
        auto* check6 = Find<QCheckBox>(screen, "Check6");
        EXPECT_FALSE(check5->isEnabled());
        EXPECT_FALSE(check6->isEnabled());

        check3->click();
        EXPECT_TRUE(FrmConnect::RunOptions().IoCheck);
        EXPECT_TRUE(check5->isEnabled());
        EXPECT_TRUE(check6->isEnabled());
        check5->click();
        check6->click();
        EXPECT_TRUE(screen.Options().ProgramCode);
        EXPECT_TRUE(screen.Options().ProgramSensors);

        check3->click();
        EXPECT_FALSE(FrmConnect::RunOptions().IoCheck);
        EXPECT_FALSE(check5->isEnabled());
        EXPECT_FALSE(check6->isEnabled());
        EXPECT_FALSE(check5->isChecked()) << "cleared with Check3";
        EXPECT_FALSE(check6->isChecked()) << "cleared with Check3";

        check3->click();
        for (const char* name : {"Check4", "Check1", "Check2"})
            Find<QCheckBox>(screen, name)->click();
        Find<QCheckBox>(screen, "Check1")->click();
    }
    const LinkOptions& kept = FrmConnect::RunOptions();
    EXPECT_TRUE(kept.Install);
    EXPECT_FALSE(kept.UpdateSettings);
    EXPECT_TRUE(kept.SendConfig);
    EXPECT_TRUE(kept.IoCheck);

    // The screen opened again shows the boxes as they were left.
    FrmConnect again(m_session);
    EXPECT_TRUE(Find<QCheckBox>(again, "Check4")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(again, "Check1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(again, "Check2")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(again, "Check3")->isChecked());
}

TEST_F(FrmConnectRules, AnEmptyAddressMakesTheRunButtonDoNothing)
{
    UseCamera(DemoCamera(7));
    FrmConnect screen(m_session);
    screen.AddLogLine(QStringLiteral("from the last run"), LogKind::Plain);
    Find<IPTxt>(screen, "IPTxt1")->Clear();
    ASSERT_EQ(Find<IPTxt>(screen, "IPTxt1")->IPtext(), QStringLiteral("0.0.0.0"));
    Find<QPushButton>(screen, "CmdAdd")->click();
    EXPECT_EQ(screen.LogLines(), QStringList{QStringLiteral("from the last run")}) << "not even cleared";
    EXPECT_FALSE(screen.Running());
    EXPECT_FALSE(m_session.DeviceBusy());
}

TEST_F(FrmConnectRules, ThePortTakesDigitsOnly)
{
    UseCamera(DemoCamera(7));
    FrmConnect screen(m_session);
    auto* port = Find<QLineEdit>(screen, "TxtPort");
    port->clear();
    QTest::keyClicks(port, QStringLiteral("8a0 -8.1"));
    EXPECT_EQ(port->text(), QStringLiteral("8081"));
    QTest::keyClick(port, Qt::Key_Backspace);
    EXPECT_EQ(port->text(), QStringLiteral("808"));
}

TEST_F(FrmConnectRules, PlainLogLinesAreBlackAndErrorLinesRed)
{
    UseCamera(DemoCamera(7));
    FrmConnect screen(m_session);
    auto* log = Find<QTextEdit>(screen, "txtMsg");
    EXPECT_TRUE(log->isReadOnly());
    screen.AddLogLine(QStringLiteral("plain"), LogKind::Plain);
    screen.AddLogLine(QStringLiteral("error"), LogKind::Error);
    EXPECT_EQ(screen.LogLines(), (QStringList{QStringLiteral("plain"), QStringLiteral("error")}));
    QTextBlock block = log->document()->begin();
    for (const QColor& expected : {QColor(Qt::black), QColor(Qt::red)}) {
        ASSERT_TRUE(block.isValid());
        EXPECT_EQ(block.begin().fragment().charFormat().foreground().color(), expected);
        block = block.next();
    }
    EXPECT_TRUE(log->textCursor().atEnd()) << "the insertion point follows the last line";
}

TEST_F(FrmConnectRules, WhileARunIsBusyNoOtherScreenNorCloseStartsButTheRunCanBeFollowed)
{
    if (!StartSim())
        return;
    UseCamera(SimCamera(7));
    ScreenRegistry screens;
    RegisterAppScreens(screens);
    RegisterDeviceScreens(screens);
    frmmain window(m_session, screens);
    window.show();
    ASSERT_TRUE(window.ShowScreen(4));
    auto* screen = qobject_cast<FrmConnect*>(window.ActiveScreen());
    ASSERT_NE(screen, nullptr) << "child screen 4 is the device link screen";
    Find<QCheckBox>(*screen, "Check7")->click();

    // The run waits for the home question: look at everything while it does.
    bool looked = false;
    WhenShown home("FrmHome", [&](QWidget& dialog) {
        looked = true;
        EXPECT_TRUE(m_session.DeviceBusy());
        EXPECT_TRUE(screen->Running());
        EXPECT_FALSE(window.ShowScreen(1));
        EXPECT_EQ(window.ScreenIndex(), 4);
        EXPECT_EQ(window.ActiveScreen(), screen);
        QCloseEvent windowClose;
        QApplication::sendEvent(&window, &windowClose);
        EXPECT_FALSE(windowClose.isAccepted());
        QCloseEvent screenClose;
        QApplication::sendEvent(screen, &screenClose);
        EXPECT_FALSE(screenClose.isAccepted());
        EXPECT_FALSE(window.ToolBar()->isEnabled());
        EXPECT_TRUE(screen->isEnabled()) << "the device link screen stays usable";
        EXPECT_TRUE(Find<QPushButton>(*screen, "CmdCancel")->isEnabled());
        EXPECT_EQ(screen->cursor().shape(), Qt::WaitCursor);
        // A second press of the run button starts nothing.
        const QStringList before = screen->LogLines();
        screen->Run();
        EXPECT_EQ(screen->LogLines(), before);
        Find<QPushButton>(dialog, "BTL1")->click();
    });
    screen->Run();
    EXPECT_TRUE(looked);
    EXPECT_EQ(screen->LogLines().back(), LangText(808));
    EXPECT_TRUE(screen->LogLines().contains(LangText(807))) << "the question was cancelled";
    EXPECT_FALSE(m_session.DeviceBusy());
    EXPECT_FALSE(screen->testAttribute(Qt::WA_SetCursor)) << "the pointer is back to normal";
    EXPECT_FALSE(Find<QPushButton>(*screen, "CmdCancel")->isEnabled());
    EXPECT_TRUE(window.ToolBar()->isEnabled());
    EXPECT_TRUE(window.ShowScreen(1));
}

} // namespace
} // namespace kor::test
