#pragma once

#include "app/CameraForm.h"
#include "outside/companion/CameraRecord.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kor {

class AppSession;

// Adds or edits one camera record of the companion database: identifier (new cameras only),
// name, address, port, user name, password, channel, brand, model and MAC address. The stored
// positions and the positioning flag of an edited record are kept as they were. The dialog does
// not write the database: Record() is the result once it was accepted.
class CameraEditor : public QDialog
{
    Q_OBJECT

public:
    CameraEditor(AppSession& session, const CameraRecord& start, bool isNew, QWidget* parent = nullptr);

    // The fields as the user left them, and the record they make.
    CameraFields Fields() const;
    CameraRecord Record() const;
    // Checks the fields (CheckCameraFields); false after telling the user.
    bool CheckFields();

    void accept() override;

private:
    AppSession& m_session;
    CameraRecord m_start;
    QSpinBox* m_id = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QSpinBox* m_channel = nullptr;
    QComboBox* m_brand = nullptr;
    QComboBox* m_model = nullptr;
    QLineEdit* m_mac = nullptr;
};

} // namespace kor
