#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;

namespace kor {

// Entry of an IPv4 address in dotted form: four octet boxes, named TxtIp0 to TxtIp3, with dots
// between them, framed as one field like a line edit, at a fixed size of 105 x 22 pixels (wider
// where the font needs it). The keys follow IpCharacterKey and IpArrowKey. Typing moves on by itself: a digit
// typed into a full box goes on into the next one, "." or a blank jumps to the next box, the arrow keys cross
// the box edges, and a box never takes a value above 255.
class IPTxt : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString IPtext READ IPtext WRITE SetIPtext NOTIFY Changed)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    // The control keeps one size: 105 x 22 pixels, wider only where the font needs more room for
    // three digits in each box.
    static constexpr int FixedWidth = 105;
    static constexpr int FixedHeight = 22;

    explicit IPTxt(QWidget* parent = nullptr);

    // The four boxes as numbers joined by "." (empty boxes read 0, so never "").
    QString IPtext() const;
    // Spreads a dotted text over the boxes (see SplitIpText); no range check.
    void SetIPtext(const QString& text);
    // "0.0.0.0" counts as no address given.
    bool IsEmpty() const;
    // Empties all four boxes.
    void Clear();

    bool Enabled() const { return m_enabled; }
    // Enables or disables the four boxes; disabled boxes take the button face colour.
    void SetEnabled(bool enabled);

    QLineEdit* Box(int index) const { return m_boxes.at(static_cast<std::size_t>(index)); }

Q_SIGNALS:
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int BoxIndex(QObject* object) const;
    bool KeyPress(int box, QKeyEvent* key);
    void FocusBox(int box, int caret);
    void ApplyLook();
    bool HasBoxFocus() const;

    std::array<QLineEdit*, 4> m_boxes{};
    std::array<QLabel*, 3> m_dots{};
    bool m_enabled = true;
};

} // namespace kor
