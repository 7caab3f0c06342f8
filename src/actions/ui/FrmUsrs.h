#pragma once

#include "actions/UserAction.h"
#include "actions/ui/ActionEditor.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace kor {

// The user action editor (type 6): the account (TxtUsrb), enable or disable it (Option1) and
// whether to force it (ChkForce). The device is the selected camera, taken when storing.
class FrmUsrs : public ActionEditor
{
    Q_OBJECT

public:
    explicit FrmUsrs(AppSession& session, QWidget* parent = nullptr);

    UserAction Fields() const;
    void ShowFields(const UserAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;

private:
    // The camera selected now, not the one of an earlier store.
    DeviceAccess Device();

    QLineEdit* m_txtUsrb = nullptr;
    QButtonGroup* m_option1 = nullptr;
    QCheckBox* m_chkForce = nullptr;
};

} // namespace kor
