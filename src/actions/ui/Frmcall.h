#pragma once

#include "actions/CallAction.h"
#include "actions/ui/ActionEditor.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kor {

// The call and SMS editor (type 2): the number (TxtTlfno), call or SMS (Option1, Option2) with
// the SMS text (txtMsg), and a PC the call goes through (chkpc with txt_ip and txt_port).
class Frmcall : public ActionEditor
{
    Q_OBJECT
    // Set by the rule list when its call button stands for a PC: the call always goes through one.
    Q_PROPERTY(bool PC READ PC WRITE SetPC)

public:
    explicit Frmcall(AppSession& session, QWidget* parent = nullptr);

    bool PC() const { return m_pc; }
    void SetPC(bool pc);

    // The controls as fields, and back (with what the form model enables).
    CallAction Fields() const;
    void ShowFields(const CallAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowView();

    bool m_pc = false;
    QLineEdit* m_txtTlfno = nullptr;
    QButtonGroup* m_kind = nullptr;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QLineEdit* m_txtMsg = nullptr;
    QCheckBox* m_chkpc = nullptr;
    QLineEdit* m_txtIp = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QLabel* m_lblIp = nullptr;
    QLabel* m_lblPort = nullptr;
};

} // namespace kor
