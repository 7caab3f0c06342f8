#include "rules/ui/FrmGen.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/RefusedCharacter.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "rules/SettingsForms.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace kor {

namespace {

QFormLayout* NewForm(QGroupBox* box)
{
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

} // namespace

FrmGen::FrmGen(AppSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("FrmGen"));
    setWindowTitle(LangCaption(171));

    auto* mail = new QGroupBox(LangCaption(1100), this);
    mail->setObjectName(QStringLiteral("FraMail"));
    QFormLayout* mailForm = NewForm(mail);
    AddText(mailForm, "txtSMTP", LangTextId(1060), &GeneralSettings::SMTPH, SettingField::SMTPH);
    AddText(mailForm, "txtSMTPPort", LangTextId(1101), &GeneralSettings::SMTPP, SettingField::SMTPP);
    AddText(mailForm, "txtFromAddr", LangTextId(1102), &GeneralSettings::SNDADDR, SettingField::SNDADDR);
    AddText(mailForm, "txtReplyAddr", LangTextId(1103), &GeneralSettings::RPLYADDR, SettingField::RPLYADDR);

    auto* centre = new QGroupBox(LangCaption(1104), this);
    centre->setObjectName(QStringLiteral("FraCentre"));
    QFormLayout* centreForm = NewForm(centre);
    AddText(centreForm, "txtCIDHeader", LangTextId(1105), &GeneralSettings::CIDHEAD, SettingField::CIDHEAD);
    AddText(centreForm, "txtClientNum", LangTextId(1106), &GeneralSettings::CLIENTNUM,
            SettingField::CLIENTNUM);
    AddText(centreForm, "txtCRAIP", LangTextId(1107), &GeneralSettings::CRAIP, SettingField::CRAIP);
    AddText(centreForm, "txtCRAPort", LangTextId(1108), &GeneralSettings::CRAPORT, SettingField::CRAPORT);

    auto* buffers = new QGroupBox(LangCaption(1109), this);
    buffers->setObjectName(QStringLiteral("FraBuffers"));
    auto* bufferColumn = new QVBoxLayout(buffers);
    auto* bufferForm = new QFormLayout();
    bufferForm->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bufferColumn->addLayout(bufferForm);
    m_spinners[0] = AddSpinner(bufferForm, "udFrames", "txtFrames", LangTextId(1110), BufferField::Frames);
    m_spinners[1] = AddSpinner(bufferForm, "udSegBuff", "txtSegBuff", LangTextId(1111), BufferField::Seconds);
    auto* label1 = new QLabel(FirstLineOf(LangText(139)).trimmed(), buffers);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    bufferColumn->addWidget(label1);
    auto* secondForm = new QFormLayout();
    secondForm->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bufferColumn->addLayout(secondForm);
    m_spinners[2] = AddSpinner(secondForm, "udbFrames", "txtbFrames", LangTextId(1112), BufferField::BFrames);
    m_spinners[3] =
        AddSpinner(secondForm, "udbSegBuff", "txtbSegBuff", LangTextId(1113), BufferField::BSeconds);
    auto* label2 = new QLabel(LangText(140), buffers);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    bufferColumn->addWidget(label2);
    bufferColumn->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    grid->addWidget(mail, 0, 0);
    grid->addWidget(centre, 1, 0);
    grid->addWidget(buffers, 0, 1, 2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(2, 1);

    ApplyLanguageTexts(this);
    // The captions of the forms in one column line up, whatever the language's words.
    AlignCaptions({mail, centre});
    AlignCaptions({buffers});
    m_loading = false;
    connect(&m_session.History(), &DocumentHistory::Restored, this, &FrmGen::Fill);
}

void FrmGen::Fill()
{
    m_loading = true;
    const GeneralSettings& settings = m_session.Document().GeneralSettings;
    for (const auto& [edit, field] : m_texts) {
        const QString text = FromCp1252(settings.*field);
        if (edit->text() != text)
            edit->setText(text);
    }
    const BufferValues values = BufferValues::From(settings);
    for (std::size_t i = 0; i < m_spinners.size(); ++i) {
        const auto field = static_cast<BufferField>(i);
        const int stored = BufferValue(values, field);
        const SpinnerRange range = BufferSpinnerRange(field, stored);
        m_spinners[i]->setRange(range.Minimum, range.Maximum);
        m_spinners[i]->setValue(stored);
    }
    m_loading = false;
}

void FrmGen::AlignCaptions(std::initializer_list<QWidget*> groups)
{
    std::vector<QLabel*> captions;
    int width = 0;
    for (QWidget* group : groups) {
        for (QLabel* label : group->findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            captions.push_back(label);
            width = std::max(width, label->sizeHint().width());
        }
    }
    for (QLabel* label : captions)
        label->setMinimumWidth(width);
}

QLineEdit* FrmGen::AddText(QFormLayout* form, const char* name, int caption,
                           std::string GeneralSettings::*field, SettingField step)
{
    auto* edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(QLatin1String(name));
    edit->setText(FromCp1252(m_session.Document().GeneralSettings.*field));
    auto* label = new QLabel(LangCaption(caption) + u':', form->parentWidget());
    label->setBuddy(edit);
    form->addRow(label, edit);
    m_texts.emplace_back(edit, field);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, field, step, caption](const QString& text) {
        if (m_loading)
            return;
        if (const std::optional<char32_t> refused = RefusedSettingCharacter(text)) {
            {
                const QSignalBlocker quiet(edit);
                edit->setText(FromCp1252(m_session.Document().GeneralSettings.*field));
            }
            m_session.Dialogs().Message(MessageIcon::Exclamation, windowTitle(),
                                        RefusedCharacterMessage(LangText(caption), *refused));
            return;
        }
        m_session.History().Edit(
            {-1, static_cast<int>(step)}, StepText(StepKind::ChangeSetting, LangText(caption)),
            [&] { (void)StoreTypedText(m_session.Document().GeneralSettings.*field, text); });
    });
    return edit;
}

QSpinBox* FrmGen::AddSpinner(QFormLayout* form, const char* name, const char* fieldName, int caption,
                             BufferField field)
{
    auto* spinner = new QSpinBox(form->parentWidget());
    spinner->setObjectName(QLatin1String(name));
    if (auto* edit = spinner->findChild<QLineEdit*>())
        edit->setObjectName(QLatin1String(fieldName));
    m_spinnerCaptions[static_cast<std::size_t>(field)] = caption;
    const int stored = BufferValue(BufferValues::From(m_session.Document().GeneralSettings), field);
    const SpinnerRange range = BufferSpinnerRange(field, stored);
    spinner->setRange(range.Minimum, range.Maximum);
    spinner->setValue(stored);
    spinner->setSingleStep(1);
    spinner->setMinimumWidth(64);
    spinner->setAlignment(Qt::AlignRight);
    auto* label = new QLabel(LangCaption(caption) + u':', form->parentWidget());
    label->setBuddy(spinner);
    form->addRow(label, spinner);
    connect(spinner, &QSpinBox::valueChanged, this, [this, field](int value) { OnSpinner(field, value); });
    return spinner;
}

void FrmGen::OnSpinner(BufferField field, int value)
{
    if (m_loading || m_settling)
        return;
    ConfigDocument& doc = m_session.Document();
    const BufferValues shown{m_spinners[0]->value(), m_spinners[1]->value(), m_spinners[2]->value(),
                             m_spinners[3]->value()};
    const SpinnerOutcome outcome =
        BufferSpinnerChange(shown, field, value, BufferValue(BufferValues::From(doc.GeneralSettings), field));
    if (outcome.Shown != value) {
        m_settling = true;
        m_spinners[static_cast<std::size_t>(field)]->setValue(outcome.Shown);
        m_settling = false;
    }
    if (outcome.Stored) {
        const int step = static_cast<int>(SettingField::FS) + static_cast<int>(field);
        m_session.History().Edit(
            {-1, step},
            StepText(StepKind::ChangeSetting, LangText(m_spinnerCaptions[static_cast<std::size_t>(field)])),
            [&] { StoreBufferValue(doc.GeneralSettings, field, *outcome.Stored); });
    }
}

} // namespace kor
