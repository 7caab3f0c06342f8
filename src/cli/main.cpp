#include "cli/Korctl.h"

#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("VELTRIX"));
    QCoreApplication::setApplicationName(QStringLiteral("v-sencamDESKPLUS"));
    std::vector<std::string> args(argv + 1, argv + argc);
    return kor::cli::RunKorctl(args, std::cout, std::cerr);
}
