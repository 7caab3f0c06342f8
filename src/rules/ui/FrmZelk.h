#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kor {

class AppSession;

// The detector page: the base code BC, the eight active inputs S and the six mask flags MSK.
// Every change goes straight into the document; the rules live in SettingsForms.
class FrmZelk : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kInputs = 8;

    explicit FrmZelk(AppSession& session, QWidget* parent = nullptr);

private:
    void Fill();
    void OnBaseCode(const QString& text);
    // Flag `index` of S (mask false) or of MSK (mask true) follows its box.
    void OnFlag(bool mask, int index, bool checked);

    AppSession& m_session;
    QLineEdit* m_txtBC = nullptr;
    std::array<QCheckBox*, kInputs> m_chkActv{};
    std::array<QLabel*, kInputs> m_lblSen{};
    std::array<QCheckBox*, kInputs> m_chkMsk{}; // boxes 2..7
    bool m_loading = true;
};

} // namespace kor
