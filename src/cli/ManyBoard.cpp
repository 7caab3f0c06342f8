#include "cli/ManyBoard.h"

#include "cli/CliText.h"
#include "cli/CliValues.h"

#include "config/SaveFile.h"
#include "outside/companion/CameraTable.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <ostream>

namespace kor::cli {

namespace {

std::atomic<RunPool*> g_interruptible{nullptr};

extern "C" void CancelOnInterrupt(int)
{
    if (RunPool* pool = g_interruptible.load())
        pool->Cancel();
}

const char* OutcomeName(PoolOutcome outcome)
{
    switch (outcome) {
    case PoolOutcome::Succeeded:
        return "succeeded";
    case PoolOutcome::Failed:
        return "failed";
    case PoolOutcome::Skipped:
        return "skipped";
    case PoolOutcome::Cancelled:
        return "cancelled";
    }
    return "?";
}

const ManyCamera* Find(const std::vector<ManyCamera>& cameras, std::int32_t id)
{
    const auto it =
        std::find_if(cameras.begin(), cameras.end(), [id](const ManyCamera& c) { return c.Id == id; });
    return it == cameras.end() ? nullptr : &*it;
}

} // namespace

Result<std::vector<ManyCamera>> LoadManyCameras(const Invocation& inv, const CameraSession& session)
{
    const Result<std::vector<CameraRecord>> listed = CameraTable::List(session.Connection);
    if (listed.failed())
        return listed.status();
    const std::string list = inv.Value("cameras");
    const bool byGroup = list.rfind("group:", 0) == 0;
    std::string group;
    if (byGroup) {
        Result<std::string> bytes = ArgumentBytes(list.substr(6), "--cameras");
        if (bytes.failed())
            return bytes.status();
        group = std::move(bytes).value();
    }
    std::vector<std::int32_t> all;
    for (const CameraRecord& record : *listed) {
        if (!byGroup || record.Group == group)
            all.push_back(record.Id);
    }
    const Result<std::vector<std::int32_t>> ids = CameraList(byGroup ? "all" : list, all);
    if (ids.failed())
        return ids.status();
    if (ids->empty())
        return Status::Fail(byGroup ? "no camera is in the group " + list.substr(6)
                                    : "--cameras names no camera");
    std::vector<ManyCamera> cameras(ids->size());
    for (std::size_t i = 0; i < ids->size(); ++i) {
        cameras[i].Id = (*ids)[i];
        if (const Status loaded = LoadCameraUnit(session, cameras[i].Id, cameras[i].Unit); loaded.failed())
            cameras[i].LoadFailure = loaded.reason();
    }
    return cameras;
}

ManyBoard::ManyBoard(Invocation& inv, const std::vector<ManyCamera>& cameras, QString logDir)
    : m_inv(inv), m_cameras(cameras), m_logDir(std::move(logDir))
{
    m_json = inv.Has("json");
    m_live = !m_json && &inv.Out == &std::cout && ::isatty(STDOUT_FILENO);
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        const ManyCamera& camera = cameras[i];
        m_rows[camera.Id] =
            Row{i, std::to_string(camera.Id) + " " + TerminalText(camera.Unit.Camera.DisplayName())};
        if (m_live)
            m_inv.Out << m_rows[camera.Id].Label << ": waiting\n";
    }
    m_inv.Out << std::flush;
}

void ManyBoard::Show(std::int32_t id, const std::string& status)
{
    const Row& row = m_rows[id];
    std::string line = row.Label + ": " + status;
    if (!m_live) {
        m_inv.Out << line << std::endl;
        return;
    }
    // One terminal line per camera: up to its row, rewrite it, back down.
    if (line.size() > 110)
        line = line.substr(0, 107) + "...";
    const std::size_t up = m_cameras.size() - row.Index;
    m_inv.Out << "\x1b[" << up << "A\r\x1b[2K" << line << "\x1b[" << up << "B\r" << std::flush;
}

void ManyBoard::Started(std::int32_t id)
{
    if (!m_json)
        Show(id, "running");
}

void ManyBoard::Line(std::int32_t id, const std::string& line)
{
    if (m_live)
        Show(id, TerminalText(line));
}

void ManyBoard::Finished(const PoolResult& result)
{
    if (!m_json) {
        std::string status =
            std::string(OutcomeName(result.Outcome)) + " (" + DurationText(result.Duration) + ")";
        if (!result.FailureLine.empty())
            status += ": " + TerminalText(result.FailureLine);
        Show(result.Id, status);
    }
    if (m_logDir.isEmpty())
        return;
    std::string text;
    for (const std::string& line : result.Lines)
        text += TerminalText(line) + "\n";
    const QString path = QDir(m_logDir).filePath(QString::number(result.Id) + QStringLiteral(".log"));
    // The lines never hold the password, but a log is the camera's business alone.
    if (const Status saved = SaveFileAtomically(path, text);
        saved.failed() || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner))
        m_inv.Err << "korctl: cannot write " << path.toStdString() << "\n";
}

std::vector<PoolResult> ManyBoard::Run(RunPool& pool, std::vector<PoolJob> jobs)
{
    g_interruptible = &pool;
    struct sigaction cancel = {};
    struct sigaction previous = {};
    cancel.sa_handler = CancelOnInterrupt;
    sigemptyset(&cancel.sa_mask);
    ::sigaction(SIGINT, &cancel, &previous);
    std::vector<PoolResult> results = pool.Run(std::move(jobs), this);
    ::sigaction(SIGINT, &previous, nullptr);
    g_interruptible = nullptr;
    return results;
}

int ManyBoard::Summarise(const std::vector<PoolResult>& results)
{
    const bool allSucceeded = std::all_of(results.begin(), results.end(), [](const PoolResult& r) {
        return r.Outcome == PoolOutcome::Succeeded;
    });
    std::vector<std::vector<std::string>> table = {
        {"ID", "NAME", "ADDRESS", "MODEL", "OUTCOME", "DURATION", "REASON"}};
    QJsonArray json;
    for (const PoolResult& r : results) {
        const ManyCamera* camera = Find(m_cameras, r.Id);
        const CurrentCamera& record = camera->Unit.Camera;
        const std::string name = TerminalText(record.DisplayName());
        const std::string model = TerminalText(record.ModelName());
        const std::string reason = TerminalText(r.FailureLine);
        table.push_back({std::to_string(r.Id), name, record.IpAddress(), model, OutcomeName(r.Outcome),
                         DurationText(r.Duration), reason});
        json.append(QJsonObject{{QStringLiteral("id"), r.Id},
                                {QStringLiteral("name"), QString::fromStdString(name)},
                                {QStringLiteral("address"), QString::fromStdString(record.IpAddress())},
                                {QStringLiteral("model"), QString::fromStdString(model)},
                                {QStringLiteral("outcome"), QString::fromLatin1(OutcomeName(r.Outcome))},
                                {QStringLiteral("duration_ms"), static_cast<qint64>(r.Duration.count())},
                                {QStringLiteral("reason"), QString::fromStdString(reason)}});
    }
    if (m_json) {
        m_inv.Out << QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
    } else {
        std::vector<std::size_t> widths(table.front().size(), 0);
        for (const auto& row : table)
            for (std::size_t c = 0; c < row.size(); ++c)
                widths[c] = std::max(widths[c], row[c].size());
        m_inv.Out << "\n";
        for (const auto& row : table) {
            std::string line;
            for (std::size_t c = 0; c < row.size(); ++c)
                line +=
                    c + 1 < row.size() ? row[c] + std::string(widths[c] - row[c].size() + 2, ' ') : row[c];
            m_inv.Out << line << "\n";
        }
    }
    const auto count = [&](PoolOutcome outcome) {
        return std::count_if(results.begin(), results.end(),
                             [outcome](const PoolResult& r) { return r.Outcome == outcome; });
    };
    if (!allSucceeded)
        m_inv.Err << "korctl: " << count(PoolOutcome::Succeeded) << " of " << results.size()
                  << " cameras succeeded (" << count(PoolOutcome::Failed) << " failed, "
                  << count(PoolOutcome::Skipped) << " skipped, " << count(PoolOutcome::Cancelled)
                  << " cancelled)\n";
    return allSucceeded ? ExitOk : ExitFailed;
}

} // namespace kor::cli
