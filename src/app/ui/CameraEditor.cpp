#include "app/ui/CameraEditor.h"

#include "app/AppSession.h"
#include "app/CameraForm.h"
#include "app/Language.h"
#include "app/RefusedCharacter.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "outside/companion/ModelTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace kor {

namespace {

QLabel* Caption(int n, QWidget* parent)
{
    return new QLabel(LangCaption(n) + u':', parent);
}

} // namespace

CameraEditor::CameraEditor(AppSession& session, const CameraRecord& start, bool isNew, QWidget* parent)
    : QDialog(parent), m_session(session), m_start(start)
{
    setObjectName(QStringLiteral("CameraEditor"));
    setWindowTitle(isNew ? LangCaption(1126) : LangCaption(1008));
    const CameraFields fields = CameraFieldsOf(start, isNew);
    auto* form = new QFormLayout();
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto addNumber = [this, form](const char* name, int caption, int minimum, int maximum, int value) {
        auto* spin = new QSpinBox(this);
        spin->setObjectName(QLatin1String(name));
        spin->setRange(minimum, maximum);
        spin->setValue(value);
        form->addRow(Caption(caption, this), spin);
        return spin;
    };
    auto addText = [this, form](const char* name, int caption, const QString& value) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(220);
        form->addRow(Caption(caption, this), edit);
        return edit;
    };
    auto addChoice = [this, form](const char* name, int caption, const QStringList& items,
                                  const QString& value) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QLatin1String(name));
        combo->setEditable(true);
        combo->addItems(items);
        combo->setCurrentText(value);
        form->addRow(Caption(caption, this), combo);
        return combo;
    };
    m_id = addNumber("TxtId", LangTextId(1149), 0, std::numeric_limits<std::int16_t>::max(), fields.Id);
    m_id->setEnabled(fields.IdEditable);
    m_name = addText("TxtName", LangTextId(1006), fields.Name);
    m_address = addText("TxtIP", LangTextId(105), fields.Address);
    m_port = addNumber("TxtPort", LangTextId(106), kMinPort, kMaxPort, fields.Port);
    m_user = addText("TxtUser", LangTextId(107), fields.User);
    m_password = addText("TxtPassword", LangTextId(108), fields.Password);
    m_password->setEchoMode(QLineEdit::Password);
    m_channel = addNumber("TxtChannel", LangTextId(1146), kMinChannel, kMaxChannel, fields.Channel);
    m_brand = addChoice("CmbBrand", LangTextId(1147), {QStringLiteral("AXIS")}, fields.Brand);
    QStringList models;
    if (const Result<std::vector<ModelRecord>> records = ModelTable::List(session.Connection());
        records.ok()) {
        for (const ModelRecord& model : *records)
            models << FromCp1252(model.ModelName);
    }
    m_model = addChoice("CmbModel", LangTextId(1007), models, fields.Model);
    m_mac = addText("TxtMac", LangTextId(1148), fields.Mac);
    m_mac->setPlaceholderText(QStringLiteral("00:00:00:00:00:00"));

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* cancel = new QPushButton(LangCaption(307), this);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    auto* save = new QPushButton(LangCaption(304), this);
    save->setObjectName(QStringLiteral("CmdSave"));
    save->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addSpacing(8);
    column->addLayout(buttons);
    ApplyLanguageTexts(this);
}

CameraFields CameraEditor::Fields() const
{
    CameraFields fields;
    fields.Id = m_id->value();
    fields.Name = m_name->text();
    fields.Address = m_address->text();
    fields.Port = m_port->value();
    fields.User = m_user->text();
    fields.Password = m_password->text();
    fields.Channel = m_channel->value();
    fields.Brand = m_brand->currentText();
    fields.Model = m_model->currentText();
    fields.Mac = m_mac->text();
    return fields;
}

CameraRecord CameraEditor::Record() const
{
    return CameraRecordOf(m_start, Fields());
}

bool CameraEditor::CheckFields()
{
    const CameraFields fields = Fields();
    const std::optional<CameraFieldProblem> problem = CheckCameraFields(fields);
    if (!problem)
        return true;
    QWidget* const widgets[] = {m_name, m_user, m_password, m_brand, m_model, m_address, m_mac};
    QWidget* field = widgets[static_cast<int>(problem->Field)];
    QString text;
    if (problem->Character) {
        text = RefusedCharacterMessage(LangText(problem->Text), *problem->Character);
    } else {
        text = LangText(problem->Text);
        if (problem->WithValue)
            text += QStringLiteral(": ") + qobject_cast<QLineEdit*>(field)->text().trimmed() +
                    QStringLiteral(" ?");
    }
    m_session.Dialogs().Message(MessageIcon::Exclamation, windowTitle(), text);
    field->setFocus();
    return false;
}

void CameraEditor::accept()
{
    if (CheckFields())
        QDialog::accept();
}

} // namespace kor
