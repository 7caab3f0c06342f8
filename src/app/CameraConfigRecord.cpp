#include "app/CameraConfigRecord.h"

#include "app/AppPaths.h"
#include "config/SaveFile.h"
#include "config/TextNumber.h"

#include "KorBuild.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace kor {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr char kMagic[] = "kor-history 1";

struct OperationNameEntry
{
    HistoryOperation Operation;
    const char* Name;
};
constexpr OperationNameEntry kOperations[] = {
    {HistoryOperation::Read, "read"},
    {HistoryOperation::Sent, "sent"},
    {HistoryOperation::SystemFiles, "system-files"},
};

QString EntryName(int number)
{
    return QStringLiteral("%1.entry").arg(number, 6, 10, QLatin1Char('0'));
}

Status OwnerOnlyFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return Status::Fail("cannot create " + folder.toStdString());
    if (!QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner))
        return Status::Fail("cannot restrict " + folder.toStdString() + " to its owner");
    return Status::Ok();
}

// Header lines, then each text as "name length", its bytes and a line end: the texts stay
// byte-exact whatever they hold.
std::string EntryText(const HistoryEntry& e)
{
    std::string out = std::string(kMagic) + "\ntime " + e.Time + "\noperation " + OperationName(e.Operation) +
                      "\nversion " + e.ToolVersion + "\nfirmware " + e.Firmware + "\n";
    const auto part = [&out](const char* name, const std::string& bytes) {
        out += std::string(name) + " " + std::to_string(bytes.size()) + "\n" + bytes + "\n";
    };
    if (e.Operation == HistoryOperation::SystemFiles) {
        part("inittab", e.Inittab);
        part("boa.conf", e.BoaConf);
    } else {
        part("config", e.Config);
    }
    return out;
}

Result<HistoryEntry> ParseEntry(const std::string& text, int number)
{
    HistoryEntry e;
    e.Number = number;
    std::size_t at = 0;
    const auto line = [&]() -> std::optional<std::string> {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            return std::nullopt;
        std::string l = text.substr(at, end - at);
        at = end + 1;
        return l;
    };
    if (line() != std::optional<std::string>(kMagic))
        return Status::Fail("not a history entry");
    bool known = false;
    while (at < text.size()) {
        const std::optional<std::string> l = line();
        if (!l)
            return Status::Fail("truncated history entry");
        const std::size_t blank = l->find(' ');
        const std::string key = l->substr(0, blank);
        const std::string value = blank == std::string::npos ? std::string() : l->substr(blank + 1);
        std::string* part = key == "config"     ? &e.Config
                            : key == "inittab"  ? &e.Inittab
                            : key == "boa.conf" ? &e.BoaConf
                                                : nullptr;
        if (part) {
            const auto size = ReadNumber(value);
            if (!size || *size < 0 || at + static_cast<std::size_t>(*size) + 1 > text.size() ||
                text[at + static_cast<std::size_t>(*size)] != '\n')
                return Status::Fail("truncated history entry");
            *part = text.substr(at, static_cast<std::size_t>(*size));
            at += static_cast<std::size_t>(*size) + 1;
        } else if (key == "time") {
            e.Time = value;
        } else if (key == "version") {
            e.ToolVersion = value;
        } else if (key == "firmware") {
            e.Firmware = value;
        } else if (key == "operation") {
            for (const OperationNameEntry& o : kOperations) {
                if (value == o.Name) {
                    e.Operation = o.Operation;
                    known = true;
                }
            }
        }
    }
    if (!known)
        return Status::Fail("history entry of an unknown operation");
    return e;
}

// The entry numbers of a camera's folder, in order.
std::vector<int> EntryNumbers(const QString& folder)
{
    std::vector<int> numbers;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.entry")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        bool ok = false;
        const int n = name.left(name.indexOf(QLatin1Char('.'))).toInt(&ok);
        if (ok && n > 0)
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

const char* OperationName(HistoryOperation operation)
{
    for (const OperationNameEntry& o : kOperations) {
        if (o.Operation == operation)
            return o.Name;
    }
    return "";
}

CameraConfigRecord::CameraConfigRecord() : m_folder(AppPaths::WorkFile(QStringLiteral("cameras"))) {}

QString CameraConfigRecord::FolderOf(std::int32_t camera) const
{
    return QDir(m_folder).filePath(QString::number(camera));
}

Status CameraConfigRecord::Remember(std::int32_t camera, HistoryOperation operation, std::string_view text,
                                    const std::string& firmware) const
{
    HistoryEntry e;
    e.Operation = operation;
    e.Config = std::string(text);
    e.Firmware = firmware;
    return Add(camera, e);
}

Status CameraConfigRecord::KeepSystemFiles(std::int32_t camera, std::string_view inittab,
                                           std::string_view boaConf, const std::string& firmware) const
{
    HistoryEntry e;
    e.Operation = HistoryOperation::SystemFiles;
    e.Inittab = std::string(inittab);
    e.BoaConf = std::string(boaConf);
    e.Firmware = firmware;
    return Add(camera, e);
}

Status CameraConfigRecord::Add(std::int32_t camera, const HistoryEntry& entry) const
{
    const QString folder = FolderOf(camera);
    if (Status made = OwnerOnlyFolder(m_folder); made.failed())
        return made;
    if (Status made = OwnerOnlyFolder(folder); made.failed())
        return made;
    HistoryEntry e = entry;
    e.Time = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    e.ToolVersion = build::Version;
    const std::vector<int> numbers = EntryNumbers(folder);
    const QString path = QDir(folder).filePath(EntryName(numbers.empty() ? 1 : numbers.back() + 1));
    if (const Status saved = SaveFileAtomically(path, EntryText(e)); saved.failed())
        return Status::Fail(path.toStdString() + ": " + saved.reason());
    if (!QFile::setPermissions(path, kOwnerOnly))
        return Status::Fail("cannot restrict " + path.toStdString() + " to its owner");
    return Prune(camera);
}

Status CameraConfigRecord::Prune(std::int32_t camera) const
{
    const Result<std::vector<HistoryEntry>> all = List(camera);
    if (all.failed())
        return all.status();
    std::size_t excess = all->size() > kMaxEntries ? all->size() - kMaxEntries : 0;
    // The newest entry of each kind stays whatever the bound says.
    int newestConfig = 0;
    int newestSystem = 0;
    for (const HistoryEntry& e : *all)
        (e.Operation == HistoryOperation::SystemFiles ? newestSystem : newestConfig) = e.Number;
    const QDir folder(FolderOf(camera));
    for (const HistoryEntry& e : *all) {
        if (excess == 0)
            break;
        if (e.Number == newestConfig || e.Number == newestSystem)
            continue;
        if (!QFile::remove(folder.filePath(EntryName(e.Number))))
            return Status::Fail("cannot remove " + folder.filePath(EntryName(e.Number)).toStdString());
        --excess;
    }
    return Status::Ok();
}

Result<std::vector<HistoryEntry>> CameraConfigRecord::List(std::int32_t camera) const
{
    std::vector<HistoryEntry> entries;
    for (const int n : EntryNumbers(FolderOf(camera))) {
        Result<HistoryEntry> e = Entry(camera, n);
        if (e.failed())
            return e.status();
        entries.push_back(std::move(e).value());
    }
    return entries;
}

Result<HistoryEntry> CameraConfigRecord::Entry(std::int32_t camera, int number) const
{
    const QString path = QDir(FolderOf(camera)).filePath(EntryName(number));
    if (number < 1 || !QFileInfo::exists(path))
        return Status::Fail("camera " + std::to_string(camera) + " has no history entry " +
                            std::to_string(number));
    Result<std::string> read = ReadWholeFile(path);
    if (read.failed())
        return Status::Fail(path.toStdString() + ": " + read.reason());
    Result<HistoryEntry> e = ParseEntry(*read, number);
    if (e.failed())
        return Status::Fail(path.toStdString() + ": " + e.reason());
    return e;
}

Result<std::optional<std::string>> CameraConfigRecord::Recall(std::int32_t camera) const
{
    const std::vector<int> numbers = EntryNumbers(FolderOf(camera));
    for (auto n = numbers.rbegin(); n != numbers.rend(); ++n) {
        Result<HistoryEntry> e = Entry(camera, *n);
        if (e.failed())
            return e.status();
        if (e->Operation != HistoryOperation::SystemFiles)
            return std::optional<std::string>(std::move(e->Config));
    }
    return std::optional<std::string>();
}

std::function<Status(const std::string&, const std::string&, const std::string&)>
SystemFilesKeeper(const QString& workFolder, std::int32_t camera)
{
    const QString folder = QDir(workFolder).filePath(QStringLiteral("cameras"));
    return [folder, camera](const std::string& inittab, const std::string& boaConf,
                            const std::string& firmware) {
        return CameraConfigRecord(folder).KeepSystemFiles(camera, inittab, boaConf, firmware);
    };
}

} // namespace kor
