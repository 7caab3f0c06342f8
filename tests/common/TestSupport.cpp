#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace kor::test {

QString SourceDir()
{
    return QString::fromUtf8(KOR_TEST_SOURCE_DIR);
}

QString BinaryDir()
{
    return QString::fromUtf8(KOR_TEST_BINARY_DIR);
}

QString BuiltProgram(const QString& name)
{
    return QDir(BinaryDir()).filePath(QStringLiteral("bin/") + name);
}

std::string ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    const QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string Visible(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        switch (c) {
        case '\n':
            out += "\\n\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace kor::test
