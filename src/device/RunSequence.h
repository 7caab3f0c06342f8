#pragma once

#include "config/ConfigDocument.h"
#include "config/Result.h"
#include "device/LinkContext.h"
#include "device/RunOutcomeText.h"

#include <functional>
#include <memory>
#include <string>

namespace kor {

// How one press of the run button ended.
enum class RunOutcome
{
    NotStarted, // no address
    Completed,
    Failed,
    NotStored // the configuration read back after the upload differs from what was sent
};

// The device link's run sequence: identification, reachability, installation, configuration and
// task list, input/output check and home position, each as the options ask, logged line by line
// through the host. Blocking code: run it on a worker thread.
class RunSequence
{
public:
    RunSequence(DeviceServices services, RunHost& host, LinkSubject subject);
    ~RunSequence();

    // One press of the run button. taskListDirty is the program-wide flag as it stands; read it
    // back with TaskListDirty() afterwards. The closing steps run in every case once the run has
    // started.
    RunOutcome ConnectAndApply(ConfigDocument& doc, const LinkFields& fields, const LinkOptions& options,
                               bool taskListDirty);

    // Puts back the system files kept before an installation and restarts the camera; the closing
    // steps as for a run.
    RunOutcome RestoreSystemFiles(const LinkFields& fields, const std::string& inittab,
                                  const std::string& boaConf);

    // Cleared once the task list has been sent (or its sending failed).
    bool TaskListDirty() const { return m_ctx.TaskListDirty; }
    const std::string& FirmwareRelease() const { return m_ctx.FirmwareRelease; }
    const std::string& ModelFolder() const { return m_ctx.ModelFolder; }
    const HomeChoice& Home() const { return m_ctx.Home; }
    // What the camera holds after this run's verified upload; empty when nothing was sent.
    const std::string& StoredConfiguration() const { return m_ctx.StoredConfig; }
    // The last run's outcome line, as logged.
    const OutcomeLine& Outcome() const { return m_outcome; }

private:
    class AnswerWatch;
    // Runs the steps between the busy marks, the error path and the closing steps.
    RunOutcome Guarded(const std::function<Status()>& steps);

    Status RunSteps(ConfigDocument& doc);
    RunFailure FailureKind() const;

    std::unique_ptr<AnswerWatch> m_answers; // before m_ctx: the context's requests go through it
    LinkContext m_ctx;
    RunFailure m_stage = RunFailure::None;
    RunDone m_done;
    OutcomeLine m_outcome;
};

} // namespace kor
