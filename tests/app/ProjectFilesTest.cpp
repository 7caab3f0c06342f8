#include "app/ProjectFiles.h"
#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ScriptedDialogs.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kor {
namespace {

using Kind = ScriptedDialogs::Shown::Kind;

class ProjectFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("KOR_RESOURCES"))
            qputenv("KOR_RESOURCES", (test::BinaryDir() + QStringLiteral("/bin/resources")).toUtf8());
        ASSERT_TRUE(LoadLanguageByCode(u"en").ok());
        ASSERT_TRUE(m_dir.isValid());
        Doc().Saved = true;
    }
    void TearDown() override { FreeLanguage(); }

    ConfigDocument& Doc() { return m_session.Document(); }
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    void AddWork(int rule = 5)
    {
        Doc().AddAction(rule, ActionRecord{0, "work", std::string("DISP=1\0", 7), {}, false});
        ASSERT_FALSE(Doc().Saved);
    }
    std::vector<Kind> Kinds() const
    {
        std::vector<Kind> kinds;
        for (const auto& shown : m_dialogs.History())
            kinds.push_back(shown.What);
        return kinds;
    }

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
    ProjectFiles m_files{m_session, [] { return QStringLiteral("Kor Manager - Demo camera 127.0.0.2"); }};
};

TEST_F(ProjectFilesTest, NewConfigurationAndItsQuestion)
{
    struct Case
    {
        const char* Name;
        bool Unsaved;
        std::vector<Answer> Answers;
        const char* SaveTo; // nullptr: the save dialog is cancelled
        bool Reset;
        std::vector<Kind> Shown;
    };
    const Case cases[] = {
        {"saved: no question", false, {}, nullptr, true, {}},
        {"unsaved, cancel", true, {Answer::Cancel}, nullptr, false, {Kind::Question}},
        {"unsaved, no", true, {Answer::No}, nullptr, true, {Kind::Question}},
        {"unsaved, yes, save cancelled: nothing is lost",
         true,
         {Answer::Yes},
         nullptr,
         false,
         {Kind::Question, Kind::SaveFile}},
        {"unsaved, yes, saved", true, {Answer::Yes}, "saved.kma", true, {Kind::Question, Kind::SaveFile}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        m_dialogs.Clear();
        Doc().ResetConfig();
        Doc().Saved = true;
        Doc().CurrentFileName = "old.kma";
        if (c.Unsaved)
            AddWork();
        for (const Answer answer : c.Answers)
            m_dialogs.QueueAnswer(answer);
        if (c.SaveTo)
            m_dialogs.QueueFile(Path(c.SaveTo));
        EXPECT_EQ(m_files.NewConfiguration(), c.Reset);
        EXPECT_EQ(Kinds(), c.Shown);
        EXPECT_EQ(Doc().IsRuleUsed(5), c.Unsaved && !c.Reset);
        EXPECT_EQ(Doc().CurrentFileName, c.Reset ? "" : "old.kma");
        if (!c.Shown.empty()) {
            EXPECT_EQ(m_dialogs.History()[0].Text, LangText(180));
            EXPECT_EQ(m_dialogs.History()[0].Title, QStringLiteral("Kor Manager - Demo camera 127.0.0.2"));
            EXPECT_TRUE(m_dialogs.History()[0].WithCancel);
        }
        if (c.SaveTo) {
            EXPECT_NE(test::ReadBytes(Path(c.SaveTo)).find("#ACTION=work;"), std::string::npos);
        }
    }
}

TEST_F(ProjectFilesTest, SaveAsksBeforeReplacingAFile)
{
    const QString existing = Path("existing.kma");
    test::WriteBytes(existing, "old bytes");
    AddWork();
    Doc().CurrentFileName = "/somewhere/current.kma";

    // Typed without its extension, asked about under the name it gets; No: the dialog comes again
    // with the same filter; then a new name.
    m_dialogs.QueueFile(Path("existing"));
    m_dialogs.QueueAnswer(Answer::No);
    m_dialogs.QueueFile(Path("new"));
    EXPECT_TRUE(m_files.SaveProject());
    EXPECT_EQ(Kinds(), (std::vector<Kind>{Kind::SaveFile, Kind::Question, Kind::SaveFile}));
    const auto& history = m_dialogs.History();
    EXPECT_EQ(history[0].Filter, QStringLiteral("KMA (*.kma);;Todos (*.*)"));
    EXPECT_EQ(history[2].Filter, history[0].Filter);
    EXPECT_EQ(history[0].Text, QStringLiteral("/somewhere/current.kma")) << "the dialog starts at the file";
    EXPECT_EQ(history[1].Text, LangText(821) + u' ' + existing + QStringLiteral(" ?"));
    EXPECT_EQ(test::ReadBytes(existing), "old bytes");
    EXPECT_EQ(Doc().CurrentFileName, Path("new.kma").toStdString());
    EXPECT_FALSE(QFile::exists(Path("new")));
    EXPECT_TRUE(Doc().Saved);

    // Cancel: nothing is written.
    m_dialogs.Clear();
    AddWork(6);
    m_dialogs.QueueFile(existing);
    m_dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(m_files.SaveProject());
    EXPECT_EQ(test::ReadBytes(existing), "old bytes");
    EXPECT_FALSE(Doc().Saved);

    // Yes: replaced.
    m_dialogs.Clear();
    m_dialogs.QueueFile(existing);
    m_dialogs.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(m_files.SaveProject());
    EXPECT_NE(test::ReadBytes(existing).find("#SSTART6"), std::string::npos);
    EXPECT_EQ(Doc().CurrentFileName, existing.toStdString());
}

TEST(ProjectFiles, TheExtensionIsAddedAndTheCamerasNameProposed)
{
    const std::pair<const char*, const char*> paths[] = {
        {"/p/site", "/p/site.kma"},     {"/p/site.", "/p/site.kma"},    {"/p/site.kma", "/p/site.kma"},
        {"/p/site.txt", "/p/site.txt"}, {"/p.d/site", "/p.d/site.kma"}, {"", ""},
    };
    for (const auto& [typed, saved] : paths)
        EXPECT_EQ(ProjectFiles::WithProjectExtension(QLatin1String(typed)), QLatin1String(saved)) << typed;
    const std::pair<const char*, const char*> names[] = {
        {"Gate 2", "Gate 2.kma"}, {" Hall: A/B? ", "Hall_ A_B_.kma"}, {"  ", ""}};
    for (const auto& [camera, proposed] : names)
        EXPECT_EQ(ProjectFiles::ProposedFileName(QLatin1String(camera)), QLatin1String(proposed)) << camera;
}

TEST_F(ProjectFilesTest, AFailedSaveKeepsTheNameAndTheState)
{
    AddWork();
    Doc().CurrentFileName = "before.kma";
    m_dialogs.QueueFile(Path("no-such-folder/file.kma"));
    EXPECT_FALSE(m_files.SaveProject());
    ASSERT_EQ(m_dialogs.Messages(), QStringList{LangText(191)});
    EXPECT_EQ(m_dialogs.History().back().Icon, MessageIcon::Critical);
    EXPECT_EQ(Doc().CurrentFileName, "before.kma");
    EXPECT_FALSE(Doc().Saved);
}

TEST_F(ProjectFilesTest, OpenReadsAProjectAndReportsAnUnreadableOne)
{
    const QString sample = test::SourceDir() + QStringLiteral("/resources/samples/demo.kma");
    // Unsaved changes are asked about first; cancelled, no file dialog follows.
    AddWork();
    m_dialogs.QueueAnswer(Answer::Cancel);
    EXPECT_FALSE(m_files.OpenProject());
    EXPECT_EQ(Kinds(), std::vector<Kind>{Kind::Question});
    EXPECT_TRUE(Doc().IsRuleUsed(5));
    m_dialogs.Clear();
    // Cancelled dialog: nothing changes.
    ASSERT_TRUE(m_session.History().Edit({7}, QString(), [this] { AddWork(7); }));
    Doc().Saved = true; // as after a save
    EXPECT_FALSE(m_files.OpenProject());
    EXPECT_TRUE(Doc().IsRuleUsed(7));
    EXPECT_TRUE(Doc().Saved) << "cancelling keeps the saved state";

    m_dialogs.Clear();
    m_dialogs.QueueFile(sample);
    EXPECT_TRUE(m_files.OpenProject());
    EXPECT_FALSE(Doc().IsRuleUsed(7));
    EXPECT_TRUE(Doc().IsRuleUsed(3));
    EXPECT_EQ(Doc().CurrentFileName, sample.toStdString());
    EXPECT_TRUE(Doc().Saved) << "an opened project equals its file";
    EXPECT_FALSE(m_session.History().CanUndo()) << "an opened project starts a history of its own";
    EXPECT_TRUE(m_dialogs.Messages().isEmpty());

    m_dialogs.Clear();
    const QString binary = Path("picture.kma");
    test::WriteBytes(binary, std::string("\x89PNG\0\0", 6));
    m_dialogs.QueueFile(binary);
    EXPECT_TRUE(m_files.OpenProject());
    EXPECT_EQ(m_dialogs.Messages(), QStringList{LangText(181)});
    EXPECT_EQ(m_dialogs.History().back().Icon, MessageIcon::Critical);
}

} // namespace
} // namespace kor
