#include "app/ui/IPTxt.h"

#include "app/IpAddressText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace kor {

namespace {

// Where typing happens: the start of a selection, else the caret.
int CaretOf(const QLineEdit* box)
{
    return box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
}

constexpr int kDotWidth = 4;

} // namespace

IPTxt::IPTxt(QWidget* parent) : QWidget(parent)
{
    // One field framed like a line edit; the boxes inside have no frame of their own.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(frame, frame, frame, frame);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            auto* dot = new QLabel(QStringLiteral("."), this);
            dot->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
            dot->setFixedWidth(kDotWidth);
            layout->addWidget(dot);
            m_dots[static_cast<std::size_t>(i - 1)] = dot;
        }
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("TxtIp%1").arg(i));
        box->setFrame(false);
        box->setAlignment(Qt::AlignCenter);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->setTextMargins(0, 0, 0, 0);
        box->setAutoFillBackground(false);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &IPTxt::Changed);
        layout->addWidget(box, 1);
        m_boxes[static_cast<std::size_t>(i)] = box;
    }
    setFocusProxy(m_boxes[0]);
    // Room for "255" in every box (a QLineEdit keeps a few pixels of its own on each side), the three
    // dots and the frame.
    const int box = m_boxes[0]->fontMetrics().horizontalAdvance(QStringLiteral("255")) + 8;
    setFixedSize(std::max(FixedWidth, 4 * box + 3 * kDotWidth + 2 * frame), FixedHeight);
    setAttribute(Qt::WA_Hover);
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
    for (QLabel* dot : m_dots)
        dot->setEnabled(enabled);
    ApplyLook();
}

void IPTxt::ApplyLook()
{
    const bool active = m_enabled && isEnabled();
    const QColor background =
        active ? QColor(Qt::white) : palette().color(QPalette::Active, QPalette::Button);
    QPalette look = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        look.setColor(group, QPalette::Window, background);
        look.setColor(group, QPalette::Base, background);
    }
    setPalette(look);
    for (QLineEdit* box : m_boxes)
        box->setPalette(look);
    update();
}

bool IPTxt::HasBoxFocus() const
{
    return std::any_of(m_boxes.begin(), m_boxes.end(), [](const QLineEdit* box) { return box->hasFocus(); });
}

void IPTxt::paintEvent(QPaintEvent*)
{
    // The frame and the field of a line edit, greyed with the control.
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (!(m_enabled && isEnabled()))
        option.state &= ~QStyle::State_Enabled;
    if (HasBoxFocus())
        option.state |= QStyle::State_HasFocus;
    option.features = QStyleOptionFrame::None;
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
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
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update(); // the frame shows the focus of any box
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
    IpKeyOutcome outcome;
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Right) && key->modifiers() == Qt::NoModifier) {
        outcome = IpArrowKey(box, key->key() == Qt::Key_Left ? CaretOf(edit) : edit->cursorPosition(),
                             edit->hasSelectedText(), key->key() == Qt::Key_Left);
    } else {
        // Keys without a character (arrows, Home, Tab, Enter, Delete …) do their usual work.
        const QString typed = key->text();
        if (typed.size() != 1 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape ||
            key->key() == Qt::Key_Delete)
            return false;
        std::array<QString, 4> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = m_boxes[i]->text();
        const int selected = edit->hasSelectedText() ? static_cast<int>(edit->selectedText().size()) : 0;
        outcome = IpCharacterKey(texts, box, CaretOf(edit), selected, typed.at(0));
    }
    if (outcome.FocusBox >= 0) {
        if (outcome.FocusBoxText)
            Box(outcome.FocusBox)->setText(*outcome.FocusBoxText);
        FocusBox(outcome.FocusBox, outcome.Caret);
    }
    return outcome.Consumed;
}

} // namespace kor
