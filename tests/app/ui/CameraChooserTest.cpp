#include "app/ui/CameraChooser.h"
#include "app/AppSession.h"
#include "app/ClientDatabase.h"
#include "app/Language.h"
#include "app/ScriptedDialogs.h"
#include "app/ui/CameraEditor.h"
#include "outside/companion/CameraTable.h"

#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kor {
namespace {

class CameraChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
            qputenv("KOR_RESOURCES", (test::BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
        ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
        ASSERT_TRUE(test::IsOk(
            OpenClientDatabase(m_session.Connection(), m_dir.filePath(QStringLiteral("orgend.ddd")))));
    }
    void TearDown() override { FreeLanguage(); }

    std::vector<CameraRecord> Cameras() { return test::ValueOf(CameraTable::List(m_session.Connection())); }

    template <typename T> static T* Find(QWidget& widget, const char* name)
    {
        T* child = widget.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
};

TEST_F(CameraChooserTest, PicksAddsEditsAndRemovesCameras)
{
    CameraChooser chooser(m_session, QStringLiteral("why"));
    EXPECT_EQ(Find<QLabel>(chooser, "LblWhy")->text(), QStringLiteral("why"));
    QTreeWidget* list = Find<QTreeWidget>(chooser, "LvwCameras");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Demo camera"));
    EXPECT_EQ(chooser.SelectedId(), std::optional<std::int16_t>(0)) << "the first camera is selected";

    // Add: the editor starts at the first free identifier.
    std::int16_t offered = -1;
    chooser.SetRecordEditor([&](const CameraRecord& start, bool isNew) -> std::optional<CameraRecord> {
        EXPECT_TRUE(isNew);
        offered = start.Id;
        CameraRecord record = start;
        record.DisplayName = "Yard";
        record.IpAddress = "127.0.0.9";
        record.ModelName = "DEMO-4";
        return record;
    });
    Find<QPushButton>(chooser, "CmdAdd")->click();
    EXPECT_EQ(offered, 1);
    ASSERT_EQ(Cameras().size(), 2u);
    EXPECT_EQ(chooser.SelectedId(), std::optional<std::int16_t>(1)) << "the new camera is selected";

    // Adding a camera whose identifier is taken is refused with the reason.
    chooser.SetRecordEditor([](const CameraRecord& start, bool) -> std::optional<CameraRecord> {
        CameraRecord record = start;
        record.Id = 0;
        return record;
    });
    Find<QPushButton>(chooser, "CmdAdd")->click();
    ASSERT_EQ(m_dialogs.Messages().size(), 1);
    EXPECT_TRUE(m_dialogs.Messages()[0].startsWith(LangText(1150)));
    EXPECT_TRUE(m_dialogs.Messages()[0].contains(QStringLiteral("already exists")));

    // Edit changes the selected camera in place.
    chooser.SetRecordEditor([](const CameraRecord& start, bool isNew) -> std::optional<CameraRecord> {
        EXPECT_FALSE(isNew);
        EXPECT_EQ(start.DisplayName, "Yard");
        CameraRecord record = start;
        record.DisplayName = "Back yard";
        return record;
    });
    Find<QPushButton>(chooser, "CmdEdit")->click();
    EXPECT_EQ(Cameras()[1].DisplayName, "Back yard");
    EXPECT_EQ(list->currentItem()->text(1), QStringLiteral("Back yard"));

    // A cancelled editor changes nothing.
    chooser.SetRecordEditor([](const CameraRecord&, bool) { return std::optional<CameraRecord>(); });
    Find<QPushButton>(chooser, "CmdEdit")->click();
    EXPECT_EQ(Cameras()[1].DisplayName, "Back yard");

    // Remove asks first.
    m_dialogs.QueueAnswer(Answer::No);
    Find<QPushButton>(chooser, "CmdRemove")->click();
    EXPECT_EQ(Cameras().size(), 2u);
    m_dialogs.QueueAnswer(Answer::Yes);
    Find<QPushButton>(chooser, "CmdRemove")->click();
    EXPECT_EQ(Cameras().size(), 1u);
    EXPECT_EQ(m_dialogs.Questions().last(), LangText(1151));

    Find<QPushButton>(chooser, "CmdOK")->click();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ChosenId(), 0);
}

TEST_F(CameraChooserTest, EditorChecksTheAddressAndTheMac)
{
    CameraRecord camera = Cameras().front();
    CameraEditor editor(m_session, camera, false);
    EXPECT_FALSE(Find<QSpinBox>(editor, "TxtId")->isEnabled()) << "an edited camera keeps its identifier";
    EXPECT_EQ(Find<QLineEdit>(editor, "TxtIP")->text(), QStringLiteral("127.0.0.2"));
    EXPECT_EQ(Find<QLineEdit>(editor, "TxtMac")->text(), QStringLiteral("02:00:00:00:00:01"));
    EXPECT_EQ(editor.Record().Positions.size(), camera.Positions.size()) << "positions are kept";

    struct Case
    {
        const char* Address;
        const char* Mac;
        bool Passes;
        int Text;
    };
    const Case cases[] = {
        {"", "", false, 800},
        {"0.0.0.0", "", false, 800},
        {"127.0.0.5", "02:00:00", false, 1148},
        {"127.0.0.5", "", true, 0},
        {"127.0.0.5", "0a:0B:00:00:00:FF", true, 0},
    };
    for (const Case& c : cases) {
        m_dialogs.Clear();
        Find<QLineEdit>(editor, "TxtIP")->setText(QLatin1String(c.Address));
        Find<QLineEdit>(editor, "TxtMac")->setText(QLatin1String(c.Mac));
        EXPECT_EQ(editor.CheckFields(), c.Passes) << c.Address << " " << c.Mac;
        if (!c.Passes) {
            ASSERT_EQ(m_dialogs.Messages().size(), 1);
            EXPECT_TRUE(m_dialogs.Messages()[0].startsWith(LangText(c.Text)));
        }
    }
    const CameraRecord record = editor.Record();
    EXPECT_EQ(record.IpAddress, "127.0.0.5");
    EXPECT_EQ(CameraTable::MacText(record.Mac), "0A:0B:00:00:00:FF");
    Find<QLineEdit>(editor, "TxtName")->setText(QString::fromUtf8("C\xC3\xA1mara"));
    EXPECT_EQ(editor.Record().DisplayName, "C\xE1mara") << "texts are stored as Windows-1252";
}

} // namespace
} // namespace kor
