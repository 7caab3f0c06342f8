#include "actions/ActionStore.h"
#include "actions/ActionTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

ActionRecord Record(std::int32_t type, std::string name, std::string params)
{
    ActionRecord record;
    record.Type = type;
    record.Name = std::move(name);
    record.Params = std::move(params);
    return record;
}

TEST(ActionStore, BlankDescriptionsAreStoredEmptyOthersAsTyped)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"   ", ""}, {" Siren ", " Siren "}, {"Siren", "Siren"}, {"\t", "\t"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(StoredDescription(typed), stored) << '"' << typed << '"';
}

TEST(ActionStore, ANewActionIsAddedAndGetsItsIndex)
{
    ConfigDocument doc;
    doc.Saved = true;
    EXPECT_EQ(StoreAction(doc, 3, -1, Record(0, "a", "ON=1")), 0);
    EXPECT_EQ(StoreAction(doc, 3, -1, Record(8, "b", "HOST=")), 1);
    EXPECT_EQ(doc.ActionCount(3), 2);
    EXPECT_EQ(doc.Action(3, 1)->Type, 8);
    EXPECT_FALSE(doc.Saved);
}

TEST(ActionStore, ReplacingKeepsTheTimeTableAndCountsAsAChange)
{
    ConfigDocument doc;
    StoreAction(doc, 3, -1, Record(0, "old", "ON=1"));
    const Interval morning{{8, 0, 0}, {12, 0, 0}};
    doc.AddInterval(3, 0, 2, morning);
    doc.MarkDeleted(3, 0);
    doc.Saved = true;

    EXPECT_EQ(StoreAction(doc, 3, 0, Record(0, "new", "ON=2")), 0);
    const ActionRecord* action = doc.Action(3, 0);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->Name, "new");
    EXPECT_EQ(action->Params, "ON=2");
    EXPECT_FALSE(action->Deleted);
    EXPECT_EQ(action->TimeTable.Day(2), std::vector<Interval>{morning});
    EXPECT_FALSE(doc.Saved) << "an edited action must not be lost without the question";

    doc.Saved = true;
    StoreAction(doc, 3, 0, Record(0, "new", "ON=2"));
    EXPECT_TRUE(doc.Saved) << "confirming without a change is no change";
}

TEST(ActionStore, AFullRuleAndAMissingActionChangeNothing)
{
    ConfigDocument doc;
    for (int i = 0; i < SensorRule::MaxActions; ++i)
        doc.AddAction(5, Record(0, "x", ""));
    EXPECT_EQ(StoreAction(doc, 5, -1, Record(1, "y", "")), 255);
    EXPECT_EQ(doc.ActionCount(5), 255);
    doc.Saved = true;
    EXPECT_EQ(StoreAction(doc, 6, 4, Record(1, "y", "")), 4);
    EXPECT_EQ(doc.ActionCount(6), 0);
    EXPECT_TRUE(doc.Saved);
}

TEST(ActionStore, EveryTypeHasItsEditorTitleAndDefaultDescription)
{
    const std::pair<std::int32_t, const char*> screens[] = {
        {0, "FrmActvs"}, {1, "FrmSave"}, {2, "Frmcall"}, {3, "FrmMove"}, {4, "FrmNotify"},
        {5, "FrmAlarm"}, {6, "FrmUsrs"}, {7, "frmMail"}, {8, "frmFTP"},  {9, "frmContactId"},
    };
    for (const auto& [type, name] : screens) {
        const ActionEditorInfo* info = ActionEditorInfoOf(type);
        ASSERT_NE(info, nullptr) << type;
        EXPECT_STREQ(info->ScreenName, name);
    }
    const std::pair<std::int32_t, int> defaults[] = {{0, 123}, {1, 196}, {2, 225}, {3, 193}, {6, 224},
                                                     {4, 0},   {5, 0},   {7, 0},   {8, 0},   {9, 0}};
    for (const auto& [type, text] : defaults)
        EXPECT_EQ(ActionEditorInfoOf(type)->DefaultDescription, text) << type;
    EXPECT_EQ(ActionEditorInfoOf(10), nullptr);
    EXPECT_EQ(ActionEditorInfoOf(-1), nullptr);
}

} // namespace
} // namespace kor
