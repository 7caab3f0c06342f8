#include "EditorHarness.h"

#include "actions/ui/frmContactId.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace kor {
namespace {

class ContactIdEditor : public test::EditorHarness
{
protected:
    void Type(frmContactId& editor, const char* code, const char* zone, const char* group)
    {
        Find<QLineEdit>(editor, "txtCIDCode")->setText(QLatin1String(code));
        Find<QLineEdit>(editor, "txtZoneCId")->setText(QLatin1String(zone));
        Find<QLineEdit>(editor, "txtGrCId")->setText(QLatin1String(group));
    }
};

const QString kCodeMessage = QString::fromUtf8("Debe elegir el c\xC3\xB3"
                                               "digo del ContactID.");
const QString kZoneMessage = QString::fromUtf8("Error c\xC3\xB3"
                                               "digo de Zona.");
const QString kGroupMessage = QString::fromUtf8("Error c\xC3\xB3"
                                                "digo de Grupo.");

TEST_F(ContactIdEditor, ChecksShowTheFirstFailureAndKeepTheEditorOpen)
{
    struct Case
    {
        const char* Name;
        const char* Code;
        const char* Zone;
        const char* Group;
        const QString* Message;
    };
    const Case cases[] = {
        {"everything wrong: the code first", "", "Z1", "G1", &kCodeMessage},
        {"a zone of three characters", "130", "Z00", "G00", &kZoneMessage},
        {"a zone not beginning with Z", "130", "A000", "G00", &kZoneMessage},
        {"zone and group wrong: the zone first", "130", "Z0000", "G0", &kZoneMessage},
        {"a group of two characters", "130", "Z000", "G0", &kGroupMessage},
        {"a group of four characters", "130", "z000", "G000", &kGroupMessage},
    };
    for (const Case& c : cases) {
        m_dialogs.Clear();
        auto editor = Open<frmContactId>(ActContactId, 7, -1);
        Type(*editor, c.Code, c.Zone, c.Group);
        Click(*editor, "CmdAdd");
        EXPECT_EQ(m_dialogs.Messages(), QStringList{*c.Message}) << c.Name;
        ASSERT_FALSE(m_dialogs.History().empty());
        EXPECT_EQ(m_dialogs.History().back().Icon, MessageIcon::Exclamation) << c.Name;
        EXPECT_TRUE(m_dialogs.History().back().Title.isEmpty()) << c.Name;
        EXPECT_FALSE(editor->Stored()) << c.Name;
        EXPECT_EQ(Doc().ActionCount(7), 0) << c.Name;
        EXPECT_EQ(Find<QLineEdit>(*editor, "txtZoneCId")->text(), QLatin1String(c.Zone)) << "input kept";
    }
}

TEST_F(ContactIdEditor, ANewActionIsAnAlarmAndStoresAsTyped)
{
    auto editor = Open<frmContactId>(ActContactId, 7, -1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Contact ID report"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "TxtDesc")->text(), QString()) << "no default description";
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optAlarm")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtZoneCId")->text(), QStringLiteral("Z000"));
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtGrCId")->text(), QStringLiteral("G00"));
    EXPECT_EQ(Find<QComboBox>(*editor, "cmbCIDCode")->currentIndex(), -1);

    Find<QRadioButton>(*editor, "optRestore")->click();
    Type(*editor, "130", "z012", "g03");
    Click(*editor, "CmdAdd");
    EXPECT_TRUE(m_dialogs.Messages().isEmpty());
    ASSERT_EQ(Doc().ActionCount(7), 1);
    EXPECT_EQ(Doc().Action(7, 0)->Type, ActContactId);
    EXPECT_EQ(test::Visible(Doc().Action(7, 0)->Params),
              test::Visible(Params("EVENTTYPE=3$CIDCODE=130$GID=g03$ZID=z012$")));

    auto reopened = Open<frmContactId>(ActContactId, 7, 0);
    EXPECT_TRUE(Find<QRadioButton>(*reopened, "optRestore")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtCIDCode")->text(), QStringLiteral("130"));
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtZoneCId")->text(), QStringLiteral("z012"));
    EXPECT_EQ(Find<QLineEdit>(*reopened, "txtGrCId")->text(), QStringLiteral("g03"));
    EXPECT_EQ(Find<QComboBox>(*reopened, "cmbCIDCode")->currentText(), QStringLiteral("130  Burglary"));
}

TEST_F(ContactIdEditor, ThePickListFillsTheCodeAndShowsTheMeaningOfATypedOne)
{
    auto editor = Open<frmContactId>(ActContactId, 7, -1);
    auto* list = Find<QComboBox>(*editor, "cmbCIDCode");
    auto* code = Find<QLineEdit>(*editor, "txtCIDCode");
    const int fire = list->findData(QStringLiteral("110"));
    ASSERT_GE(fire, 0);
    EXPECT_EQ(list->itemText(fire), QStringLiteral("110  Fire"));
    EXPECT_EQ(list->itemText(list->findData(QStringLiteral("301"))), QStringLiteral("301  AC power loss"));

    list->setCurrentIndex(fire);
    Q_EMIT list->activated(fire);
    EXPECT_EQ(code->text(), QStringLiteral("110"));

    code->setText(QStringLiteral("302"));
    EXPECT_EQ(list->currentText(), QStringLiteral("302  Low system battery"));
    code->setText(QStringLiteral("999")); // free text stays allowed
    EXPECT_EQ(list->currentIndex(), -1);
    Click(*editor, "CmdAdd");
    EXPECT_EQ(test::Visible(Doc().Action(7, 0)->Params),
              test::Visible(Params("EVENTTYPE=1$CIDCODE=999$GID=G00$ZID=Z000$")));
}

TEST_F(ContactIdEditor, MissingKeysReopenEmpty)
{
    ActionRecord record;
    record.Type = ActContactId;
    record.Name = "Hall";
    record.Params = Params("EVENTTYPE=1$CIDCODE=130$");
    Doc().AddAction(8, record);
    auto editor = Open<frmContactId>(ActContactId, 8, 0);
    EXPECT_TRUE(Find<QRadioButton>(*editor, "optAlarm")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtZoneCId")->text(), QString());
    EXPECT_EQ(Find<QLineEdit>(*editor, "txtGrCId")->text(), QString());
    Click(*editor, "CmdAdd");
    EXPECT_EQ(m_dialogs.Messages(), QStringList{kZoneMessage});
}

} // namespace
} // namespace kor
