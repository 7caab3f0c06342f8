#pragma once

#include "app/UserDialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace kor {

// Dialogs answered from prepared queues, every call recorded: for tests and for front ends that
// cannot ask (a question with nothing queued gets the default answer, a file dialog with nothing
// queued is cancelled).
class ScriptedDialogs : public UserDialogs
{
public:
    struct Shown
    {
        enum class Kind
        {
            Message,
            Question,
            OpenFile,
            SaveFile
        };
        Kind What = Kind::Message;
        MessageIcon Icon = MessageIcon::Information;
        QString Title;
        QString Text; // message or question text; the initial name for a file dialog
        QString Filter;
        bool WithCancel = false;
    };

    void Message(MessageIcon icon, const QString& title, const QString& text) override;
    Answer Ask(MessageIcon icon, const QString& title, const QString& text, bool withCancel) override;
    QString ChooseOpenFile(const QString& filter, const QString& initialName) override;
    QString ChooseSaveFile(const QString& filter, const QString& initialName) override;

    void QueueAnswer(Answer answer) { m_answers.push_back(answer); }
    // "" queues a cancelled dialog.
    void QueueFile(const QString& path) { m_files.push_back(path); }
    void SetDefaultAnswer(Answer answer) { m_defaultAnswer = answer; }

    const std::vector<Shown>& History() const { return m_history; }
    // The texts of the message boxes only (not questions), in order.
    QStringList Messages() const;
    QStringList Questions() const;
    bool AllConsumed() const { return m_answers.empty() && m_files.empty(); }
    void Clear();

private:
    std::deque<Answer> m_answers;
    std::deque<QString> m_files;
    Answer m_defaultAnswer = Answer::Cancel;
    std::vector<Shown> m_history;
};

} // namespace kor
