#include "device/QueuedRunHost.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace kor {

QueuedRunHost::QueuedRunHost(QObject* context, RunHost& target, const std::atomic<bool>& cancel)
    : m_context(context), m_target(target), m_cancel(cancel)
{}

bool QueuedRunHost::OnContextThread() const
{
    return m_context && m_context->thread() == QThread::currentThread();
}

void QueuedRunHost::Log(const std::string& line, LogKind kind)
{
    if (!m_context)
        return;
    QMetaObject::invokeMethod(
        m_context, [this, line, kind] { m_target.Log(line, kind); }, Qt::QueuedConnection);
}

bool QueuedRunHost::AskYesNo(const std::string& question, const std::string& title)
{
    if (OnContextThread())
        return m_target.AskYesNo(question, title);
    bool answer = false;
    if (m_context) {
        QMetaObject::invokeMethod(
            m_context, [&] { answer = m_target.AskYesNo(question, title); }, Qt::BlockingQueuedConnection);
    }
    return answer;
}

HomeChoice QueuedRunHost::ChooseHome(const std::vector<CameraPosition>& positions)
{
    if (OnContextThread())
        return m_target.ChooseHome(positions);
    HomeChoice choice;
    if (m_context) {
        QMetaObject::invokeMethod(
            m_context, [&] { choice = m_target.ChooseHome(positions); }, Qt::BlockingQueuedConnection);
    }
    return choice;
}

void QueuedRunHost::SetBusy(bool busy)
{
    if (m_context)
        QMetaObject::invokeMethod(
            m_context, [this, busy] { m_target.SetBusy(busy); }, Qt::QueuedConnection);
}

void QueuedRunHost::Progress(int done, int total)
{
    if (m_context) {
        QMetaObject::invokeMethod(
            m_context, [this, done, total] { m_target.Progress(done, total); }, Qt::QueuedConnection);
    }
}

} // namespace kor
