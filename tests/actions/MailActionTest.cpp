#include "actions/MailAction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace kor {
namespace {

using namespace std::string_literals;

MailAction Mail(std::string to, std::string cc, std::string subject, std::string message)
{
    return MailAction{std::move(to), std::move(cc), std::move(subject), std::move(message)};
}

TEST(MailActionCodec, EncodesWhatALineCannotHold)
{
    struct Case
    {
        const char* Name;
        MailAction Action;
        std::string Expected;
    };
    const Case cases[] = {
        {"all empty", MailAction{}, "TO=\0CC=\0SUBJECT=\0MSG=\0"s},
        {"two recipients with a semicolon and a blank", Mail("a@x.es; b@x.es", "c@x.es;d@x.es", "", ""),
         "TO=a@x.es  b@x.es\0CC=c@x.es d@x.es\0SUBJECT=\0MSG=\0"s},
        {"two lines become one", Mail("", "", "", "Door open\r\nCheck it"),
         "TO=\0CC=\0SUBJECT=\0MSG=Door open<ipncr>Check it\0"s},
        {"an empty line between two", Mail("", "", "", "a\r\n\r\nb\r\n"),
         "TO=\0CC=\0SUBJECT=\0MSG=a<ipncr><ipncr>b<ipncr>\0"s},
        {"a lone LF or CR is not encoded", Mail("", "", "", "a\nb\rc\n\rd"),
         "TO=\0CC=\0SUBJECT=\0MSG=a\nb\rc\n\rd\0"s},
        {"the subject is stored unchanged", Mail("", "", "Alarm; hall 1", ""),
         "TO=\0CC=\0SUBJECT=Alarm; hall 1\0MSG=\0"s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(test::Visible(BuildMailParams(c.Action)), test::Visible(c.Expected)) << c.Name;
}

TEST(MailActionCodec, LoadsTheShownForm)
{
    struct Case
    {
        const char* Name;
        std::string Params;
        MailAction Expected;
    };
    const Case cases[] = {
        {"nothing stored", "", MailAction{}},
        {"two blanks reopen as two semicolons", "TO=a@x.es  b@x.es\0CC=c d\0"s,
         Mail("a@x.es;;b@x.es", "c;d", "", "")},
        {"<ipncr> in any case reopens as CR LF", "MSG=a<ipncr>b<IPNCR>c\0"s, Mail("", "", "", "a\r\nb\r\nc")},
        {"the subject keeps its blanks", "SUBJECT= a  b \0"s, Mail("", "", " a  b ", "")},
        {"keys in another order", "MSG=m\0SUBJECT=s\0CC=c\0TO=t\0"s, Mail("t", "c", "s", "m")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadMailParams(c.Params), c.Expected) << c.Name;
}

TEST(MailActionCodec, RoundTripsRecipientsWithoutBlanksAndMultiLineText)
{
    const MailAction typed = Mail("a@x.es;b@x.es", "c@x.es", "Alarm", "Line 1\r\nLine 2\r\n\r\nLine 4");
    EXPECT_EQ(LoadMailParams(BuildMailParams(typed)), typed);
}

} // namespace
} // namespace kor
