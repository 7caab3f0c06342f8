#include "app/ui/IPTxt.h"

#include "app/IpAddressText.h"
#include "config/TextNumber.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace kor {

namespace {

constexpr int MaxDigits = 3;
constexpr int MaxOctet = 255;

bool FitsOctet(const QString& digits)
{
    if (digits.size() > MaxDigits)
        return false;
    const std::optional<std::int64_t> value = ReadNumber(digits.toStdString());
    return !value || *value <= MaxOctet;
}

// Where typing happens: the start of a selection, else the caret.
int CaretOf(const QLineEdit* box)
{
    return box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
}

// The box text once a character is typed at the caret (replacing any selection).
QString TypedText(const QLineEdit* box, QChar c)
{
    QString text = box->text();
    const int at = CaretOf(box);
    const int selected = box->hasSelectedText() ? static_cast<int>(box->selectedText().size()) : 0;
    text.replace(at, selected, c);
    return text;
}

} // namespace

IPTxt::IPTxt(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            dot->setFixedWidth(4);
            layout->addWidget(dot);
        }
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("TxtIp%1").arg(i));
        box->setFrame(false);
        box->setAlignment(Qt::AlignCenter);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->setTextMargins(0, 0, 0, 0);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &IPTxt::Changed);
        layout->addWidget(box, 1);
        m_boxes[static_cast<std::size_t>(i)] = box;
    }
    setFocusProxy(m_boxes[0]);
    // Room for "255" in every box (a QLineEdit keeps a few pixels of its own on each side), the three
    // dots and the outer margins.
    const int box = m_boxes[0]->fontMetrics().horizontalAdvance(QStringLiteral("255")) + 8;
    setFixedSize(std::max(FixedWidth, 4 * box + 3 * 4 + 2), FixedHeight);
    setAutoFillBackground(true);
    ApplyLook();
}

QString IPTxt::IPtext() const
{
    std::array<QString, 4> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = m_boxes[i]->text();
    return JoinIpText(texts);
}

void IPTxt::SetIPtext(const QString& text)
{
    const auto parts = SplitIpText(text);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i])
            m_boxes[i]->setText(*parts[i]);
    }
}

bool IPTxt::IsEmpty() const
{
    return IsEmptyIpText(IPtext());
}

void IPTxt::Clear()
{
    for (QLineEdit* box : m_boxes)
        box->clear();
}

void IPTxt::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    for (QLineEdit* box : m_boxes)
        box->setEnabled(enabled);
    ApplyLook();
}

void IPTxt::ApplyLook()
{
    const bool active = m_enabled && isEnabled();
    const QColor background =
        active ? QColor(Qt::white) : palette().color(QPalette::Active, QPalette::Button);
    QPalette look = palette();
    look.setColor(QPalette::Window, background);
    look.setColor(QPalette::Base, background);
    setPalette(look);
    for (QLineEdit* box : m_boxes)
        box->setPalette(look);
}

void IPTxt::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        ApplyLook();
    QWidget::changeEvent(event);
}

int IPTxt::BoxIndex(QObject* object) const
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i] == object)
            return static_cast<int>(i);
    }
    return -1;
}

void IPTxt::FocusBox(int box, int caret)
{
    QLineEdit* target = Box(box);
    target->setFocus(Qt::OtherFocusReason);
    target->deselect();
    target->setCursorPosition(caret < 0 ? static_cast<int>(target->text().size()) : caret);
}

bool IPTxt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int box = BoxIndex(watched);
    if (box < 0)
        return QWidget::eventFilter(watched, event);
    return KeyPress(box, static_cast<QKeyEvent*>(event));
}

// Returns true when the key is consumed.
bool IPTxt::KeyPress(int box, QKeyEvent* key)
{
    QLineEdit* edit = Box(box);
    const int caret = CaretOf(edit);

    // Navigation keys cross into the neighbouring box at the edges.
    if (key->key() == Qt::Key_Left && key->modifiers() == Qt::NoModifier) {
        if (caret == 0 && !edit->hasSelectedText() && box > 0) {
            FocusBox(box - 1, -1);
            return true;
        }
        return false;
    }
    if (key->key() == Qt::Key_Right && key->modifiers() == Qt::NoModifier) {
        if (edit->cursorPosition() == 2 && !edit->hasSelectedText() && box < 3) {
            FocusBox(box + 1, 0);
            return true;
        }
        return false;
    }

    // Keys without a character (arrows, Home, Tab, Enter, Delete …) do their usual work.
    const QString typed = key->text();
    if (typed.size() != 1 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape ||
        key->key() == Qt::Key_Delete)
        return false;
    const QChar c = typed.at(0);
    if (c == u'\b')
        return false;
    if (c == u'.' || c == u' ') {
        if (box < 3)
            FocusBox(box + 1, -1);
        return true;
    }
    if (c < u'0' || c > u'9')
        return true;

    if (caret < MaxDigits) {
        // The whole resulting text must stay an octet, wherever the digit goes.
        return !FitsOctet(TypedText(edit, c));
    }
    // A full box: the digit goes on into the next box.
    if (box < 3) {
        QLineEdit* next = Box(box + 1);
        if (next->text().size() < MaxDigits && FitsOctet(next->text() + c))
            next->setText(next->text() + c);
        FocusBox(box + 1, -1);
    }
    return true;
}

} // namespace kor
