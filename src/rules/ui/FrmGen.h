#pragma once

#include "app/DocumentHistory.h"
#include "rules/BufferCheck.h"

#include <QWidget>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kor {

class AppSession;

// The general settings page: mail server, Contact ID header and account, alarm-receiving centre
// and the two frame-buffer pairs. Every change goes straight into the document; a spinner change
// that breaks the buffer limits steps back. The rules live in SettingsForms.
class FrmGen : public QWidget
{
    Q_OBJECT

public:
    explicit FrmGen(AppSession& session, QWidget* parent = nullptr);

private:
    QLineEdit* AddText(QFormLayout* form, const char* name, int caption, std::string GeneralSettings::*field,
                       SettingField step);
    QSpinBox* AddSpinner(QFormLayout* form, const char* name, const char* fieldName, int caption,
                         BufferField field);
    void OnSpinner(BufferField field, int value);
    // The page shows the document again after an undo or a redo.
    void Fill();
    void AlignCaptions(std::initializer_list<QWidget*> groups);

    AppSession& m_session;
    std::array<QSpinBox*, 4> m_spinners{};
    std::array<int, 4> m_spinnerCaptions{};
    std::vector<std::pair<QLineEdit*, std::string GeneralSettings::*>> m_texts;
    bool m_loading = true;
    bool m_settling = false;
};

} // namespace kor
