#include "rules/ui/FrmZelk.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ui/ApplyLanguageTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>

#include <limits>

namespace kor {

namespace {

// Digits only, and no more than the base code can hold: any other key changes nothing.
class BaseCodeValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        for (const QChar c : input) {
            if (c < u'0' || c > u'9')
                return Invalid;
        }
        if (!input.isEmpty() && input.toInt() > std::numeric_limits<std::int16_t>::max())
            return Invalid;
        return Acceptable;
    }
};

} // namespace

FrmZelk::FrmZelk(AppSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("FrmZelk"));
    setWindowTitle(LangCaption(172));

    auto* codeBox = new QGroupBox(LangCaption(172), this);
    codeBox->setObjectName(QStringLiteral("FraCode"));
    auto* codeRow = new QHBoxLayout(codeBox);
    auto* codeLabel = new QLabel(LangCaption(1115) + u':', codeBox);
    codeLabel->setObjectName(QStringLiteral("LblBC"));
    m_txtBC = new QLineEdit(codeBox);
    m_txtBC->setObjectName(QStringLiteral("TxtBC"));
    m_txtBC->setValidator(new BaseCodeValidator(m_txtBC));
    m_txtBC->setMaxLength(5);
    m_txtBC->setFixedWidth(90);
    m_txtBC->setAlignment(Qt::AlignRight);
    codeLabel->setBuddy(m_txtBC);
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(m_txtBC);
    codeRow->addStretch(1);

    auto* inputs = new QGroupBox(LangCaption(1116), this);
    inputs->setObjectName(QStringLiteral("FraInputs"));
    auto* grid = new QGridLayout(inputs);
    grid->setHorizontalSpacing(24);
    auto* activeHeader = new QLabel(LangCaption(253), inputs);
    activeHeader->setObjectName(QStringLiteral("LblActive"));
    auto* maskHeader = new QLabel(LangCaption(1117), inputs);
    maskHeader->setObjectName(QStringLiteral("LblMasks"));
    QFont bold = activeHeader->font();
    bold.setBold(true);
    activeHeader->setFont(bold);
    maskHeader->setFont(bold);
    grid->addWidget(activeHeader, 0, 1);
    grid->addWidget(maskHeader, 0, 2);
    for (int i = 0; i < kInputs; ++i) {
        const auto index = static_cast<std::size_t>(i);
        m_lblSen[index] = new QLabel(inputs);
        m_lblSen[index]->setObjectName(QStringLiteral("LblSen%1").arg(i));
        m_chkActv[index] = new QCheckBox(inputs);
        m_chkActv[index]->setObjectName(QStringLiteral("ChkActv%1").arg(i));
        m_chkActv[index]->setChecked(true);
        grid->addWidget(m_lblSen[index], i + 1, 0);
        grid->addWidget(m_chkActv[index], i + 1, 1);
        connect(m_chkActv[index], &QCheckBox::toggled, this,
                [this, i](bool checked) { OnActive(i, checked); });
        if (i >= kFirstMasked) {
            m_chkMsk[index] = new QCheckBox(LangCaption(158), inputs);
            m_chkMsk[index]->setObjectName(QStringLiteral("ChkMsk%1").arg(i));
            grid->addWidget(m_chkMsk[index], i + 1, 2);
            connect(m_chkMsk[index], &QCheckBox::toggled, this,
                    [this, i](bool checked) { OnMask(i, checked); });
        }
    }
    grid->setColumnStretch(3, 1);
    // Inputs 1 and 2 have no mask box; their rows keep the height of the others.
    const int rowHeight = m_chkMsk[kFirstMasked]->sizeHint().height();
    for (int i = 0; i < kInputs; ++i)
        grid->setRowMinimumHeight(i + 1, rowHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);
    column->addWidget(codeBox);
    column->addWidget(inputs);
    column->addStretch(1);

    // Label i: text 119, a blank, the input number with two digits and a colon.
    for (int i = 0; i < kInputs; ++i)
        m_lblSen[static_cast<std::size_t>(i)]->setText(
            QStringLiteral("%1 %2:").arg(LangText(119)).arg(i + 1, 2, 10, QLatin1Char('0')));
    ApplyLanguageTexts(this);
    m_loading = false;
    Fill();
    connect(m_txtBC, &QLineEdit::textChanged, this, &FrmZelk::OnBaseCode);
}

std::int16_t FrmZelk::BaseCodeOf(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(value);
}

void FrmZelk::Fill()
{
    const ZelkSettings& zelk = m_session.Document().ZelkSettings;
    m_txtBC->setText(QString::number(zelk.BC));
    for (int i = 0; i < kInputs; ++i)
        m_chkActv[static_cast<std::size_t>(i)]->setChecked(zelk.S[static_cast<std::size_t>(i)]);
    for (int i = kFirstMasked; i < kInputs; ++i)
        m_chkMsk[static_cast<std::size_t>(i)]->setChecked(
            zelk.MSK[static_cast<std::size_t>(i - kFirstMasked)]);
}

void FrmZelk::OnBaseCode(const QString& text)
{
    std::int16_t& bc = m_session.Document().ZelkSettings.BC;
    const std::int16_t value = BaseCodeOf(text);
    if (value == bc)
        return;
    bc = value;
    MarkChanged();
}

void FrmZelk::OnActive(int input, bool checked)
{
    if (m_loading)
        return;
    bool& flag = m_session.Document().ZelkSettings.S[static_cast<std::size_t>(input)];
    if (flag == checked)
        return;
    flag = checked;
    MarkChanged();
}

void FrmZelk::OnMask(int box, bool checked)
{
    if (m_loading)
        return;
    bool& flag = m_session.Document().ZelkSettings.MSK[static_cast<std::size_t>(box - kFirstMasked)];
    if (flag == checked)
        return;
    flag = checked;
    MarkChanged();
}

void FrmZelk::MarkChanged()
{
    // Unsaved detector settings must not vanish without a question on new, open or download.
    m_session.Document().Saved = false;
}

} // namespace kor
