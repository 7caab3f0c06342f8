#include "app/ui/NoticeWindow.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace kor {

namespace {
constexpr int kSideRoom = 40;
constexpr int kHeight = 64;
} // namespace

NoticeWindow::NoticeWindow(QWidget* owner)
    : QFrame(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("NoticeWindow"));
    // The etched edge around the border.
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    setMidLineWidth(1);
    setAutoFillBackground(true);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    Text(QString());
}

void NoticeWindow::Text(const QString& text)
{
    m_label->setText(text);
    m_label->adjustSize();
    const int width = std::max(m_label->width() + kSideRoom, 160);
    setFixedSize(width, kHeight);
    m_label->move((width - m_label->width()) / 2, (kHeight - m_label->height()) / 2);
    if (isVisible()) {
        if (parentWidget())
            ShowOver(parentWidget());
        repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

QString NoticeWindow::CurrentText() const
{
    return m_label->text();
}

void NoticeWindow::ShowOver(QWidget* owner)
{
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* screen = QApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    if (!isVisible()) {
        show();
        raise();
        repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace kor
