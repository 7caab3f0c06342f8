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

// A new action goes through AddAction, whose limit the document's tests hold.
TEST(ActionStore, AMissingActionChangesNothing)
{
    ConfigDocument doc;
    doc.Saved = true;
    EXPECT_EQ(StoreAction(doc, 6, 4, Record(1, "y", "")), 4);
    EXPECT_EQ(doc.ActionCount(6), 0);
    EXPECT_TRUE(doc.Saved);
}

} // namespace
} // namespace kor
