#pragma once

#include "TestSupport.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kor::cli::test {

// A --json output read back.
inline QJsonDocument Json(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text));
}

// One in-process korctl run: exit status and what it printed.
struct CliRun
{
    int Status = -1;
    std::string Out;
    std::string Err;
};

// korctl runs over a temporary folder holding the companion database; no run may print kSecret.
class KorctlTest : public ::testing::Test
{
protected:
    static constexpr const char* kSecret = "Pw:@ 9/x";

    void SetUp() override;
    // Runs korctl with --database naming the folder's database.
    CliRun Run(std::vector<std::string> args);
    std::string Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)).toStdString(); }
    std::string Read(const char* name) const
    {
        return kor::test::ReadBytes(QString::fromStdString(Path(name)));
    }
    void Write(const char* name, const std::string& bytes) const
    {
        kor::test::WriteBytes(QString::fromStdString(Path(name)), bytes);
    }
    bool Exists(const char* name) const { return QFile::exists(QString::fromStdString(Path(name))); }
    static std::string Sample()
    {
        return (kor::test::SourceDir() + QStringLiteral("/resources/samples/demo.kma")).toStdString();
    }
    // A good "cameras add" whose options the extra ones replace (the last value of an option counts).
    static std::vector<std::string> AddCamera(std::vector<std::string> extra = {});

    QTemporaryDir m_dir;
    std::string m_db;
};

} // namespace kor::cli::test
