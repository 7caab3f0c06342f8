#pragma once

#include <QString>

namespace kor {

enum class MessageIcon
{
    Information,
    Exclamation,
    Critical,
    Question
};

enum class Answer
{
    Yes,
    No,
    Cancel
};

// Every message box, question and file dialog of the window goes through this, so the commands
// and screens can be driven by tests (ScriptedDialogs) without a modal dialog that blocks. The
// window's implementation is WidgetDialogs (src/app/ui). Called on the GUI thread only.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    virtual void Message(MessageIcon icon, const QString& title, const QString& text) = 0;
    // A yes/no question (withCancel false: never answers Cancel) or a yes/no/cancel question.
    virtual Answer Ask(MessageIcon icon, const QString& title, const QString& text, bool withCancel) = 0;
    // A question answered by going on or stopping, with buttons captioned for it (Continue,
    // Cancel); true: go on. Where the buttons cannot be captioned it is a yes/no question.
    virtual bool Proceed(MessageIcon icon, const QString& title, const QString& text,
                         const QString& /*proceed*/, const QString& /*stop*/)
    {
        return Ask(icon, title, text, false) == Answer::Yes;
    }
    // A file to open or to save as; "" when the dialog was cancelled. filter is in Qt's form
    // ("KMA (*.kma);;Todos (*.*)"), the first entry selected. The save dialog does not ask about
    // overwriting: the caller asks with its own words.
    virtual QString ChooseOpenFile(const QString& filter, const QString& initialName) = 0;
    virtual QString ChooseSaveFile(const QString& filter, const QString& initialName) = 0;
};

} // namespace kor
