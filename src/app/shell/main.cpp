#include "app/AppSession.h"
#include "app/LocalSettings.h"
#include "app/ProgramArguments.h"
#include "app/shell/AllScreens.h"
#include "app/ui/MainCommands.h"
#include "app/ui/MainLoad.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/WidgetDialogs.h"
#include "app/ui/frmSkinAux.h"
#include "app/ui/frmmain.h"
#include "outside/transport/CurlFtpClient.h"
#include "outside/transport/CurlHttpClient.h"
#include "outside/transport/IcmpPinger.h"
#include "outside/transport/SystemClock.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    // The arguments first, so that --help and a usage error need no display.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    const kor::Result<kor::ProgramArguments> parsed = kor::ParseProgramArguments(given);
    if (parsed.failed()) {
        std::fprintf(stderr, "kormanager: %s\n\n%s",
                     QString::fromStdString(parsed.reason()).toLocal8Bit().constData(),
                     qPrintable(kor::ProgramUsage()));
        return 2;
    }
    const kor::ProgramArguments& arguments = *parsed;
    if (arguments.Version) {
        std::fputs(qPrintable(kor::ProgramVersion()), stdout);
        return 0;
    }
    if (arguments.Help) {
        std::fputs(qPrintable(kor::ProgramUsage()), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("VELTRIX"));
    QCoreApplication::setApplicationName(QStringLiteral("v-sencamDESKPLUS"));

    // The skin host first: every window takes its look from it.
    kor::frmSkinAux skin;
    skin.Load();

    kor::WidgetDialogs dialogs;
    kor::AppSession session(dialogs);
    kor::CurlHttpClient http;
    kor::CurlFtpClient ftp;
    kor::IcmpPinger ping;
    kor::SystemClock clock;
    kor::DeviceServices& services = session.Services();
    services.Http = &http;
    services.Ftp = &ftp;
    services.Ping = &ping;
    services.Wait = &clock;

    kor::ScreenRegistry screens;
    kor::RegisterAllScreens(screens);
    kor::frmmain window(session, screens);
    dialogs.SetParent(&window);
    kor::MainCommands commands(window, session);
    kor::MainLoad load(window, session, commands);
    kor::LocalSettings settings;

    int status = 1;
    if (load.Run(arguments, settings))
        status = app.exec();
    kor::MainLoad::Unload(session);
    return status;
}
