#pragma once

#include "actions/RemoteAlarmAction.h"
#include "actions/ui/ActionEditor.h"
#include "outside/companion/DetectorProfile.h"

class QButtonGroup;
class QComboBox;
class QFormLayout;
class QLineEdit;

namespace kor {

class IPTxt;

// The remote device alarm editor (type 5): the target's address (IPTxt1, TxtPort, TxtUsr,
// TxtPwd) and either an event source of another camera with the alarm application (cmbNameSens,
// cmbListSens) or a detector input (cmbEdge, cmbDevice, cmbPort), chosen with optDevice. The
// detector's numbering comes from its DetectorProfile, loaded when the screen opens.
class FrmAlarm : public ActionEditor
{
    Q_OBJECT

public:
    explicit FrmAlarm(AppSession& session, QWidget* parent = nullptr);

    const DetectorNumbering& Numbering() const { return m_numbering; }

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;
    bool KeepsTypedDescription() const override { return true; }

private:
    // The controls as fields and choices, and back (with what the form model enables).
    RemoteAlarmAction Fields() const;
    RemoteAlarmChoice Choice() const;
    void ShowForm(const RemoteAlarmAction& action, const RemoteAlarmChoice& choice);
    void ShowView();
    void FillSources(int kind);

    DetectorProfile m_profile;
    DetectorNumbering m_numbering;
    QFormLayout* m_cameraForm = nullptr;
    QFormLayout* m_detectorForm = nullptr;
    IPTxt* m_ipTxt1 = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QLineEdit* m_txtUsr = nullptr;
    QLineEdit* m_txtPwd = nullptr;
    QButtonGroup* m_optDevice = nullptr;
    QComboBox* m_cmbNameSens = nullptr;
    QComboBox* m_cmbListSens = nullptr;
    QComboBox* m_cmbEdge = nullptr;
    QComboBox* m_cmbDevice = nullptr;
    QComboBox* m_cmbPort = nullptr;
};

} // namespace kor
