#include "rules/ActionClipboard.h"
#include "config/ConfigDocument.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

ActionRecord Record(std::int32_t type, const char* name, const char* params)
{
    ActionRecord record;
    record.Type = type;
    record.Name = name;
    record.Params = params;
    return record;
}

TEST(ActionClipboard, PastesCopiesOfTheReferencedActionsAsTheyAreNow)
{
    ConfigDocument doc;
    doc.AddAction(3, Record(0, "siren", "ON=1"));
    doc.AddAction(3, Record(8, "ftp", "HOST=h"));
    doc.AddAction(3, Record(7, "mail", "TO=a"));
    doc.AddInterval(3, 1, 4, Interval{{8, 0, 0}, {9, 30, 0}});

    ActionClipboard clipboard;
    clipboard.Begin(3);
    clipboard.Append(1);
    clipboard.Append(2);
    // Changed after the copy: the paste takes the action as it is then.
    doc.ReplaceAction(3, 2, Record(7, "mail 2", "TO=b"));
    doc.Saved = true;

    EXPECT_EQ(clipboard.PasteInto(doc, 70), 2);
    ASSERT_EQ(doc.ActionCount(70), 2);
    EXPECT_EQ(doc.Action(70, 0)->Name, "ftp");
    EXPECT_EQ(doc.Action(70, 0)->Params, "HOST=h");
    EXPECT_EQ(doc.Action(70, 0)->TimeTable, doc.Action(3, 1)->TimeTable);
    EXPECT_EQ(doc.Action(70, 1)->Name, "mail 2");
    EXPECT_FALSE(doc.Saved);

    // Into the source rule itself: duplicates.
    EXPECT_EQ(clipboard.PasteInto(doc, 3), 2);
    EXPECT_EQ(doc.ActionCount(3), 5);
    EXPECT_EQ(doc.Action(3, 3)->Name, "ftp");
}

TEST(ActionClipboard, AMissingActionIsPassedOverAndANewCopyReplacesTheOld)
{
    ConfigDocument doc;
    doc.AddAction(5, Record(0, "only", ""));
    ActionClipboard clipboard;
    clipboard.Begin(5);
    clipboard.Append(0);
    clipboard.Append(7); // no such action (the document was replaced meanwhile)
    EXPECT_EQ(clipboard.Count(), 2);
    EXPECT_EQ(clipboard.PasteInto(doc, 6), 1);

    clipboard.Begin(6);
    EXPECT_TRUE(clipboard.IsEmpty());
    EXPECT_EQ(clipboard.SourceRule(), 6);
    EXPECT_EQ(clipboard.PasteInto(doc, 6), 0);

    for (int i = 0; i < 300; ++i)
        clipboard.Append(static_cast<std::uint8_t>(i % 256));
    EXPECT_EQ(clipboard.Count(), 255);
    clipboard.Clear();
    EXPECT_TRUE(clipboard.IsEmpty());
}

} // namespace
} // namespace kor
