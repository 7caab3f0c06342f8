#include "cli/Korctl.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    // A command that lays out text (the PDF report) needs fonts, so a GUI application object on
    // the offscreen platform: korctl never opens a window.
    std::unique_ptr<QCoreApplication> app;
    if (kor::cli::NeedsGuiApplication(args)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("VELTRIX"));
    QCoreApplication::setApplicationName(QStringLiteral("v-sencamDESKPLUS"));
    return kor::cli::RunKorctl(args, std::cout, std::cerr);
}
