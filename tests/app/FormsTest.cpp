#include "app/CameraForm.h"
#include "app/HistoryForm.h"
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kor {
namespace {

// The screens of the steps are walked in the main window's tests; here the ends and the busy guard.
TEST(MainForm, WorkflowStepsStopAtTheEndsAndWhileADeviceOperationRuns)
{
    EXPECT_EQ(WorkflowButtonsOfStep(0).BackEnabled || !WorkflowButtonsOfStep(0).NextEnabled, false);
    EXPECT_EQ(StepAfter(0, -1, false), std::nullopt);
    EXPECT_EQ(StepAfter(3, -1, true), std::nullopt);
}

TEST(MainForm, WhichScreenIsShownAndWhenASwitchIsRefused)
{
    struct Case
    {
        std::uint8_t N;
        bool Busy;
        bool InputOutput;
        std::int16_t InputOne;
        bool Refused;
        int Message;
        std::uint8_t Screen;
    };
    const Case cases[] = {
        {1, false, true, 1, false, 0, 1},   {2, true, true, 1, true, 0, 2},
        {3, false, true, 1, false, 0, 3},   {3, false, true, 0, true, 179, 3},
        {3, false, false, 1, true, 179, 3}, {5, false, false, 0, false, 0, 5},
        {9, false, true, 1, false, 0, 2}, // numbers without a screen show the catalogue
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.N));
        const ScreenChoice choice = ChooseScreen(c.N, c.Busy, c.InputOutput, c.InputOne);
        EXPECT_EQ(choice.Refused, c.Refused);
        EXPECT_EQ(choice.MessageText, c.Message);
        EXPECT_EQ(choice.Screen, c.Screen);
    }
    // Commands disabled: nothing takes input; a device operation leaves the embedded screen usable.
    EXPECT_EQ(MainControlsOf(false, false).ToolBar, true);
    EXPECT_EQ(MainControlsOf(false, true).ToolBar || MainControlsOf(false, true).ToolList, false);
    EXPECT_EQ(MainControlsOf(false, true).Screen, true);
    EXPECT_EQ(MainControlsOf(true, false).Screen || MainControlsOf(true, false).ToolBar, false);
    EXPECT_EQ(HelpFileName(4, QStringLiteral("pt")), QStringLiteral("as4pt.html"));
    EXPECT_EQ(HelpFileName(0, QString()), QStringLiteral("as0.html")) << "before the language is loaded";
    EXPECT_EQ(HelpFileName(5, QStringLiteral("en")), QStringLiteral("en.html"));
}

TEST(CameraForm, FieldsChecksAndRecord)
{
    CameraRecord start;
    start.Id = 4;
    start.Port = 0;
    start.Channel = 0;
    start.Positions = {{"Door", 1, 2, 3}};
    start.PositioningSupport = true;
    CameraFields fields = CameraFieldsOf(start, false);
    EXPECT_EQ(fields.Port, 80) << "a port outside 1..65535 opens as 80";
    EXPECT_EQ(fields.Channel, 1);
    EXPECT_EQ(fields.Brand, QStringLiteral("AXIS"));
    EXPECT_TRUE(fields.Mac.isEmpty()) << "an all-zero address shows nothing";
    EXPECT_FALSE(fields.IdEditable);

    // The checks in their order: the address (0.0.0.0 counts as none), then the MAC address.
    const struct
    {
        const char* Address;
        const char* Mac;
        std::optional<int> Text;
    } checks[] = {
        {"", "bad", 800},
        {" 0.0.0.0 ", "", 800},
        {"10.0.0.9", "00:40:8C:12:34", 1148},
        {"10.0.0.9", "00:40:8c:12:34:56", std::nullopt},
        {"10.0.0.9", "  ", std::nullopt},
    };
    for (const auto& c : checks) {
        fields.Address = QString::fromLatin1(c.Address);
        fields.Mac = QString::fromLatin1(c.Mac);
        const auto problem = CheckCameraFields(fields);
        EXPECT_EQ(problem ? std::optional<int>(problem->Text) : std::nullopt, c.Text) << c.Address << c.Mac;
    }
    // A character the single-byte files lack would be stored as "?": refused first, naming it.
    fields.Password = QString::fromUtf8("pass\xf0\x9f\xa6\x80");
    const auto refused = CheckCameraFields(fields);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Field, CameraField::Password);
    EXPECT_EQ(refused->Text, 108);
    EXPECT_EQ(refused->Character, U'\U0001F980');
    // The user name and password travel in the device line and inside user actions' parameters, the
    // brand in the device line: a separator there is refused, naming the field and the character.
    for (const char16_t c : {u';', u'$', u'\r', u'\n', u'\0'}) {
        for (const auto& [member, field, caption, param] :
             {std::tuple{&CameraFields::User, CameraField::User, 107, true},
              std::tuple{&CameraFields::Password, CameraField::Password, 108, true},
              std::tuple{&CameraFields::Brand, CameraField::Brand, 1147, false},
              std::tuple{&CameraFields::Name, CameraField::Name, 1006, false}}) {
            CameraFields typed = fields;
            typed.Password.clear();
            typed.*member = QStringLiteral("a") + QChar(c) + u'b';
            const auto problem = CheckCameraFields(typed);
            const bool refuses = field != CameraField::Name && (c != u'$' || param);
            ASSERT_EQ(problem.has_value(), refuses) << caption << " " << int(c);
            if (refuses) {
                EXPECT_EQ(std::tuple(problem->Field, problem->Text, problem->Character),
                          std::tuple(field, caption, std::optional<char32_t>(c)));
            }
        }
    }
    fields.Password.clear();
    fields.Name = QStringLiteral("Cámara");
    fields.Address = QStringLiteral(" 10.0.0.9 ");
    fields.Brand = QStringLiteral(" AXIS ");
    fields.Mac = QStringLiteral("00:40:8c:12:34:56");
    const CameraRecord record = CameraRecordOf(start, fields);
    EXPECT_EQ(record.DisplayName, "C\xE1mara") << "Windows-1252, as the device gets it";
    EXPECT_EQ(record.IpAddress, "10.0.0.9");
    EXPECT_EQ(record.Brand, "AXIS");
    EXPECT_EQ(record.Mac[1], 0x40);
    EXPECT_EQ(record.Positions.size(), 1u) << "stored positions stay as they were";
    EXPECT_TRUE(record.PositioningSupport);
    EXPECT_EQ(CameraFieldsOf(record, false).Mac, QStringLiteral("00:40:8C:12:34:56"));

    EXPECT_EQ(FirstFreeCameraId({}), 0);
    CameraRecord a, b;
    b.Id = 1;
    EXPECT_EQ(FirstFreeCameraId({b}), 0);
    EXPECT_EQ(FirstFreeCameraId({b, a}), 2);
}

TEST(HistoryForm, TheSelectedEntryDecidesTheCommands)
{
    HistoryEntry sent;
    sent.Number = 12;
    sent.Time = "2026-12-07T10:00:00Z";
    sent.Operation = HistoryOperation::Sent;
    sent.Firmware = "2.40";
    HistoryEntry system = sent;
    system.Operation = HistoryOperation::SystemFiles;
    system.Firmware.clear();
    const struct
    {
        const HistoryEntry* Selected;
        bool Relay;
        HistoryCommands Commands;
    } cases[] = {
        {nullptr, false, {false, false, false}},
        {&sent, true, {true, true, false}},
        {&system, false, {false, false, true}},
        {&system, true, {false, false, false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HistoryCommandsFor(c.Selected, c.Relay), c.Commands) << c.Relay;
    const auto text = [](int n) { return "<" + std::to_string(n) + ">"; };
    EXPECT_EQ(HistoryRowText(sent, text), "12  2026-12-07T10:00:00Z  <1611>  2.40");
    EXPECT_EQ(HistoryRowText(system, text), "12  2026-12-07T10:00:00Z  <1612>");
}

} // namespace
} // namespace kor
