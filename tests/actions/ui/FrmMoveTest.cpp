#include "EditorHarness.h"
#include "TestSupport.h"

#include "actions/ui/FrmMove.h"
#include "device/HttpClient.h"
#include "outside/companion/CameraTable.h"

#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

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

class CameraMoveEditor : public test::EditorHarness
{
protected:
    void SetUp() override
    {
        EditorHarness::SetUp();
        m_session.Services().Http = &m_http;
    }
    void TearDown() override
    {
        m_session.Services().Http = nullptr;
        EditorHarness::TearDown();
    }
    // Camera 0 with a brand, the preset flag and three stored positions.
    void Camera(const char* brand, bool presets)
    {
        const std::optional<CameraRecord> found = test::ValueOf(CameraTable::Find(m_session.Connection(), 0));
        ASSERT_TRUE(found.has_value());
        CameraRecord camera = *found;
        camera.Brand = brand;
        camera.PositioningSupport = presets;
        camera.IpAddress = "127.0.0.1";
        camera.Port = 8080;
        camera.UserName = "root";
        camera.Password = "pw";
        camera.Positions = {{"Hall", 1, 2, 3}, {"Yard", 4, 5, 6}, {"Door", 0.25, -7.5, 1.5}};
        ASSERT_TRUE(test::IsOk(CameraTable::Update(m_session.Connection(), camera)));
        ASSERT_TRUE(test::IsOk(m_session.Camera().Load(0)));
    }
    void Answer(const char* body)
    {
        m_http.Reply.Status = 200;
        m_http.Reply.Body = body;
    }
    QStringList Texts(FrmMove& editor)
    {
        QStringList texts;
        QListWidget* list = Find<QListWidget>(editor, "LvwPrepos");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    PresetHttp m_http;
};

TEST_F(CameraMoveEditor, AZzzPresetIsListedWithoutAndStoredWithItsSuffix)
{
    Camera("AXIS", true);
    Answer("Preset Positions\r\npresetposno1=Home\r\npresetposno2=GateZZZ\r\n");
    auto editor = Open<FrmMove>(ActMove, 7, -1);
    ASSERT_EQ(m_http.Asked.size(), 1u);
    EXPECT_NE(m_http.Asked[0].find("/axis-cgi/com/ptz.cgi?query=presetposall"), std::string::npos);
    EXPECT_TRUE(editor->FromCamera());
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(Texts(*editor), (QStringList{QStringLiteral("Home"), QStringLiteral("Gate")}));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QStringLiteral("Move camera"));

    Find<QListWidget>(*editor, "LvwPrepos")->setCurrentRow(1);
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(7), 1);
    EXPECT_EQ(test::Visible(Doc().Action(7, 0)->Params),
              test::Visible(Params(
                  "IP=127.0.0.1$PORT=8080$USR=root$PWD=pw$BRAND=AXIS$CAMPRESET=GateZZZ$POSNAME=Gate$")));
}

TEST_F(CameraMoveEditor, AFailedPresetQuestionLeavesAnEmptyListAndConfirmClosesWithoutStoring)
{
    Camera("AXIS", true);
    m_http.Reply.Status = 404;
    auto editor = Open<FrmMove>(ActMove, 7, -1);
    EXPECT_TRUE(Texts(*editor).isEmpty());
    Click(*editor, "CmdAdd");
    EXPECT_EQ(Doc().ActionCount(7), 0);
    EXPECT_FALSE(editor->Stored());
    EXPECT_TRUE(m_dialogs.Messages().isEmpty());
}

TEST_F(CameraMoveEditor, OtherCamerasListTheStoredPositions)
{
    for (const auto& [brand, presets] : {std::pair{"CANON", true}, std::pair{"AXIS", false}}) {
        Camera(brand, presets);
        m_http.Asked.clear();
        auto editor = Open<FrmMove>(ActMove, 7, -1);
        EXPECT_TRUE(m_http.Asked.empty()) << brand;
        EXPECT_FALSE(editor->FromCamera());
        EXPECT_EQ(Texts(*editor),
                  (QStringList{QStringLiteral("Hall"), QStringLiteral("Yard"), QStringLiteral("Door")}));
    }
    auto editor = Open<FrmMove>(ActMove, 7, -1);
    Find<QListWidget>(*editor, "LvwPrepos")->setCurrentRow(2);
    Click(*editor, "CmdAdd");
    ASSERT_EQ(Doc().ActionCount(7), 1);
    EXPECT_EQ(test::Visible(Doc().Action(7, 0)->Params),
              test::Visible(Params(
                  "IP=127.0.0.1$PORT=8080$USR=root$PWD=pw$BRAND=AXIS$X=0.25$Y=-7.5$Z=1.5$POSNAME=Door$")));
}

TEST_F(CameraMoveEditor, AnExistingActionSelectsItsEntryByDescription)
{
    Camera("CANON", false);
    ActionRecord record;
    record.Type = ActMove;
    record.Name = "yARD";
    record.Params = Params("POSNAME=Hall$");
    Doc().AddAction(7, record);
    record.Name = "Nowhere";
    Doc().AddAction(7, record);

    auto editor = Open<FrmMove>(ActMove, 7, 0);
    EXPECT_EQ(Find<QListWidget>(*editor, "LvwPrepos")->currentRow(), 1);
    EXPECT_TRUE(Button(*editor, "BTL1")->isEnabled());

    auto unmatched = Open<FrmMove>(ActMove, 7, 1);
    EXPECT_TRUE(Find<QListWidget>(*unmatched, "LvwPrepos")->selectedItems().isEmpty());
    Click(*unmatched, "CmdAdd");
    EXPECT_EQ(Doc().Action(7, 1)->Params, Params("POSNAME=Hall$")) << "closed without storing";
}

} // namespace
} // namespace kor
