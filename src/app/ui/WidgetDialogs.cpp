#include "app/ui/WidgetDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kor {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString FirstFilter(const QString& filter)
{
    return filter.section(QStringLiteral(";;"), 0, 0);
}

} // namespace

void WidgetDialogs::Message(MessageIcon icon, const QString& title, const QString& text)
{
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

Answer WidgetDialogs::Ask(MessageIcon icon, const QString& title, const QString& text, bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(BoxIcon(icon), title, text, buttons, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

bool WidgetDialogs::Proceed(MessageIcon icon, const QString& title, const QString& text,
                            const QString& proceed, const QString& stop)
{
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    QPushButton* goOn = box.addButton(proceed, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(stop, QMessageBox::RejectRole);
    // Enter and Escape both stop: going on is a choice made with the mouse or Tab.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == goOn;
}

QString WidgetDialogs::ChooseOpenFile(const QString& filter, const QString& initialName)
{
    QString selected = FirstFilter(filter);
    return QFileDialog::getOpenFileName(m_parent, QString(), initialName, filter, &selected);
}

QString WidgetDialogs::ChooseSaveFile(const QString& filter, const QString& initialName)
{
    QString selected = FirstFilter(filter);
    return QFileDialog::getSaveFileName(m_parent, QString(), initialName, filter, &selected,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace kor
