// Sending the configuration over fakes (the pieces on the wire are the simulator runs'): the task
// list merged and sent, and what a refused list or read-back leaves behind.
#include "CameraFixture.h"

#include <QDir>
#include <QFile>

namespace kor::test {
namespace {

using UploadStepTest = CameraFixture;

TEST_F(UploadStepTest, TaskListIsSentAndTheCameraRestarted)
{
    Doc.AddAction(55, Siren());
    Http.On("gettasklist.cgi", Ok("#BOH\n#EOH\n#C1:51\nold\n"));
    Ping.Replies = {0, 0, 11010, 0};
    TaskListDirty = true;
    EXPECT_EQ(Run(Ticked({&LinkOptions::SendConfig})), RunOutcome::Completed) << LogText();
    EXPECT_FALSE(TaskListDirty);
    const auto sent = Http.Matching("settasklist.cgi");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->Body,
              std::string("#BOH\n#EOH\n#C1:55\npattern((IO5:/)) immune % /mnt/flash/bin/forcelocal : 55;\n") +
                  '\0');
    EXPECT_NE(LogText().find("[809]\n[813]\n[801]\n[1184]\n[808]"), std::string::npos) << LogText();
    EXPECT_EQ(Ping.Count, 4); // down at the third ping, back at the fourth
    // The work files hold the camera password: the user's alone.
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    for (const char* name : {"Gen", "Gen/tasklist", "alarm_app"})
        EXPECT_EQ((QFile::permissions(QDir(Work.path()).filePath(QLatin1String(name))) & others).toInt(), 0)
            << name;
}

TEST_F(UploadStepTest, RefusedListOrReadBackEndsTheRun)
{
    const struct
    {
        const char* Refused;
        HttpResponse Answer;
        std::string Line;
        bool DirtyAfter;
        RunOutcome Outcome = RunOutcome::Failed;
    } rows[] = {
        {"settasklist.cgi", Unreachable(28, "Timeout"), "11:28:Timeout", false},
        // The read-back after the pieces: a camera that kept something else.
        {"getaapp.cgi", Ok("#SSTART100\n"), "[1211]", true, RunOutcome::NotStored},
    };
    Doc.AddAction(100, Siren());
    for (const auto& row : rows) {
        Http = FakeHttp();
        KeepsUploads();
        Host = RecordingHost();
        Http.On(row.Refused, row.Answer);
        TaskListDirty = true;
        EXPECT_EQ(Run(Ticked({&LinkOptions::SendConfig})), row.Outcome) << row.Refused;
        EXPECT_EQ(Http.Matching(row.Refused).size(), 1u) << row.Refused;
        EXPECT_TRUE(Http.Matching("restart.cgi").empty()) << row.Refused;
        ASSERT_GE(Host.Lines.size(), 3u);
        EXPECT_EQ(Host.Lines.end()[-3], row.Line) << LogText(); // then the outcome and closing lines
        EXPECT_EQ(TaskListDirty, row.DirtyAfter) << row.Refused;
    }
}

} // namespace
} // namespace kor::test
