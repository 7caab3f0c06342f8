#include "app/ui/CameraChooser.h"
#include "app/Language.h"
#include "app/ui/CameraEditor.h"
#include "outside/companion/CameraTable.h"

#include "SessionFixture.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kor {
namespace {

class CameraChooserTest : public test::SessionFixture
{
protected:
    std::vector<CameraRecord> Cameras() { return test::ValueOf(CameraTable::List(m_session.Connection())); }
};

// Pick, add, edit and remove as the user does, with the editor's open/confirm/cancel cycle once;
// the rules of the fields are CameraForm's.
TEST_F(CameraChooserTest, PicksAddsEditsAndRemovesCameras)
{
    CameraChooser chooser(m_session, QStringLiteral("why"));
    chooser.show();
    QTreeWidget* list = Find<QTreeWidget>(chooser, "LvwCameras");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(chooser.SelectedId(), std::optional<std::int16_t>(0)) << "the first camera is selected";

    // Add: the real editor opens on the first free identifier; a bad MAC address is refused.
    bool edited = false;
    chooser.SetRecordEditor([&](const CameraRecord& start, bool isNew) -> std::optional<CameraRecord> {
        CameraEditor editor(m_session, start, isNew, &chooser);
        editor.show();
        EXPECT_EQ(Find<QSpinBox>(editor, "TxtId")->value(), 1);
        QTest::keyClicks(Find<QLineEdit>(editor, "TxtName"), QStringLiteral("Yard"));
        QTest::keyClicks(Find<QLineEdit>(editor, "TxtIP"), QStringLiteral("127.0.0.9"));
        QTest::keyClicks(Find<QLineEdit>(editor, "TxtMac"), QStringLiteral("02:00"));
        QTest::mouseClick(Find<QPushButton>(editor, "CmdSave"), Qt::LeftButton);
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(m_dialogs.Messages(), QStringList{LangText(1148) + QStringLiteral(": 02:00 ?")});
        Find<QLineEdit>(editor, "TxtMac")->clear();
        QTest::mouseClick(Find<QPushButton>(editor, "CmdSave"), Qt::LeftButton);
        edited = editor.result() == QDialog::Accepted;
        return editor.Record();
    });
    QTest::mouseClick(Find<QPushButton>(chooser, "CmdAdd"), Qt::LeftButton);
    EXPECT_TRUE(edited);
    ASSERT_EQ(Cameras().size(), 2u);
    EXPECT_EQ(Cameras()[1].DisplayName, "Yard");
    EXPECT_EQ(chooser.SelectedId(), std::optional<std::int16_t>(1)) << "the new camera is selected";

    // An identifier that is taken is refused with the reason; a cancelled editor changes nothing.
    m_dialogs.Clear();
    chooser.SetRecordEditor([](const CameraRecord& start, bool) -> std::optional<CameraRecord> {
        CameraRecord record = start;
        record.Id = 0;
        return record;
    });
    QTest::mouseClick(Find<QPushButton>(chooser, "CmdAdd"), Qt::LeftButton);
    ASSERT_EQ(m_dialogs.Messages().size(), 1);
    EXPECT_TRUE(m_dialogs.Messages()[0].startsWith(LangText(1150)));
    chooser.SetRecordEditor([](const CameraRecord&, bool) { return std::optional<CameraRecord>(); });
    QTest::mouseClick(Find<QPushButton>(chooser, "CmdEdit"), Qt::LeftButton);
    EXPECT_EQ(Cameras().size(), 2u);

    // Remove asks first.
    m_dialogs.QueueAnswer(Answer::No);
    QTest::mouseClick(Find<QPushButton>(chooser, "CmdRemove"), Qt::LeftButton);
    EXPECT_EQ(Cameras().size(), 2u);
    m_dialogs.QueueAnswer(Answer::Yes);
    QTest::mouseClick(Find<QPushButton>(chooser, "CmdRemove"), Qt::LeftButton);
    EXPECT_EQ(Cameras().size(), 1u);
    EXPECT_EQ(m_dialogs.Questions().last(), LangText(1151));
    QTest::mouseClick(Find<QPushButton>(chooser, "CmdOK"), Qt::LeftButton);
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ChosenId(), 0);
}

} // namespace
} // namespace kor
