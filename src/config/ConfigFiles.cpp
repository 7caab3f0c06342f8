#include "config/ConfigFiles.h"

#include "config/SaveFile.h"

#include <QDir>

namespace kor {

Status LoadConfig(ConfigDocument& doc, const std::string& source, bool sourceIsText, LoadResult* detail)
{
    LoadResult outcome;
    if (sourceIsText) {
        doc.CurrentFileName.clear();
        outcome = ParseConfigText(doc, source);
    } else {
        doc.Saved = true;
        doc.CurrentFileName = source;
        const Result<std::string> bytes = ReadWholeFile(QString::fromStdString(source));
        if (bytes.failed()) {
            outcome.Outcome = bytes.status();
        } else if (const std::size_t nul = bytes->find('\0'); nul != std::string::npos) {
            // Configuration texts never hold a NUL byte; this is some other kind of file.
            outcome.Outcome =
                Status::Fail("not a configuration text (binary data at byte " + std::to_string(nul) + ")");
        } else {
            outcome = ParseConfigText(doc, *bytes);
        }
    }
    Status status = outcome.Outcome;
    if (detail)
        *detail = std::move(outcome);
    return status;
}

Status WriteAlarmAppFile(const ConfigDocument& doc, const QString& workFolder, const DeviceLine& device)
{
    const QString path = QDir(workFolder).filePath(QString::fromLatin1(kAlarmAppFileName));
    return SaveFileAtomically(path, BuildAlarmAppText(doc, device));
}

Status SaveProjectFile(const ConfigDocument& doc, const QString& path)
{
    return SaveFileAtomically(path, BuildProjectText(doc));
}

} // namespace kor
