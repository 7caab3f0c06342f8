#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace kor::test {

// Folder of the source tree and of the build tree, for test data and built programs.
QString SourceDir();
QString BinaryDir();
// Path of a program built into build/bin.
QString BuiltProgram(const QString& name);

std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);

// Turns control characters into visible escapes so that failed byte comparisons read well.
std::string Visible(const std::string& bytes);

} // namespace kor::test
