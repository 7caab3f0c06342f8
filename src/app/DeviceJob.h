#pragma once

#include <functional>

namespace kor {

class AppSession;

// Runs a blocking device operation (a download, the start-up loop check) on the session's worker
// thread (Runner()).
// Meanwhile the session is marked busy and the calling GUI thread keeps handling its events in a
// local event loop, so the window is drawn and answers, but no other command, screen switch or
// close starts. Returns once the job has ended; an exception thrown by the job is thrown again
// here, on the calling thread. The job must not touch widgets or the session: give it copies.
void RunDeviceJob(AppSession& session, const std::function<void()>& job);

} // namespace kor
