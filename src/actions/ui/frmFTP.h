#pragma once

#include "actions/FtpAction.h"
#include "actions/ui/ActionEditor.h"

class QLineEdit;

namespace kor {

// The FTP upload editor (type 8): server, port, user, password, remote folder and file name
// prefix, all free text stored as typed.
class frmFTP : public ActionEditor
{
    Q_OBJECT

public:
    explicit frmFTP(AppSession& session, QWidget* parent = nullptr);

    FtpAction Fields() const;
    void ShowFields(const FtpAction& action);

protected:
    bool LoadAction(const ActionRecord& action) override;
    std::string BuildParams() override;
    FormCheck Check(const TypedOutside& typed) override;

private:
    QLineEdit* m_txtHost = nullptr;
    QLineEdit* m_txtPort = nullptr;
    QLineEdit* m_txtUser = nullptr;
    QLineEdit* m_txtPassword = nullptr;
    QLineEdit* m_txtRemoteDir = nullptr;
    QLineEdit* m_txtBaseName = nullptr;
};

} // namespace kor
