#include "rules/ActionClipboard.h"
#include "rules/RuleListForm.h"

#include "TestSupport.h"
#include "app/Language.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

TEST(RuleList, ActionButtonsFollowTheCapabilityFlags)
{
    const std::pair<std::uint32_t, std::vector<int>> cases[] = {{0, {3, 10}},
                                                                {511, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
                                                                {1 | 256, {1, 3, 9, 10}},
                                                                {4 | 128, {3, 8, 10}}};
    ConfigDocument doc;
    for (const auto& [flags, expected] : cases) {
        const RuleListForm form(doc, flags);
        std::vector<int> enabled;
        for (int position = 1; position <= RuleListForm::kButtonCount; ++position) {
            if (form.ButtonEnabled(position))
                enabled.push_back(position);
        }
        EXPECT_EQ(enabled, expected) << flags;
        EXPECT_EQ(form.CallThroughPc(), (flags & 4) != 0) << flags;
    }
    EXPECT_EQ(RuleListForm::CommandOf(QStringLiteral("Copy#1")), RuleListForm::Command::Copy);
}

TEST(RuleList, TheTimeTableColumnNamesTheDays)
{
    ASSERT_TRUE(test::IsOk(LoadLanguageByCode(u"en")));
    const Interval hours{{8, 0, 0}, {9, 0, 0}};
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{}, "always (no time table)"},
        {{1, 3, 7}, "Mon Wed Sun"},
        {{1, 2, 3, 4, 5, 6, 7}, "every day"},
    };
    for (const auto& [days, text] : cases) {
        ConfigDocument doc;
        doc.AddAction(3, ActionRecord{});
        for (const int day : days)
            doc.AddInterval(3, 0, day, hours);
        EXPECT_EQ(RuleListForm::TimeTableText(doc.Action(3, 0)->TimeTable), QLatin1String(text)) << text;
    }
    FreeLanguage();
}

TEST(RuleList, RowsCopyPasteAndDelete)
{
    ConfigDocument doc;
    doc.AddAction(3, ActionRecord{0, "a", {}, {}, false});
    doc.AddAction(3, ActionRecord{8, "b", {}, {}, false});
    doc.AddAction(3, ActionRecord{7, "c", {}, {}, false});
    doc.AddInterval(3, 1, 4, Interval{{8, 0, 0}, {9, 30, 0}});
    RuleListForm form(doc, 511);
    form.SetRule(3);
    ActionClipboard clipboard;
    EXPECT_EQ(RuleListForm::Menu(false, clipboard), (RuleListForm::MenuState{false, false}));
    form.Copy({1, 2}, clipboard);
    EXPECT_EQ(RuleListForm::Menu(true, clipboard), (RuleListForm::MenuState{true, true}));
    // Changed after the copy: the paste takes the action as it is then.
    doc.ReplaceAction(3, 2, ActionRecord{7, "c2", {}, {}, false});

    RuleListForm other(doc, 511);
    other.SetRule(70);
    doc.Saved = true;
    other.Paste(clipboard);
    ASSERT_EQ(doc.ActionCount(70), 2);
    EXPECT_EQ(*doc.Action(70, 0), *doc.Action(3, 1));
    EXPECT_EQ(doc.Action(70, 1)->Name, "c2");
    EXPECT_FALSE(doc.Saved);
    form.Paste(clipboard); // into the source rule itself: duplicates
    EXPECT_EQ(doc.ActionCount(3), 5);

    form.Delete({0, 3});
    EXPECT_EQ(form.Rows(), (std::vector<int>{1, 2, 4})) << "the others keep their indexes";
    clipboard.Append(200); // gone meanwhile: passed over
    EXPECT_EQ(clipboard.PasteInto(doc, 71), 2);
}

} // namespace
} // namespace kor
