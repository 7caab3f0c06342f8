#include "config/ConfigFiles.h"

#include "config/SaveFile.h"

#include <QDir>

namespace kor {

bool LoadConfig(ConfigDocument& doc, const std::string& source, bool sourceIsText, LoadResult* result)
{
    LoadResult outcome;
    if (sourceIsText) {
        doc.CurrentFileName.clear();
        outcome = ParseConfigText(doc, source);
    } else {
        const QString path = QString::fromStdString(source);
        std::string bytes;
        std::string error;
        doc.Saved = true;
        doc.CurrentFileName = source;
        if (!ReadWholeFile(path, bytes, &error)) {
            outcome = LoadResult{true, 0, error};
        } else if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) {
            // Configuration texts never hold a NUL byte; this is some other kind of file.
            outcome = LoadResult{
                true, 0, "not a configuration text (binary data at byte " + std::to_string(nul) + ")"};
        } else {
            outcome = ParseConfigText(doc, bytes);
        }
    }
    if (result)
        *result = outcome;
    return outcome.Failed;
}

bool WriteAlarmAppFile(const ConfigDocument& doc, const QString& workFolder, const DeviceLine& device,
                       std::string* error)
{
    const QString path = QDir(workFolder).filePath(QString::fromLatin1(kAlarmAppFileName));
    return !SaveFileAtomically(path, BuildAlarmAppText(doc, device), error);
}

bool SaveProjectFile(const ConfigDocument& doc, const QString& path, std::string* error)
{
    return !SaveFileAtomically(path, BuildProjectText(doc), error);
}

} // namespace kor
