#pragma once

#include "config/Result.h"

#include <QString>
#include <QStringList>

#include <string>

namespace kor {

// What kormanager is started with:
//
//   kormanager [--database PATH] ["REMOTE#-#host#dataport#password#enabled#port$CAMID#id"]
//
// Arguments that are not options form the start command line, joined with one blank as the
// companion client's single command line held them; the line is then split at "$".
struct ProgramArguments
{
    std::string CommandLine; // Windows-1252, as the companion client hands it over
    QString DatabasePath;    // empty: the companion database named by the local settings
    bool Help = false;
    bool Version = false;
};

// Parses the arguments without the program name. Fails on a usage error (an unknown option,
// --database without a path).
Result<ProgramArguments> ParseProgramArguments(const QStringList& arguments);

// The --help text.
QString ProgramUsage();
// The --version text.
QString ProgramVersion();

} // namespace kor
