#include "SessionFixture.h"

#include "DeviceSimProcess.h"
#include "outside/transport/CurlHttpClient.h"
#include "rules/ui/FrmSens.h"
#include "rules/ui/ModalScreens.h"
#include "rules/ui/frmEventos.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kor {
namespace {

class Catalogue : public test::SessionFixture
{
protected:
    QComboBox* Kinds(frmEventos& screen) { return Find<QComboBox>(screen, "cmbNameSens"); }
    QComboBox* Sources(frmEventos& screen) { return Find<QComboBox>(screen, "cmbListSens"); }
    QTreeWidget* List(frmEventos& screen) { return Find<QTreeWidget>(screen, "lvwCargaEventos"); }

    // Chooses a kind as the user does.
    void ChooseKind(frmEventos& screen, const char* code)
    {
        QComboBox* kinds = Kinds(screen);
        const int index = kinds->findData(QLatin1String(code), Qt::UserRole);
        ASSERT_GE(index, 0) << code;
        kinds->setCurrentIndex(index);
        Q_EMIT kinds->activated(index);
    }

    // Chooses a source by its tag and presses imgBajar.
    void AddByTag(frmEventos& screen, const char* code, const char* tag)
    {
        ChooseKind(screen, code);
        QComboBox* sources = Sources(screen);
        const int index = sources->findData(QLatin1String(tag), Qt::UserRole);
        ASSERT_GE(index, 0) << tag;
        sources->setCurrentIndex(index);
        QTest::mouseClick(Find<QToolButton>(screen, "imgBajar"), Qt::LeftButton);
    }

    static QStringList Tags(QTreeWidget* list)
    {
        QStringList tags;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            tags << list->topLevelItem(i)->data(0, Qt::UserRole).toString();
        return tags;
    }

    static QStringList Codes(QComboBox* combo)
    {
        QStringList codes;
        for (int i = 0; i < combo->count(); ++i)
            codes << combo->itemData(i, Qt::UserRole).toString();
        return codes;
    }
};

TEST_F(Catalogue, OpensWithTheKindsOfTheCameraAndTheUsedRules)
{
    Doc().AddAction(3, ActionRecord{});
    Doc().AddAction(100, ActionRecord{});
    Doc().AddAction(1, ActionRecord{});
    frmEventos screen(m_session);
    EXPECT_EQ(Codes(Kinds(screen)), test::Strings({"SIMD", "EIMD", "PCAM", "SDMC", "OTHC", "SVIR"}));
    EXPECT_EQ(Kinds(screen)->currentIndex(), -1);
    EXPECT_TRUE(Sources(screen)->currentText().isEmpty());
    QTreeWidget* list = List(screen);
    EXPECT_EQ(Tags(list), test::Strings({"SIMD1", "SIMD3", "OTHC100"}));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Digital input"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("Input 3"));
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Type"));
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(Catalogue, CameraEventsFollowInputOneAndTheEventCount)
{
    struct Case
    {
        std::int16_t InputOne;
        std::int16_t Events;
        bool Offered;
        std::vector<const char*> Tags;
    };
    const Case cases[] = {
        {1, 4, true, {"PCAM51", "PCAM52", "PCAM53"}},
        {0, 1, true, {"PCAM1"}},
        {1, 2, false, {}},
    };
    for (const Case& c : cases) {
        UseModel(511, c.Events);
        Doc().InputOneAsSensor = c.InputOne;
        frmEventos screen(m_session);
        const bool offered = Codes(Kinds(screen)).contains(QStringLiteral("PCAM"));
        EXPECT_EQ(offered, c.Offered) << c.InputOne << "/" << c.Events;
        if (!offered)
            continue;
        ChooseKind(screen, "PCAM");
        EXPECT_EQ(Codes(Sources(screen)), test::Strings(c.Tags));
    }
}

TEST_F(Catalogue, AddingSetsTheTaskListFlagOnlyForSourcesWithDeviceTasks)
{
    struct Case
    {
        const char* Code;
        const char* Tag;
        bool Dirty;
    };
    const Case cases[] = {{"SDMC", "SDMC12", false},
                          {"PCAM", "PCAM51", true},
                          {"SIMD", "SIMD3", false},
                          {"SVIR", "SVIR95", false}};
    for (const Case& c : cases) {
        m_session.TaskListDirty = false;
        frmEventos screen(m_session);
        AddByTag(screen, c.Code, c.Tag);
        EXPECT_TRUE(screen.SourceListed(QStringLiteral(" %1 ").arg(QLatin1String(c.Tag)))) << c.Tag;
        EXPECT_EQ(m_session.TaskListDirty, c.Dirty) << c.Tag;
        EXPECT_EQ(List(screen)->topLevelItem(0)->text(0), Kinds(screen)->currentText().trimmed());
    }
    // No rule is made by adding; a source without actions is gone when the screen opens again.
    EXPECT_FALSE(Doc().HasAnyAction());
    frmEventos again(m_session);
    EXPECT_EQ(List(again)->topLevelItemCount(), 0);
}

TEST_F(Catalogue, AddingAListedSourceOrNothingChosenChangesNothing)
{
    Doc().AddAction(3, ActionRecord{});
    frmEventos screen(m_session);
    AddByTag(screen, "SIMD", "SIMD3");
    EXPECT_EQ(Tags(List(screen)), test::Strings({"SIMD3"}));
    ChooseKind(screen, "SIMD");
    ASSERT_EQ(Sources(screen)->currentIndex(), -1);
    QTest::mouseClick(Find<QToolButton>(screen, "imgBajar"), Qt::LeftButton);
    EXPECT_EQ(List(screen)->topLevelItemCount(), 1);
}

TEST_F(Catalogue, RemovingEmptiesTheRuleMarksTheDocumentAndTheTaskList)
{
    Doc().AddAction(3, ActionRecord{});
    Doc().AddAction(70, ActionRecord{});
    Doc().Saved = true;
    frmEventos screen(m_session);
    QTreeWidget* list = List(screen);
    QToolButton* remove = Find<QToolButton>(screen, "imgDel");

    QTest::mouseClick(remove, Qt::LeftButton); // nothing selected
    EXPECT_EQ(list->topLevelItemCount(), 2);

    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(Tags(list), test::Strings({"SDMC70"}));
    EXPECT_FALSE(Doc().IsRuleUsed(3));
    EXPECT_FALSE(Doc().Saved) << "the removal must not be lost without a question";
    EXPECT_FALSE(m_session.TaskListDirty);

    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_FALSE(Doc().IsRuleUsed(70));
    EXPECT_TRUE(m_session.TaskListDirty);
    EXPECT_TRUE(m_dialogs.History().empty()) << "no confirmation question";
}

TEST_F(Catalogue, ADoubleClickOpensTheRuleListOfTheSource)
{
    Doc().AddAction(3, ActionRecord{});
    Doc().AddAction(100, ActionRecord{});
    frmEventos screen(m_session);
    screen.resize(700, 400);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    std::vector<int> opened;
    ScopedModalDriver driver([&](QDialog* dialog) {
        auto* rules = qobject_cast<FrmSens*>(dialog);
        ASSERT_NE(rules, nullptr);
        opened.push_back(rules->ClaveSens());
    });
    QTreeWidget* list = List(screen);
    QTreeWidgetItem* audio = list->topLevelItem(1);
    list->setCurrentItem(audio);
    // A double click follows a first click, as the item view expects.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(audio).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(audio).center());
    EXPECT_EQ(opened, std::vector<int>{100});
}

// The sources of the camera are found through its parameter lists (kor-devicesim on loopback).
class CatalogueDiscovery : public Catalogue
{
protected:
    void Start(std::vector<std::string> args)
    {
        m_sim = std::make_unique<test::DeviceSimProcess>(std::move(args), false);
        ASSERT_TRUE(m_sim->Start()) << m_sim->Error();
        UseCamera(m_sim->Address(), m_sim->HttpPort(), "root", "pass");
        m_session.Services().Http = &m_http;
    }

    CurlHttpClient m_http;
    std::unique_ptr<test::DeviceSimProcess> m_sim;
};

TEST_F(CatalogueDiscovery, MotionWindowsAndOtherSourcesComeFromTheCamera)
{
    Start({"--motion", "0=Entrance,1=Yard,18=Far,19=Never", "--audio", "1", "--tampering", "0",
           "--temperature", "1"});
    frmEventos screen(m_session);
    ChooseKind(screen, "SDMC");
    EXPECT_EQ(Codes(Sources(screen)), test::Strings({"SDMC12", "SDMC70", "SDMC71", "SDMC88"}));
    EXPECT_EQ(Sources(screen)->itemText(1), QStringLiteral("Window 1 (Entrance)"));
    EXPECT_EQ(Sources(screen)->currentIndex(), -1);
    EXPECT_FALSE(m_session.DeviceBusy());

    ChooseKind(screen, "OTHC");
    EXPECT_EQ(Codes(Sources(screen)), test::Strings({"OTHC100", "OTHC102"}));
    // The questions that were answered (a first one may have met the camera's challenge).
    std::vector<std::string> asked;
    for (const test::DeviceSimProcess::Request& request : m_sim->Requests()) {
        EXPECT_EQ(request.path, "/axis-cgi/operator/param.cgi");
        if (request.authOk)
            asked.push_back(request.query);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"action=list&group=Motion", "action=list&group=root.Audio.A0",
                                               "action=list&group=root.Properties.Tampering",
                                               "action=list&group=root.Properties.TemperatureSensor"}));

    m_session.TaskListDirty = false;
    AddByTag(screen, "SDMC", "SDMC70");
    EXPECT_TRUE(m_session.TaskListDirty);
    EXPECT_EQ(List(screen)->topLevelItem(0)->text(1), QStringLiteral("Window 1 (Entrance)"));
    m_session.TaskListDirty = false;
    AddByTag(screen, "OTHC", "OTHC100");
    EXPECT_TRUE(m_session.TaskListDirty);
}

TEST_F(CatalogueDiscovery, ACameraThatDoesNotAnswerLeavesWhatIsKnown)
{
    Start({});
    m_sim->Stop();
    frmEventos screen(m_session);
    ChooseKind(screen, "SDMC");
    EXPECT_EQ(Codes(Sources(screen)), test::Strings({"SDMC12"}));
    ChooseKind(screen, "OTHC");
    EXPECT_TRUE(Codes(Sources(screen)).isEmpty());
    EXPECT_TRUE(m_dialogs.History().empty());
}

TEST_F(Catalogue, WithoutADeviceTransportOnlyTheKnownSourcesAreOffered)
{
    frmEventos screen(m_session);
    ChooseKind(screen, "SDMC");
    EXPECT_EQ(Codes(Sources(screen)), test::Strings({"SDMC12"}));
}

} // namespace
} // namespace kor
