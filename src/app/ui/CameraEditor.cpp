#include "app/ui/CameraEditor.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "outside/companion/CameraTable.h"
#include "outside/companion/ModelTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
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
    auto* form = new QFormLayout();
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_id = new QSpinBox(this);
    m_id->setObjectName(QStringLiteral("TxtId"));
    m_id->setRange(0, std::numeric_limits<std::int16_t>::max());
    m_id->setValue(start.Id);
    m_id->setEnabled(isNew);
    form->addRow(Caption(LangTextId(1149), this), m_id);

    auto addText = [this, form](const char* name, int caption, const std::string& value) {
        auto* edit = new QLineEdit(FromCp1252(value), this);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(220);
        form->addRow(Caption(caption, this), edit);
        return edit;
    };
    m_name = addText("TxtName", LangTextId(1006), start.DisplayName);
    m_address = addText("TxtIP", LangTextId(105), start.IpAddress);

    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("TxtPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(start.Port >= 1 && start.Port <= 65535 ? start.Port : 80);
    form->addRow(Caption(LangTextId(106), this), m_port);

    m_user = addText("TxtUser", LangTextId(107), start.UserName);
    m_password = addText("TxtPassword", LangTextId(108), start.Password);
    m_password->setEchoMode(QLineEdit::Password);

    m_channel = new QSpinBox(this);
    m_channel->setObjectName(QStringLiteral("TxtChannel"));
    m_channel->setRange(1, 255);
    m_channel->setValue(std::max<int>(1, start.Channel));
    form->addRow(Caption(LangTextId(1146), this), m_channel);

    m_brand = new QComboBox(this);
    m_brand->setObjectName(QStringLiteral("CmbBrand"));
    m_brand->setEditable(true);
    m_brand->addItem(QStringLiteral("AXIS"));
    m_brand->setCurrentText(start.Brand.empty() ? QStringLiteral("AXIS") : FromCp1252(start.Brand));
    form->addRow(Caption(LangTextId(1147), this), m_brand);

    m_model = new QComboBox(this);
    m_model->setObjectName(QStringLiteral("CmbModel"));
    m_model->setEditable(true);
    if (const Result<std::vector<ModelRecord>> models = ModelTable::List(session.Connection()); models.ok()) {
        for (const ModelRecord& model : *models)
            m_model->addItem(FromCp1252(model.ModelName));
    }
    m_model->setCurrentText(FromCp1252(start.ModelName));
    form->addRow(Caption(LangTextId(1007), this), m_model);

    const bool noMac = start.Mac == std::array<std::uint8_t, 8>{};
    m_mac = addText("TxtMac", LangTextId(1148), noMac ? std::string() : CameraTable::MacText(start.Mac));
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

CameraRecord CameraEditor::Record() const
{
    CameraRecord record = m_start;
    record.Id = static_cast<std::int16_t>(m_id->value());
    record.DisplayName = ToCp1252(m_name->text());
    record.IpAddress = ToCp1252(m_address->text().trimmed());
    record.Port = m_port->value();
    record.UserName = ToCp1252(m_user->text());
    record.Password = ToCp1252(m_password->text());
    record.Channel = static_cast<std::uint8_t>(m_channel->value());
    record.Brand = ToCp1252(m_brand->currentText().trimmed());
    record.ModelName = ToCp1252(m_model->currentText().trimmed());
    const QString mac = m_mac->text().trimmed();
    record.Mac = {};
    if (const auto parsed = CameraTable::ParseMac(mac.toStdString()); parsed && !mac.isEmpty())
        record.Mac = *parsed;
    return record;
}

bool CameraEditor::CheckFields()
{
    const QString address = m_address->text().trimmed();
    if (address.isEmpty() || address == QLatin1String("0.0.0.0")) {
        m_session.Dialogs().Message(MessageIcon::Exclamation, windowTitle(), LangText(800));
        m_address->setFocus();
        return false;
    }
    const QString mac = m_mac->text().trimmed();
    if (!mac.isEmpty() && !CameraTable::ParseMac(mac.toStdString())) {
        m_session.Dialogs().Message(MessageIcon::Exclamation, windowTitle(),
                                    LangText(1148) + QStringLiteral(": ") + mac + QStringLiteral(" ?"));
        m_mac->setFocus();
        return false;
    }
    return true;
}

void CameraEditor::accept()
{
    if (CheckFields())
        QDialog::accept();
}

} // namespace kor
