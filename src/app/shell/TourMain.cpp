#include "app/shell/AllScreens.h"
#include "app/shell/ScreenshotTour.h"
#include "app/ui/ScreenRegistry.h"
#include "app/ui/frmSkinAux.h"

#include <QApplication>

#include <cstdio>

// kor-screenshot-tour OUTDIR [--lang en,es] [--only Name,Name] [--project FILE.kma]
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("VELTRIX"));
    QCoreApplication::setApplicationName(QStringLiteral("v-sencamDESKPLUS"));

    kor::TourOptions options;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--lang") && hasValue) {
            options.Languages = args[++i].split(u',', Qt::SkipEmptyParts);
        } else if (arg == QLatin1String("--only") && hasValue) {
            options.Only = args[++i].split(u',', Qt::SkipEmptyParts);
        } else if (arg == QLatin1String("--project") && hasValue) {
            options.Project = args[++i];
        } else if (arg.startsWith(QLatin1String("-")) || !options.OutDir.isEmpty()) {
            std::fprintf(stderr, "Usage: kor-screenshot-tour OUTDIR [--lang en,es] [--only Name,...] "
                                 "[--project FILE.kma]\n");
            return 2;
        } else {
            options.OutDir = arg;
        }
    }
    if (options.OutDir.isEmpty()) {
        std::fprintf(
            stderr,
            "Usage: kor-screenshot-tour OUTDIR [--lang en,es] [--only Name,...] [--project FILE.kma]\n");
        return 2;
    }

    kor::frmSkinAux skin;
    skin.Load();
    kor::ScreenRegistry screens;
    kor::RegisterAllScreens(screens);
    const int failures = kor::RunScreenshotTour(screens, options);
    return failures == 0 ? 0 : 1;
}
