#include "cli/LoadProject.h"

#include "config/ConfigFiles.h"
#include "config/ConfigJson.h"
#include "config/SaveFile.h"

#include <QFileInfo>

#include <ostream>

namespace kor::cli {

Status LoadProjectForCli(ConfigDocument& doc, const std::string& path)
{
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists())
        return Status::Fail(path + ": no such file");
    if (info.isDir())
        return Status::Fail(path + ": is a folder, not a configuration file");
    if (info.suffix().toLower() == QStringLiteral("json")) {
        const Result<std::string> bytes = ReadWholeFile(info.filePath(), kMaxConfigFileBytes);
        if (bytes.failed())
            return Status::Fail(path + ": " + bytes.reason());
        Result<ConfigDocument> read = ConfigFromJson(*bytes);
        if (read.failed())
            return Status::Fail(path + ": " + read.reason());
        doc = std::move(read).value();
        return Status::Ok();
    }
    doc.ResetConfig();
    LoadResult result;
    if (const Status loaded = LoadConfig(doc, path, false, &result); loaded.failed()) {
        std::string where = path;
        if (result.Line > 0)
            where += ", line " + std::to_string(result.Line);
        return Status::Fail(where + ": " + loaded.reason());
    }
    if (!result.Recognised)
        return Status::Fail(path + ": holds no configuration lines (#SSTART, #ACTION, #GENERAL, #ZELK)");
    return Status::Ok();
}

} // namespace kor::cli
