#include "CompanionFixture.h"

#include "TestSupport.h"

#include "outside/companion/ClientConnection.h"
#include "outside/companion/ModelTable.h"

#include <QDir>
#include <QFileInfo>

namespace kor::test {
namespace {

using SampleData = CompanionTest;

const char* const kCgiPrograms[] = {"getaapp.cgi",   "getconfig.cgi",   "setaapp.cgi",     "appendaapp.cgi",
                                    "setconfig.cgi", "gettasklist.cgi", "settasklist.cgi", "stopchkiod.cgi"};

void ExpectProgram(const QDir& dir, const QString& name)
{
    const QFileInfo info(dir.filePath(name));
    ASSERT_TRUE(info.isFile()) << info.filePath().toStdString();
    EXPECT_TRUE(info.isExecutable()) << info.filePath().toStdString();
    const std::string bytes = ReadBytes(info.filePath());
    EXPECT_EQ(bytes.rfind("#!/bin/sh\n", 0), 0u) << info.filePath().toStdString();
    EXPECT_EQ(bytes.find('\r'), std::string::npos)
        << "device files use LF: " << info.filePath().toStdString();
}

// Every seeded model finds the application files its profile describes: the release folders of a
// per-firmware model, the a/ and b/ trees of the cgi-bin layout, each program of the program list.
TEST_F(SampleData, SeededModelsHaveTheirApplicationFiles)
{
    ClientConnection connection;
    ASSERT_TRUE(IsOk(connection.Open(Path("orgend.ddd"))));
    std::vector<ModelRecord> models;
    models = ValueOf(ModelTable::List(connection));
    ASSERT_EQ(models.size(), 2u);

    const QDir data(SourceDir() + QStringLiteral("/resources/Data"));
    for (const ModelRecord& model : models) {
        SCOPED_TRACE(model.ModelName);
        const QDir folder(data.filePath(QString::fromStdString(model.ModelFolderName)));
        ASSERT_TRUE(folder.exists());
        QStringList releases = {QString()};
        if (model.PerFirmwareFolder)
            releases = {QStringLiteral("2.40"), QStringLiteral("2.41")};
        for (const QString& release : releases) {
            SCOPED_TRACE(release.toStdString());
            const QDir source(release.isEmpty() ? folder.path() : folder.filePath(release));
            const QDir programs(model.CgiBinLayout ? source.filePath(QStringLiteral("a")) : source.path());
            const QDir cgis(model.CgiBinLayout ? source.filePath(QStringLiteral("b")) : source.path());
            for (QString name : QString::fromStdString(model.ProgramList).split(QLatin1Char('#'))) {
                if (name.startsWith(QLatin1Char('@')))
                    name.remove(0, 1);
                ExpectProgram(programs, name);
            }
            for (const char* cgi : kCgiPrograms)
                ExpectProgram(cgis, QString::fromLatin1(cgi));
            if (model.ProgramList.find("movetohomed") != std::string::npos)
                ExpectProgram(cgis, QStringLiteral("setmovetohomed.cgi"));
            if (!model.CgiBinLayout)
                ExpectProgram(programs, QStringLiteral("ipnio.cgi"));
        }
    }
}

} // namespace
} // namespace kor::test
