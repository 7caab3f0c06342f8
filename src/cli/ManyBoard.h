#pragma once

#include "cli/CliSession.h"
#include "cli/Command.h"

#include "config/Result.h"
#include "device/RunPool.h"

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kor::cli {

// One camera of --cameras as the database gives it; LoadFailure says why it cannot be used.
struct ManyCamera
{
    std::int32_t Id = 0;
    CameraUnit Unit;
    std::string LoadFailure;
};

// The cameras --cameras names (ids, ranges or all), read from the open session's database.
Result<std::vector<ManyCamera>> LoadManyCameras(const Invocation& inv, const CameraSession& session);

// The terminal side of many runs: one status line per camera (updated in place on a terminal,
// plain lines otherwise, nothing with --json), every camera's log as DIR/ID.log, and the summary.
class ManyBoard final : public PoolObserver
{
public:
    ManyBoard(Invocation& inv, const std::vector<ManyCamera>& cameras, QString logDir);

    void Started(std::int32_t id) override;
    void Line(std::int32_t id, const std::string& line) override;
    void Finished(const PoolResult& result) override;

    // Runs the jobs in the pool; an interrupt (Ctrl-C) cancels every run at its next step.
    std::vector<PoolResult> Run(RunPool& pool, std::vector<PoolJob> jobs);
    // The summary table (or JSON) and the exit status: 0 only when every camera succeeded.
    int Summarise(const std::vector<PoolResult>& results);

private:
    struct Row
    {
        std::size_t Index = 0;
        std::string Label; // "ID NAME"
    };
    void Show(std::int32_t id, const std::string& status);

    Invocation& m_inv;
    const std::vector<ManyCamera>& m_cameras;
    std::map<std::int32_t, Row> m_rows;
    QString m_logDir;
    bool m_live = false;
    bool m_json = false;
};

} // namespace kor::cli
