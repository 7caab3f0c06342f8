#include "device/ui/FrmHome.h"
#include "app/Language.h"
#include "device/PresetList.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kor {
namespace {

class FrmHomeRules : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(LoadLanguageByCode(u"en").ok()); }
    void TearDown() override { FreeLanguage(); }

    // Stored positions, one of them named like a preset would be, and the camera's presets with a
    // name that also is a position's, one kept with "ZZZ" and one that is only "ZZZ".
    static std::vector<CameraPosition> Positions() { return {{"Porch", 1.5, -2, 3}, {"Home", 0, 0, 1}}; }
    static std::vector<NamedPreset> Presets()
    {
        return ParsePresetList("Preset Positions for camera 1\n"
                               "presetposno1=Home\n"
                               "presetposno2=GateZZZ\n"
                               "presetposno3=ZZZ\n");
    }

    template <typename T> static T* Find(QWidget& screen, const char* name)
    {
        T* control = screen.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
};

TEST_F(FrmHomeRules, ListsThePositionsThenThePresetsTaggedByWhatTheyAre)
{
    FrmHome home(Positions(), Presets());
    EXPECT_EQ(home.windowTitle(), LangText(154));
    auto* list = Find<QListWidget>(home, "LvwPrepos");
    struct Entry
    {
        const char* Text;
        const char* Tag;
    };
    const Entry expected[] = {{"Porch", "1"}, {"Home", "2"}, {"Home", "P1"}, {"Gate", "PV2"}, {"ZZZ", "P3"}};
    ASSERT_EQ(list->count(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_EQ(list->item(i)->text(), QLatin1String(expected[i].Text)) << i;
        EXPECT_EQ(list->item(i)->data(Qt::UserRole).toString(), QLatin1String(expected[i].Tag)) << i;
    }
    EXPECT_TRUE(FrmHome::IsPresetTag(QStringLiteral("PV2")));
    EXPECT_FALSE(FrmHome::IsPresetTag(QStringLiteral("1")));
}

TEST_F(FrmHomeRules, ContinueTakesACoordinateOrAPresetByTheEntrysTag)
{
    struct Case
    {
        const char* What;
        int Row;
        bool Enabled;
        HomeChoice Expected;
    };
    const Case cases[] = {
        {"a position whose name begins with P is a position", 0, true, {true, "", 1.5, -2, 3, true}},
        {"a position named like a preset", 1, false, {true, "", 0, 0, 1, false}},
        {"a preset named like a position", 2, true, {true, "Home", 0, 0, 0, true}},
        {"a preset kept with ZZZ gets it back", 3, false, {true, "GateZZZ", 0, 0, 0, false}},
        {"a name that is only ZZZ stays as it is", 4, true, {true, "ZZZ", 0, 0, 0, true}},
    };
    for (const Case& c : cases) {
        FrmHome home(Positions(), Presets());
        home.show();
        Find<QListWidget>(home, "LvwPrepos")->setCurrentRow(c.Row);
        Find<QCheckBox>(home, "Check1")->setChecked(c.Enabled);
        Find<QPushButton>(home, "CmdNext")->click();
        const HomeChoice& r = home.Result();
        EXPECT_FALSE(home.isVisible()) << c.What;
        EXPECT_EQ(home.result(), QDialog::Accepted) << c.What;
        EXPECT_EQ(r.Continue, c.Expected.Continue) << c.What;
        EXPECT_EQ(r.HomePreset, c.Expected.HomePreset) << c.What;
        EXPECT_EQ(r.X, c.Expected.X) << c.What;
        EXPECT_EQ(r.Y, c.Expected.Y) << c.What;
        EXPECT_EQ(r.Z, c.Expected.Z) << c.What;
        EXPECT_EQ(r.Enabled, c.Expected.Enabled) << c.What;
    }
}

TEST_F(FrmHomeRules, ContinueWithoutASelectionWaitsUnlessThereIsNothingToChoose)
{
    FrmHome home(Positions(), Presets());
    home.show();
    Find<QPushButton>(home, "CmdNext")->click();
    EXPECT_TRUE(home.isVisible()) << "a list with entries needs a choice";
    EXPECT_FALSE(home.Result().Continue);

    FrmHome empty({}, {});
    empty.show();
    Find<QCheckBox>(empty, "Check1")->setChecked(true);
    Find<QPushButton>(empty, "CmdNext")->click();
    EXPECT_FALSE(empty.isVisible());
    EXPECT_FALSE(empty.Result().Continue) << "no positions: nothing is sent";
}

TEST_F(FrmHomeRules, CancelAndTheCloseBoxChooseNothing)
{
    for (const bool closeBox : {false, true}) {
        FrmHome home(Positions(), Presets());
        home.show();
        Find<QListWidget>(home, "LvwPrepos")->setCurrentRow(3);
        Find<QCheckBox>(home, "Check1")->setChecked(true);
        if (closeBox)
            home.close();
        else
            Find<QPushButton>(home, "BTL1")->click();
        EXPECT_FALSE(home.isVisible()) << closeBox;
        EXPECT_FALSE(home.Result().Continue) << closeBox;
        EXPECT_TRUE(home.Result().HomePreset.empty()) << closeBox;
    }
}

} // namespace
} // namespace kor
