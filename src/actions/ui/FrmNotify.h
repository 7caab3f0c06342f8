#pragma once

#include "actions/NotifyAction.h"
#include "actions/ui/ActionEditor.h"

class QCheckBox;
class QLineEdit;

namespace kor {

class IPTxt;

// The client notification editor (type 4): the client PC's address (IPTxt1) and port (TxtPort),
// and whether it plays a sound (chkSound). The rule and the description go with the notice.
class FrmNotify : public ActionEditor
{
    Q_OBJECT

public:
    explicit FrmNotify(AppSession& session, QWidget* parent = nullptr);

    NotifyAction Fields() const;
    void ShowFields(const NotifyAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;

private:
    IPTxt* m_ipTxt1 = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QCheckBox* m_chkSound = nullptr;
};

} // namespace kor
