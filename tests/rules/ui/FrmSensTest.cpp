#include "SessionFixture.h"

#include "rules/ActionClipboard.h"
#include "rules/ui/ActionEditorLauncher.h"
#include "rules/ui/FrmSens.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kor {
namespace {

ActionRecord Record(std::int32_t type, const char* name, std::string params)
{
    ActionRecord record;
    record.Type = type;
    record.Name = name;
    record.Params = std::move(params);
    return record;
}

std::string Params(std::string text)
{
    for (char& c : text) {
        if (c == '$')
            c = '\0';
    }
    return text;
}

class RuleList : public test::SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        // The editors are another library's; here every request is only recorded.
        SetActionEditorLauncher([this](AppSession&, const ActionEditorRequest& request, QWidget*) {
            m_requests.push_back(request);
            return true;
        });
    }
    void TearDown() override
    {
        SetActionEditorLauncher(nullptr);
        SessionFixture::TearDown();
    }

    std::unique_ptr<FrmSens> Open(std::int16_t rule)
    {
        auto screen = std::make_unique<FrmSens>(m_session);
        screen->SetClaveSens(rule);
        screen->Load();
        return screen;
    }

    static QTreeWidget* List(FrmSens& screen)
    {
        return screen.findChild<QTreeWidget*>(QStringLiteral("lst"));
    }

    static std::vector<int> Tags(FrmSens& screen)
    {
        std::vector<int> tags;
        QTreeWidget* list = List(screen);
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            tags.push_back(list->topLevelItem(i)->data(0, Qt::UserRole).toInt());
        return tags;
    }

    static void Select(FrmSens& screen, std::initializer_list<int> rows)
    {
        QTreeWidget* list = List(screen);
        list->clearSelection();
        for (int row : rows)
            list->topLevelItem(row)->setSelected(true);
    }

    static QAction* MenuItem(FrmSens& screen, const char* key)
    {
        return screen.ContextMenu()->findChild<QAction*>(QLatin1String(key));
    }

    void RightClick(FrmSens& screen)
    {
        QTest::mouseRelease(List(screen)->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        screen.ContextMenu()->hide();
    }

    std::vector<ActionEditorRequest> m_requests;
};

TEST_F(RuleList, ActionButtonsFollowTheCapabilityFlags)
{
    struct Case
    {
        std::uint32_t Flags;
        std::vector<int> Enabled;
    };
    const Case cases[] = {
        {0, {3, 10}},
        {511, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {1 | 256, {1, 3, 9, 10}},
        {4 | 128, {3, 8, 10}},
    };
    for (const Case& c : cases) {
        UseModel(c.Flags, 0);
        auto screen = Open(3);
        std::vector<int> enabled;
        for (int position = 1; position <= 10; ++position) {
            if (screen->ActionButton(position)->isEnabled())
                enabled.push_back(position);
        }
        EXPECT_EQ(enabled, c.Enabled) << c.Flags;
    }
    auto screen = Open(3);
    EXPECT_EQ(screen->ActionButton(1)->text(), QStringLiteral("Activate output"));
    EXPECT_EQ(screen->ActionButton(5)->text(), QStringLiteral("Pop-Up"));
    EXPECT_EQ(screen->ActionButton(10)->text(), QStringLiteral("ContactID"));
    EXPECT_EQ(screen->findChild<QPushButton*>(QStringLiteral("CmdAdd"))->text(), QStringLiteral("Close"));
}

TEST_F(RuleList, ButtonsOpenANewActionOfTheirTypeAndTheCallButtonCarriesThePcFlag)
{
    for (const std::uint32_t flags : {511u, 511u & ~4u}) {
        UseModel(flags, 0);
        m_requests.clear();
        auto screen = Open(3);
        screen->ActionButton(3)->trigger();
        screen->ActionButton(9)->trigger();
        ASSERT_EQ(m_requests.size(), 2u);
        EXPECT_EQ(m_requests[0].Type, 2);
        EXPECT_EQ(m_requests[0].ActionIndex, -1);
        EXPECT_EQ(m_requests[0].RuleIndex, 3);
        EXPECT_EQ(m_requests[0].PC, (flags & 4) != 0);
        EXPECT_EQ(m_requests[1].Type, 8);
    }
}

TEST_F(RuleList, ListsTheActionsWithTheirSummariesSkippingDeletedOnes)
{
    Doc().AddAction(3, Record(0, "Siren", Params("DISP=1$ON=2$TM=10S$")));
    Doc().AddAction(3, Record(8, "Gone", Params("HOST=h$")));
    Doc().AddAction(3, Record(8, "Pictures", Params("HOST=ftp.example.invalid$")));
    Doc().MarkDeleted(3, 1);
    auto screen = Open(3);
    QTreeWidget* list = List(*screen);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Siren"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Switch on and off output 1 for 10S"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("FTP ftp.example.invalid"));
    EXPECT_EQ(Tags(*screen), (std::vector<int>{0, 2}));
    EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(screen->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Digital input: Input 3"));

    for (const std::int16_t rule : {-1, 121, 4}) {
        auto other = Open(rule);
        EXPECT_EQ(List(*other)->topLevelItemCount(), 0) << rule;
    }
}

TEST_F(RuleList, ADoubleClickEditsTheActionOfTheRowsTag)
{
    Doc().AddAction(3, Record(0, "first", ""));
    Doc().AddAction(3, Record(8, "second", ""));
    auto screen = Open(3);
    screen->resize(700, 400);
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    QTreeWidget* list = List(*screen);
    QTreeWidgetItem* second = list->topLevelItem(1);
    // A double click follows a first click, as the item view expects.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(second).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(second).center());
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].ActionIndex, 1);
    EXPECT_EQ(m_requests[0].Type, 8);
}

TEST_F(RuleList, DeletingAsksFirstAndKeepsTheOtherIndexes)
{
    Doc().AddAction(3, Record(0, "first", ""));
    Doc().AddAction(3, Record(8, "second", ""));
    Doc().Saved = true;
    auto screen = Open(3);

    screen->DeleteActions(); // nothing selected: no question
    EXPECT_TRUE(m_dialogs.History().empty());

    Select(*screen, {0});
    m_dialogs.QueueAnswer(Answer::No);
    QTest::keyClick(List(*screen), Qt::Key_Delete);
    EXPECT_EQ(Tags(*screen), (std::vector<int>{0, 1}));
    EXPECT_FALSE(Doc().Action(3, 0)->Deleted);
    ASSERT_EQ(m_dialogs.Questions().size(), 1);
    EXPECT_EQ(m_dialogs.History()[0].Title, QStringLiteral("Delete actions"));
    EXPECT_EQ(m_dialogs.History()[0].Icon, MessageIcon::Question);

    m_dialogs.QueueAnswer(Answer::Yes);
    MenuItem(*screen, "Delete")->trigger();
    EXPECT_TRUE(Doc().Action(3, 0)->Deleted);
    EXPECT_EQ(Doc().ActionCount(3), 2);
    EXPECT_EQ(Tags(*screen), std::vector<int>{1});
    EXPECT_FALSE(Doc().Saved);

    // The remaining row still edits action 1.
    Select(*screen, {0});
    screen->OpenActionEditor(Tags(*screen)[0], 8);
    EXPECT_EQ(m_requests.back().ActionIndex, 1);
}

TEST_F(RuleList, CopyThreeAndPasteThemIntoAnotherSourcesRule)
{
    Doc().AddAction(3, Record(0, "a", Params("DISP=1$ON=1$")));
    Doc().AddAction(3, Record(7, "b", Params("TO=x$")));
    Doc().AddAction(3, Record(8, "c", Params("HOST=h$")));
    Doc().AddInterval(3, 1, 5, Interval{{7, 0, 0}, {8, 0, 0}});
    {
        auto source = Open(3);
        Select(*source, {0, 1, 2});
        MenuItem(*source, "Copy")->trigger();
    }
    EXPECT_EQ(ActionClipboard::Program().Count(), 3);
    auto target = Open(100);
    MenuItem(*target, "Paste")->trigger();
    ASSERT_EQ(Doc().ActionCount(100), 3);
    for (int i = 0; i < 3; ++i) {
        const ActionRecord* copy = Doc().Action(100, i);
        const ActionRecord* original = Doc().Action(3, i);
        EXPECT_EQ(copy->Type, original->Type);
        EXPECT_EQ(copy->Name, original->Name);
        EXPECT_EQ(copy->Params, original->Params);
        EXPECT_EQ(copy->TimeTable, original->TimeTable);
    }
    EXPECT_EQ(List(*target)->topLevelItemCount(), 3);
    // The clipboard survives the screen and serves every rule list.
    EXPECT_EQ(ActionClipboard::Program().SourceRule(), 3);
}

TEST_F(RuleList, TheContextMenuEnablesCopyAndPasteByTheState)
{
    auto empty = Open(4);
    EXPECT_EQ(empty->ContextMenu()->objectName(), QStringLiteral("m_PUM"));
    std::vector<QString> captions;
    for (QAction* item : empty->ContextMenu()->actions())
        captions.push_back(item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(captions, (std::vector<QString>{QStringLiteral("Copy"), QStringLiteral("Paste"),
                                              QStringLiteral("-"), QStringLiteral("Delete")}));
    RightClick(*empty);
    EXPECT_FALSE(MenuItem(*empty, "Copy")->isEnabled());
    EXPECT_FALSE(MenuItem(*empty, "Paste")->isEnabled());

    Doc().AddAction(3, Record(0, "a", ""));
    auto full = Open(3);
    Select(*full, {0});
    RightClick(*full);
    EXPECT_TRUE(MenuItem(*full, "Copy")->isEnabled());
    EXPECT_FALSE(MenuItem(*full, "Paste")->isEnabled());
    full->MenuCommand(QStringLiteral("Copy#1"));
    RightClick(*empty);
    EXPECT_TRUE(MenuItem(*empty, "Paste")->isEnabled());
}

} // namespace
} // namespace kor
