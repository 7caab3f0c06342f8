#include "app/DeviceJob.h"

#include "app/AppSession.h"

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>

namespace kor {

void RunDeviceJob(AppSession& session, const std::function<void()>& job)
{
    std::exception_ptr failure;
    std::unique_ptr<QThread> worker(QThread::create([&job, &failure] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    worker->setObjectName(QStringLiteral("device worker"));
    session.SetDeviceBusy(true);
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    worker->start();
    if (!worker->isFinished())
        loop.exec();
    worker->wait();
    session.SetDeviceBusy(false);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace kor
