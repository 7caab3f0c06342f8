#pragma once

#include "actions/ContactIdAction.h"
#include "actions/ui/ActionEditor.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kor {

// The Contact ID editor (type 9): alarm or restore (optAlarm, optRestore), the event code
// (txtCIDCode, free text, with the standard codes to pick from in cmbCIDCode), the zone
// (txtZoneCId) and the group (txtGrCId).
class frmContactId : public ActionEditor
{
    Q_OBJECT

public:
    explicit frmContactId(AppSession& session, QWidget* parent = nullptr);

    ContactIdAction Fields() const;
    void ShowFields(const ContactIdAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;

private:
    QButtonGroup* m_kind = nullptr;
    QRadioButton* m_optAlarm = nullptr;
    QRadioButton* m_optRestore = nullptr;
    QLineEdit* m_txtCode = nullptr;
    QComboBox* m_cmbCode = nullptr;
    QLineEdit* m_txtZone = nullptr;
    QLineEdit* m_txtGroup = nullptr;
};

} // namespace kor
