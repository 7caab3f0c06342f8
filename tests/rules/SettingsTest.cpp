#include "config/ConfigFiles.h"
#include "rules/ConfigCheck.h"
#include "rules/SettingsForms.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kor {
namespace {

TEST(Settings, ABufferSpinnerStepsDownUntilTheLimitsHold)
{
    // The spinners (the changed one already at its new value), the field changed, the document's
    // value before: the spinner's value after, what the document stores.
    const std::tuple<const char*, BufferValues, BufferField, int, SpinnerOutcome> cases[] = {
        {"frames 2 -> 3 with 5 seconds (15) falls back",
         {3, 5, 1, 1},
         BufferField::Frames,
         2,
         {2, std::nullopt}},
        {"alarm seconds 5 -> 6 with 2x5 + 2x5 (22)",
         {2, 5, 2, 6},
         BufferField::BSeconds,
         5,
         {5, std::nullopt}},
        {"a change within the limits is stored", {2, 3, 2, 2}, BufferField::Seconds, 2, {3, 3}},
        {"10 seconds typed with 4 frames settles on 2", {4, 10, 1, 1}, BufferField::Seconds, 1, {2, 2}},
        {"second pair 4x10 with a full first pair", {2, 5, 4, 10}, BufferField::BSeconds, 1, {2, 2}},
        {"nothing passes while the first pair is over",
         {4, 3, 3, 2},
         BufferField::BFrames,
         2,
         {2, std::nullopt}},
    };
    for (const auto& [name, shown, field, stored, outcome] : cases)
        EXPECT_EQ(BufferSpinnerChange(shown, field, BufferValue(shown, field), stored), outcome) << name;
    EXPECT_EQ(BufferSpinnerRange(BufferField::Frames, 2), (SpinnerRange{1, 4}));
    EXPECT_EQ(BufferSpinnerRange(BufferField::BSeconds, 12), (SpinnerRange{1, 12})) << "a file's value shows";
}

TEST(Settings, TextFieldsBaseCodeAndLabels)
{
    std::string field = "old";
    EXPECT_TRUE(StoreTypedText(field, QString::fromUtf8(" caf\xC3\xA9 $x ")));
    EXPECT_EQ(field, " caf\xE9 $x ") << "stored as typed, in the file's code page";
    EXPECT_FALSE(StoreTypedText(field, QString::fromUtf8(" caf\xC3\xA9 $x ")));
    // The general line's separator, a line break or a character the code page lacks would reach
    // the camera as another value: refused, the stored text stays.
    for (const char16_t c : {u';', u'\r', u'\n', u'\0', u'\u2192'}) {
        const QString typed = QStringLiteral("a") + QChar(c) + u'b';
        EXPECT_EQ(RefusedSettingCharacter(typed), char32_t(c)) << int(c);
        EXPECT_FALSE(StoreTypedText(field, typed)) << int(c);
    }
    EXPECT_EQ(field, " caf\xE9 $x ");

    const std::pair<const char*, bool> typed[] = {{"", true},    {"512", true}, {"32767", true},
                                                  {"a", false},  {"-1", false}, {"32768", false},
                                                  {" 5", false}, {"1.5", false}};
    for (const auto& [text, accepted] : typed)
        EXPECT_EQ(BaseCodeTextAccepted(QLatin1String(text)), accepted) << text;
    EXPECT_EQ(BaseCodeOf(QStringLiteral("4000")), 4000);
    EXPECT_EQ(BaseCodeOf(QStringLiteral("40000")), 0);
    EXPECT_EQ(FirstLineOf(QStringLiteral("one\ntwo")), QStringLiteral("one\n"));
    EXPECT_EQ(FirstLineOf(QStringLiteral("no line break")), QString());
}

TEST(Settings, TheSampleProjectIsOneTheScreensAccept)
{
    ConfigDocument doc;
    const QString sample = test::SourceDir() + QStringLiteral("/resources/samples/demo.kma");
    ASSERT_TRUE(LoadConfig(doc, sample.toStdString(), false).ok());
    std::vector<std::string> codes;
    for (const CheckFinding& finding : CheckConfig(doc, test::ReadBytes(sample)))
        codes.push_back(finding.Code + ": " + finding.Message);
    EXPECT_EQ(codes, std::vector<std::string>{});
}

} // namespace
} // namespace kor
