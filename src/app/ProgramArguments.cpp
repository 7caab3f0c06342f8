#include "app/ProgramArguments.h"

#include "KorBuild.h"
#include "config/Cp1252.h"

namespace kor {

Result<ProgramArguments> ParseProgramArguments(const QStringList& arguments)
{
    ProgramArguments parsed;
    auto fail = [](const QString& message) { return Result<ProgramArguments>::Fail(message.toStdString()); };
    QStringList pieces;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parsed.Help = true;
        } else if (argument == QLatin1String("--version")) {
            parsed.Version = true;
        } else if (argument == QLatin1String("--database")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                return fail(QStringLiteral("--database needs the path of the companion database"));
            parsed.DatabasePath = arguments[++i];
        } else if (argument.startsWith(QLatin1String("--database="))) {
            parsed.DatabasePath = argument.mid(11);
            if (parsed.DatabasePath.isEmpty())
                return fail(QStringLiteral("--database needs the path of the companion database"));
        } else if (argument.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option %1").arg(argument));
        } else {
            pieces << argument;
        }
    }
    // The companion client hands over one command line; a shell splits it at its blanks, so the
    // pieces are joined again with one blank ("pass word" stays one field).
    parsed.CommandLine = ToCp1252(pieces.join(u' '));
    return parsed;
}

QString ProgramVersion()
{
    return QStringLiteral("kormanager %1\n").arg(QLatin1String(build::Version));
}

QString ProgramUsage()
{
    return QStringLiteral(
        "Usage: kormanager [--database PATH] [START]\n"
        "Configures the alarm application of one network camera.\n"
        "\n"
        "  START            the start command line of the companion client: \"$\"-separated pieces\n"
        "                   CAMID#id (the camera of the companion database; default 0) and\n"
        "                   REMOTE#-#host#dataport#password#enabled#port (the relay server;\n"
        "                   enabled is 1 to send every request through it), for example\n"
        "                   'REMOTE#x#10.0.0.5#900##1#901$CAMID#7'\n"
        "  --database PATH  the companion database (default: the one the local settings name,\n"
        "                   orgend.ddd in the work folder; created with a demo camera if missing)\n"
        "  --help           this text\n"
        "  --version        the program's version\n"
        "\n"
        "Without a usable camera (none named and no camera 0, an unknown one, one without a model\n"
        "profile, an address or the brand AXIS) a camera chooser opens on the companion database.\n"
        "Environment: KOR_RESOURCES (resource folder), KOR_WORK_DIR (work folder), KOR_SETTINGS_DIR\n"
        "(local settings as ini files).\n");
}

} // namespace kor
