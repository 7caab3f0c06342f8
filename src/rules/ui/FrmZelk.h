#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kor {

class AppSession;

// The detector page: the base code BC, the eight active inputs S and the six mask flags MSK.
// Every change goes straight into the document.
class FrmZelk : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kInputs = 8;
    static constexpr int kFirstMasked = 2;

    explicit FrmZelk(AppSession& session, QWidget* parent = nullptr);

    // The base code a TxtBC text stores: its number when it is one that fits, else 0.
    static std::int16_t BaseCodeOf(const QString& text);

private:
    void Fill();
    void OnBaseCode(const QString& text);
    void OnActive(int input, bool checked);
    void OnMask(int box, bool checked);
    void MarkChanged();

    AppSession& m_session;
    QLineEdit* m_txtBC = nullptr;
    std::array<QCheckBox*, kInputs> m_chkActv{};
    std::array<QLabel*, kInputs> m_lblSen{};
    std::array<QCheckBox*, kInputs> m_chkMsk{}; // boxes 2..7
    bool m_loading = true;
};

} // namespace kor
