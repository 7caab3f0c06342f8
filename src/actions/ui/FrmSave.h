#pragma once

#include "actions/RecordingAction.h"
#include "actions/ui/ActionEditor.h"

class QButtonGroup;
class QCheckBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace kor {

class IPTxt;

// The recording editor (type 1): where to record (optCamPC: the camera or a PC), the PC's address,
// frame rate (udFR), recording time and pre-alarm pictures, and a watermark typed twice.
class FrmSave : public ActionEditor
{
    Q_OBJECT

public:
    explicit FrmSave(AppSession& session, QWidget* parent = nullptr);

    RecordingAction Fields() const;
    void ShowFields(const RecordingAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;

private:
    void ShowView();

    QFormLayout* m_pcForm = nullptr;
    QFormLayout* m_wmForm = nullptr;
    QButtonGroup* m_optCamPC = nullptr;
    IPTxt* m_ipTxt1 = nullptr;
    QCheckBox* m_chkPrealarm = nullptr;
    QSpinBox* m_udFR = nullptr;
    QLineEdit* m_txtTime = nullptr;
    QCheckBox* m_check2 = nullptr;
    QLineEdit* m_txtWM = nullptr;
    QLineEdit* m_txtWM2 = nullptr;
};

} // namespace kor
