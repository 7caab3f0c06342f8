#pragma once

#include "actions/OutputAction.h"
#include "actions/ui/ActionEditor.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kor {

class IPTxt;

// The output activation editor (type 0): which output (CmbActvs), its mode (OptOff, OptOn,
// OptONOFF, OptOFFON), the duration of the timed modes (TxtSeg with its unit Cmbd), and an
// output of another device (Check1 with IPTxt1, TxtPort, TxtUsr, TxtPwd).
class FrmActvs : public ActionEditor
{
    Q_OBJECT

public:
    explicit FrmActvs(AppSession& session, QWidget* parent = nullptr);

    // The controls as fields, and back (with what the form model enables).
    OutputAction Fields() const;
    void ShowFields(const OutputAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowView();

    QComboBox* m_cmbActvs = nullptr;
    QButtonGroup* m_mode = nullptr;
    QRadioButton* m_optOff = nullptr;
    QRadioButton* m_optOn = nullptr;
    QRadioButton* m_optOnOff = nullptr;
    QRadioButton* m_optOffOn = nullptr;
    QLineEdit* m_txtSeg = nullptr;
    QComboBox* m_cmbd = nullptr;
    QCheckBox* m_check1 = nullptr;
    IPTxt* m_ipTxt1 = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QLineEdit* m_txtUsr = nullptr;
    QLineEdit* m_txtPwd = nullptr;
};

} // namespace kor
