#include "app/DeviceJob.h"

#include "app/AppSession.h"

#include <QEventLoop>
#include <QMetaObject>

#include <exception>

namespace kor {

void RunDeviceJob(AppSession& session, const std::function<void()>& job)
{
    std::exception_ptr failure;
    QEventLoop loop;
    LinkRunner& runner = session.Runner();
    // An operation left over from before (one whose wait was abandoned) ends first.
    runner.Wait();
    session.SetDeviceBusy(true);
    const bool started =
        runner
            .Start(
                [&job, &failure] {
                    try {
                        job();
                    } catch (...) {
                        failure = std::current_exception();
                    }
                },
                [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); })
            .ok();
    if (started) {
        if (runner.Running())
            loop.exec();
        runner.Wait();
    }
    session.SetDeviceBusy(false);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kor
