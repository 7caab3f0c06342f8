#include "cli/LoadProject.h"

#include "config/ConfigFiles.h"
#include "config/ConfigJson.h"
#include "config/SaveFile.h"

#include <QFileInfo>

#include <ostream>

namespace kor::cli {

bool LoadProjectForCli(ConfigDocument& doc, const std::string& path, Invocation& inv)
{
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists()) {
        Failure(inv, path + ": no such file");
        return false;
    }
    if (info.isDir()) {
        Failure(inv, path + ": is a folder, not a configuration file");
        return false;
    }
    if (info.suffix().toLower() == QStringLiteral("json")) {
        const Result<std::string> bytes = ReadWholeFile(info.filePath());
        if (bytes.failed()) {
            Failure(inv, path + ": " + bytes.reason());
            return false;
        }
        Result<ConfigDocument> read = ConfigFromJson(*bytes);
        if (read.failed()) {
            Failure(inv, path + ": " + read.reason());
            return false;
        }
        doc = std::move(read).value();
        return true;
    }
    doc.ResetConfig();
    LoadResult result;
    if (const Status loaded = LoadConfig(doc, path, false, &result); loaded.failed()) {
        std::string where = path;
        if (result.Line > 0)
            where += ", line " + std::to_string(result.Line);
        Failure(inv, where + ": " + loaded.reason());
        return false;
    }
    if (!result.Recognised) {
        Failure(inv, path + ": holds no configuration lines (#SSTART, #ACTION, #GENERAL, #ZELK)");
        return false;
    }
    return true;
}

} // namespace kor::cli
