#pragma once

#include "actions/MailAction.h"
#include "actions/ui/ActionEditor.h"

class QLineEdit;
class QPlainTextEdit;

namespace kor {

// The e-mail editor (type 7): recipients (txtTo, txtCC, separated by ";"), subject (txtSubject)
// and the message (txtMsg, several lines).
class frmMail : public ActionEditor
{
    Q_OBJECT

public:
    explicit frmMail(AppSession& session, QWidget* parent = nullptr);

    // The controls as fields (the message's lines ended by CR LF), and back.
    MailAction Fields() const;
    void ShowFields(const MailAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;

private:
    QLineEdit* m_txtTo = nullptr;
    QLineEdit* m_txtCc = nullptr;
    QLineEdit* m_txtSubject = nullptr;
    QPlainTextEdit* m_txtMsg = nullptr;
};

} // namespace kor
