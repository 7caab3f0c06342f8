#include "actions/ContactIdAction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kor {
namespace {

using namespace std::string_literals;

ContactIdAction Cid(const char* code, const char* group, const char* zone, bool alarm = true)
{
    return ContactIdAction{alarm, code, group, zone};
}

TEST(ContactIdActionCodec, ChecksCodeThenZoneThenGroup)
{
    struct Case
    {
        const char* Name;
        ContactIdAction Action;
        ContactIdFault Expected;
    };
    const Case cases[] = {
        {"the defaults with a code", Cid("130", "G00", "Z000"), ContactIdFault::None},
        {"lower-case letters pass", Cid("130", "g12", "z345"), ContactIdFault::None},
        {"no code", Cid("", "G00", "Z000"), ContactIdFault::MissingCode},
        {"no code, bad zone and bad group: the code first", Cid("", "X", "Y"), ContactIdFault::MissingCode},
        {"a zone of three characters", Cid("1", "G00", "Z00"), ContactIdFault::BadZone},
        {"a zone of five characters", Cid("1", "G00", "Z0000"), ContactIdFault::BadZone},
        {"a zone not beginning with Z", Cid("1", "G00", "A000"), ContactIdFault::BadZone},
        {"a zone with a letter among the digits", Cid("1", "G00", "Z0A0"), ContactIdFault::BadZone},
        {"a zone with a sign", Cid("1", "G00", "Z-12"), ContactIdFault::BadZone},
        {"a zone with a blank", Cid("1", "G00", "Z 12"), ContactIdFault::BadZone},
        {"bad zone and bad group: the zone first", Cid("1", "G", "Z"), ContactIdFault::BadZone},
        {"a group of two characters", Cid("1", "G0", "Z000"), ContactIdFault::BadGroup},
        {"a group of four characters", Cid("1", "G000", "Z000"), ContactIdFault::BadGroup},
        {"a group not beginning with G", Cid("1", "Z00", "Z000"), ContactIdFault::BadGroup},
        {"a group with a sign", Cid("1", "G+1", "Z000"), ContactIdFault::BadGroup},
        {"an empty group", Cid("1", "", "Z000"), ContactIdFault::BadGroup},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckContactId(c.Action), c.Expected) << c.Name;
}

TEST(ContactIdActionCodec, BuildsAndLoads)
{
    EXPECT_EQ(test::Visible(BuildContactIdParams(Cid("130", "G01", "Z002"))),
              test::Visible("EVENTTYPE=1\0CIDCODE=130\0GID=G01\0ZID=Z002\0"s));
    EXPECT_EQ(test::Visible(BuildContactIdParams(Cid("301", "g00", "z000", false))),
              test::Visible("EVENTTYPE=3\0CIDCODE=301\0GID=g00\0ZID=z000\0"s))
        << "a restore is 3; zone and group stored as typed";

    struct Case
    {
        const char* Name;
        std::string Params;
        ContactIdAction Expected;
    };
    const Case cases[] = {
        {"an alarm", "EVENTTYPE=1\0CIDCODE=130\0GID=G01\0ZID=Z002\0"s, Cid("130", "G01", "Z002")},
        {"a restore", "EVENTTYPE=3\0CIDCODE=130\0GID=G01\0ZID=Z002\0"s, Cid("130", "G01", "Z002", false)},
        {"any other event type is a restore", "EVENTTYPE=2\0"s, Cid("", "", "", false)},
        {"no event type is a restore", "CIDCODE=1\0"s, Cid("1", "", "", false)},
        {"keys in another order", "ZID=Z9\0GID=G8\0CIDCODE=7\0EVENTTYPE=1\0"s, Cid("7", "G8", "Z9")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadContactIdParams(c.Params), c.Expected) << c.Name;
}

TEST(ContactIdActionCodec, TheOfferedCodesAreThreeDigitsAscendingEachWithItsOwnText)
{
    const auto codes = ContactIdEventCodes();
    ASSERT_GE(codes.size(), 6u);
    std::set<int> meanings;
    std::string previous;
    for (const ContactIdEventCode& code : codes) {
        const std::string text = code.Code;
        EXPECT_EQ(text.size(), 3u) << text;
        EXPECT_EQ(text.find_first_not_of("0123456789"), std::string::npos) << text;
        EXPECT_LT(previous, text);
        EXPECT_TRUE(meanings.insert(code.Meaning).second) << text;
        previous = text;
    }
}

} // namespace
} // namespace kor
