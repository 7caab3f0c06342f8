#include "EditorHarness.h"

#include "app/ui/ScreenRegistry.h"
#include "rules/ui/ModalScreens.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <memory>

namespace kor {
namespace {

class EditorTable : public test::EditorHarness
{
protected:
    void TearDown() override
    {
        SetActionEditorLauncher(nullptr);
        EditorHarness::TearDown();
    }
};

TEST_F(EditorTable, ATypeWithoutAnEditorOpensNothing)
{
    EXPECT_EQ(CreateActionEditor(m_session, 42, nullptr), nullptr);
    EXPECT_EQ(CreateActionEditor(m_session, -1, nullptr), nullptr);
    ActionEditorRequest request;
    request.Type = 42;
    EXPECT_FALSE(OpenActionEditor(m_session, request, nullptr));
    EXPECT_FALSE(LaunchActionEditor(m_session, request, nullptr)) << "no launcher registered yet";
}

TEST_F(EditorTable, RegistrationLetsTheRuleListOpenEditorsAndPicturesEveryEditor)
{
    ScreenRegistry screens;
    RegisterActionsScreens(screens);
    ASSERT_FALSE(screens.TourScreens().empty());
    for (const ScreenRegistry::TourScreen& screen : screens.TourScreens()) {
        std::unique_ptr<QWidget> widget(screen.Create(m_session, nullptr));
        auto* editor = qobject_cast<ActionEditor*>(widget.get());
        ASSERT_NE(editor, nullptr) << screen.Name.toStdString();
        EXPECT_EQ(editor->objectName(), screen.Name);
    }

    QString opened;
    ScopedModalDriver driver([&](QDialog* dialog) {
        opened = dialog->objectName();
        Click(*qobject_cast<ActionEditor*>(dialog), "CmdAdd");
    });
    ActionEditorRequest request;
    request.RuleIndex = 90;
    request.Type = ActFtp;
    EXPECT_TRUE(LaunchActionEditor(m_session, request, nullptr));
    EXPECT_EQ(opened, QStringLiteral("frmFTP"));
    EXPECT_EQ(Doc().ActionCount(90), 1);
}

} // namespace
} // namespace kor
