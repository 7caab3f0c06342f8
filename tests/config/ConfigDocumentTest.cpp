#include "config/ConfigDocument.h"
#include "config/EventSources.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

ActionRecord MakeAction(std::int32_t type, const std::string& name)
{
    ActionRecord a;
    a.Type = type;
    a.Name = name;
    a.Params = std::string("K=V") + '\0';
    return a;
}

// The defaults themselves show byte for byte in the configuration text tests.
TEST(ConfigDocument, ResetKeepsAlarmCentreValuesAndRestoresDefaults)
{
    ConfigDocument doc;
    doc.ResetConfig();
    ConfigDocument expected = doc;
    expected.GeneralSettings.CIDHEAD = doc.GeneralSettings.CIDHEAD = "5000";
    expected.GeneralSettings.CRAIP = doc.GeneralSettings.CRAIP = "10.1.1.1";
    doc.GeneralSettings.SMTPH = "mail";
    doc.GeneralSettings.FS = 9;
    doc.ZelkSettings.BC = 7;
    doc.ZelkSettings.MSK[2] = true;
    doc.ZelkSettings.S[4] = false;
    doc.InputOneAsSensor = 1;
    doc.CurrentFileName = "x.kma";
    doc.AddAction(3, MakeAction(0, "a"));

    doc.ResetConfig();

    EXPECT_FALSE(doc.HasAnyAction());
    EXPECT_EQ(doc.GeneralSettings, expected.GeneralSettings);
    EXPECT_EQ(doc.ZelkSettings, expected.ZelkSettings);
    EXPECT_EQ(doc.InputOneAsSensor, 1);
    EXPECT_EQ(doc.CurrentFileName, "x.kma");
}

TEST(ConfigDocument, AddActionStopsAt255AndIgnoresBadRules)
{
    ConfigDocument doc;
    doc.Saved = true;
    for (int i = 0; i < 255; ++i)
        EXPECT_EQ(doc.AddAction(5, MakeAction(0, std::to_string(i))), i);
    EXPECT_FALSE(doc.Saved);
    EXPECT_EQ(doc.AddAction(5, MakeAction(0, "overflow")), 255);
    EXPECT_EQ(doc.ActionCount(5), 255);

    doc.Saved = true;
    EXPECT_EQ(doc.AddAction(-1, MakeAction(0, "x")), 0);
    EXPECT_EQ(doc.AddAction(121, MakeAction(0, "x")), 0);
    EXPECT_TRUE(doc.Saved);

    // Clearing one rule (its source left the catalogue) leaves the others and marks the change.
    doc.AddAction(6, MakeAction(0, "b"));
    doc.Saved = true;
    doc.ClearRule(5);
    EXPECT_FALSE(doc.IsRuleUsed(5));
    EXPECT_TRUE(doc.IsRuleUsed(6));
    EXPECT_FALSE(doc.Saved);
}

TEST(ConfigDocument, DeletedActionKeepsItsPlaceAndReplaceRevivesItWithItsTimeTable)
{
    ConfigDocument doc;
    doc.AddAction(2, MakeAction(0, "first"));
    doc.AddAction(2, MakeAction(1, "second"));
    doc.AddInterval(2, 0, 3, Interval{{8, 0, 0}, {9, 0, 0}});

    doc.Saved = true;
    doc.MarkDeleted(2, 0);
    EXPECT_TRUE(doc.Action(2, 0)->Deleted);
    EXPECT_EQ(doc.ActionCount(2), 2);
    EXPECT_TRUE(doc.Saved) << "deleting does not change the saved state";

    ActionRecord replacement = MakeAction(7, "mail");
    replacement.TimeTable.Append(1, Interval{{1, 0, 0}, {2, 0, 0}});
    replacement.Deleted = true;
    ActionRecord expected = replacement;
    expected.Deleted = false;
    expected.TimeTable = doc.Action(2, 0)->TimeTable; // the stored time table stays
    doc.ReplaceAction(2, 0, replacement);
    EXPECT_EQ(*doc.Action(2, 0), expected);
}

TEST(ConfigDocument, IntervalsPerDay)
{
    ConfigDocument doc;
    doc.AddAction(0, MakeAction(0, "a"));
    const Interval morning{{8, 0, 0}, {12, 0, 0}};
    const Interval evening{{18, 0, 0}, {22, 30, 0}};
    doc.AddInterval(0, 0, 7, morning);
    doc.AddInterval(0, 0, 7, evening);
    EXPECT_EQ(doc.DayIntervals(0, 0, 7), (std::vector<Interval>{morning, evening}));

    doc.Saved = true;
    doc.RemoveInterval(0, 0, 7, 0);
    EXPECT_FALSE(doc.Saved);
    EXPECT_EQ(doc.DayIntervals(0, 0, 7), (std::vector<Interval>{evening}));
    doc.RemoveInterval(0, 0, 7, 0);
    EXPECT_TRUE(doc.DayIntervals(0, 0, 7).empty());
    EXPECT_TRUE(doc.Action(0, 0)->TimeTable.IsEmpty());
}

TEST(ConfigDocument, WrongIndexesNeverCrashOrChangeAnything)
{
    ConfigDocument doc;
    doc.AddAction(1, MakeAction(0, "a"));
    const ConfigDocument before = doc;
    for (int rule : {-32768, -1, 121, 999}) {
        for (int action : {-1, 0, 1, 255, 100000}) {
            doc.ReplaceAction(rule, action, MakeAction(3, "x"));
            doc.MarkDeleted(rule, action);
            doc.AddInterval(rule, action, 1, Interval{});
            doc.RemoveInterval(rule, action, 1, 0);
            EXPECT_TRUE(doc.DayIntervals(rule, action, 1).empty());
            EXPECT_EQ(doc.Action(rule, action), nullptr);
        }
        EXPECT_EQ(doc.ActionCount(rule), 0);
        doc.ClearRule(rule);
    }
    for (int action : {-1, 1, 300}) {
        doc.ReplaceAction(1, action, MakeAction(3, "x"));
        doc.MarkDeleted(1, action);
        doc.AddInterval(1, action, 1, Interval{});
    }
    for (int day : {-1, 0, 8, 100}) {
        doc.AddInterval(1, 0, day, Interval{});
        doc.RemoveInterval(1, 0, day, 0);
        EXPECT_TRUE(doc.DayIntervals(1, 0, day).empty());
    }
    doc.RemoveInterval(1, 0, 1, 5);
    doc.RemoveInterval(1, 0, 1, -1);
    EXPECT_EQ(doc.Rule(1), before.Rule(1));
}

// The catalogue's configured sources show most ends of the ranges; here the others.
TEST(EventSources, TagsFollowTheIndexTable)
{
    const std::pair<int, const char*> cases[] = {{2, "SIMD2"},   {8, "SIMD8"}, {11, "EIMD11"},
                                                 {13, ""},       {49, ""},     {69, "PCAM69"},
                                                 {99, "SVIR99"}, {103, ""},    {-1, ""}};
    for (const auto& [index, tag] : cases)
        EXPECT_EQ(EventSourceTag(index, 1), tag) << index;
}

} // namespace
} // namespace kor
