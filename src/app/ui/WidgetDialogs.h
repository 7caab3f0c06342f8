#pragma once

#include "app/UserDialogs.h"

class QWidget;

namespace kor {

// The window's dialogs: Qt message boxes and file dialogs over the given parent window.
class WidgetDialogs : public UserDialogs
{
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(MessageIcon icon, const QString& title, const QString& text) override;
    Answer Ask(MessageIcon icon, const QString& title, const QString& text, bool withCancel) override;
    bool Proceed(MessageIcon icon, const QString& title, const QString& text, const QString& proceed,
                 const QString& stop) override;
    QString ChooseOpenFile(const QString& filter, const QString& initialName) override;
    QString ChooseSaveFile(const QString& filter, const QString& initialName) override;

private:
    QWidget* m_parent;
};

} // namespace kor
