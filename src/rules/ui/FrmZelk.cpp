#include "rules/ui/FrmZelk.h"

#include "app/AppSession.h"
#include "app/DocumentHistory.h"
#include "app/Language.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "rules/SettingsForms.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>

namespace kor {

namespace {

// Digits only, and no more than the base code can hold: any other key changes nothing.
class BaseCodeValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        return BaseCodeTextAccepted(input) ? Acceptable : Invalid;
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
                [this, i](bool checked) { OnFlag(false, i, checked); });
        if (i >= kFirstMaskBox) {
            m_chkMsk[index] = new QCheckBox(LangCaption(158), inputs);
            m_chkMsk[index]->setObjectName(QStringLiteral("ChkMsk%1").arg(i));
            grid->addWidget(m_chkMsk[index], i + 1, 2);
            connect(m_chkMsk[index], &QCheckBox::toggled, this,
                    [this, i](bool checked) { OnFlag(true, i - kFirstMaskBox, checked); });
        }
    }
    grid->setColumnStretch(3, 1);
    // Inputs 1 and 2 have no mask box; their rows keep the height of the others.
    const int rowHeight = m_chkMsk[kFirstMaskBox]->sizeHint().height();
    for (int i = 0; i < kInputs; ++i)
        grid->setRowMinimumHeight(i + 1, rowHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);
    column->addWidget(codeBox);
    column->addWidget(inputs);
    column->addStretch(1);

    for (int i = 0; i < kInputs; ++i)
        m_lblSen[static_cast<std::size_t>(i)]->setText(DetectorInputLabel(i));
    ApplyLanguageTexts(this);
    m_loading = false;
    Fill();
    connect(m_txtBC, &QLineEdit::textChanged, this, &FrmZelk::OnBaseCode);
    connect(&m_session.History(), &DocumentHistory::Restored, this, &FrmZelk::Fill);
}

void FrmZelk::Fill()
{
    m_loading = true;
    const ZelkSettings& zelk = m_session.Document().ZelkSettings;
    m_txtBC->setText(QString::number(zelk.BC));
    for (int i = 0; i < kInputs; ++i)
        m_chkActv[static_cast<std::size_t>(i)]->setChecked(zelk.S[static_cast<std::size_t>(i)]);
    for (int i = kFirstMaskBox; i < kInputs; ++i)
        m_chkMsk[static_cast<std::size_t>(i)]->setChecked(
            zelk.MSK[static_cast<std::size_t>(i - kFirstMaskBox)]);
    m_loading = false;
}

void FrmZelk::OnBaseCode(const QString& text)
{
    if (m_loading)
        return;
    m_session.History().Edit({-1, static_cast<int>(SettingField::BC)},
                             StepText(StepKind::ChangeSetting, LangText(1115)),
                             [&] { m_session.Document().ZelkSettings.BC = BaseCodeOf(text); });
}

void FrmZelk::OnFlag(bool mask, int index, bool checked)
{
    if (m_loading)
        return;
    ZelkSettings& zelk = m_session.Document().ZelkSettings;
    bool& flag =
        mask ? zelk.MSK.at(static_cast<std::size_t>(index)) : zelk.S.at(static_cast<std::size_t>(index));
    const int field = static_cast<int>(mask ? SettingField::MSK0 : SettingField::S0) + index;
    const int box = mask ? index + kFirstMaskBox : index;
    const QString name = DetectorInputLabel(box).chopped(1) + (mask ? u' ' + LangText(158) : QString());
    m_session.History().Edit({-1, field}, StepText(StepKind::ChangeSetting, name),
                             [&] { (void)StoreFlag(flag, checked); });
}

} // namespace kor
