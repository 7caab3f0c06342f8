#include "actions/ActionStore.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

ActionRecord Record(std::int32_t type, std::string name, std::string params)
{
    return ActionRecord{type, std::move(name), std::move(params), {}, false};
}

TEST(ActionStore, BlankDescriptionsAreStoredEmptyOthersAsTyped)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"   ", ""}, {" Siren ", " Siren "}, {"Siren", "Siren"}, {"\t", "\t"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(StoredDescription(typed), stored) << '"' << typed << '"';
}

TEST(ActionStore, ANewActionIsAddedAnExistingOneReplacedWithItsTimeTable)
{
    ConfigDocument doc;
    doc.Saved = true;
    EXPECT_EQ(StoreAction(doc, 3, -1, Record(0, "old", "ON=1")), 0);
    EXPECT_EQ(StoreAction(doc, 3, -1, Record(8, "b", "HOST=")), 1);
    EXPECT_FALSE(doc.Saved);
    const Interval morning{{8, 0, 0}, {12, 0, 0}};
    doc.AddInterval(3, 0, 2, morning);
    doc.MarkDeleted(3, 0);
    doc.Saved = true;

    EXPECT_EQ(StoreAction(doc, 3, 0, Record(0, "new", "ON=2")), 0);
    const ActionRecord* action = doc.Action(3, 0);
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

} // namespace
} // namespace kor
