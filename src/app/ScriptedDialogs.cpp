#include "app/ScriptedDialogs.h"

namespace kor {

void ScriptedDialogs::Message(MessageIcon icon, const QString& title, const QString& text)
{
    m_history.push_back({Shown::Kind::Message, icon, title, text, {}, false});
}

Answer ScriptedDialogs::Ask(MessageIcon icon, const QString& title, const QString& text, bool withCancel)
{
    m_history.push_back({Shown::Kind::Question, icon, title, text, {}, withCancel});
    Answer answer = m_defaultAnswer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    // A yes/no box has no cancel button; closing it counts as No.
    if (!withCancel && answer == Answer::Cancel)
        answer = Answer::No;
    return answer;
}

QString ScriptedDialogs::ChooseOpenFile(const QString& filter, const QString& initialName)
{
    m_history.push_back({Shown::Kind::OpenFile, MessageIcon::Information, {}, initialName, filter, false});
    if (m_files.empty())
        return {};
    QString path = m_files.front();
    m_files.pop_front();
    return path;
}

QString ScriptedDialogs::ChooseSaveFile(const QString& filter, const QString& initialName)
{
    m_history.push_back({Shown::Kind::SaveFile, MessageIcon::Information, {}, initialName, filter, false});
    if (m_files.empty())
        return {};
    QString path = m_files.front();
    m_files.pop_front();
    return path;
}

QStringList ScriptedDialogs::Messages() const
{
    QStringList texts;
    for (const Shown& shown : m_history) {
        if (shown.What == Shown::Kind::Message)
            texts << shown.Text;
    }
    return texts;
}

QStringList ScriptedDialogs::Questions() const
{
    QStringList texts;
    for (const Shown& shown : m_history) {
        if (shown.What == Shown::Kind::Question)
            texts << shown.Text;
    }
    return texts;
}

void ScriptedDialogs::Clear()
{
    m_answers.clear();
    m_files.clear();
    m_history.clear();
}

} // namespace kor
