#include "app/ui/CameraChooser.h"

#include "app/AppSession.h"
#include "app/CameraForm.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/CameraEditor.h"
#include "config/Cp1252.h"
#include "outside/companion/CameraTable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kor {

CameraChooser::CameraChooser(AppSession& session, const QString& why, QWidget* parent)
    : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("CameraChooser"));
    setWindowTitle(LangCaption(1125));
    m_editor = [this](const CameraRecord& start, bool isNew) -> std::optional<CameraRecord> {
        CameraEditor editor(m_session, start, isNew, this);
        if (editor.exec() != QDialog::Accepted)
            return std::nullopt;
        return editor.Record();
    };

    auto* whyLabel = new QLabel(why, this);
    whyLabel->setObjectName(QStringLiteral("LblWhy"));
    whyLabel->setWordWrap(true);
    QFont bold = whyLabel->font();
    bold.setBold(true);
    whyLabel->setFont(bold);
    whyLabel->setVisible(!why.isEmpty());
    auto* hint = new QLabel(LangCaption(1145), this);
    hint->setObjectName(QStringLiteral("LblHint"));
    hint->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LvwCameras"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({LangCaption(1149), LangCaption(1006), LangCaption(105), LangCaption(106),
                             LangCaption(1007), LangCaption(1147)});
    m_list->setMinimumSize(560, 200);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CameraChooser::UpdateButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* add = new QPushButton(LangCaption(1126), this);
    add->setObjectName(QStringLiteral("CmdAdd"));
    m_edit = new QPushButton(LangCaption(1008), this);
    m_edit->setObjectName(QStringLiteral("CmdEdit"));
    m_remove = new QPushButton(LangCaption(1127), this);
    m_remove->setObjectName(QStringLiteral("CmdRemove"));
    auto* cancel = new QPushButton(LangCaption(307), this);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    m_ok = new QPushButton(LangCaption(308), this);
    m_ok->setObjectName(QStringLiteral("CmdOK"));
    m_ok->setDefault(true);
    connect(add, &QPushButton::clicked, this, &CameraChooser::AddCamera);
    connect(m_edit, &QPushButton::clicked, this, &CameraChooser::EditCamera);
    connect(m_remove, &QPushButton::clicked, this, &CameraChooser::RemoveCamera);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ok, &QPushButton::clicked, this, &CameraChooser::accept);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(m_ok);

    auto* column = new QVBoxLayout(this);
    column->addWidget(whyLabel);
    column->addWidget(hint);
    column->addWidget(m_list, 1);
    column->addLayout(buttons);

    ApplyLanguageTexts(this);
    Reload();
}

void CameraChooser::Reload(std::optional<std::int16_t> select)
{
    Result<std::vector<CameraRecord>> cameras = CameraTable::List(m_session.Connection());
    m_cameras.clear();
    if (cameras.ok())
        m_cameras = std::move(cameras).value();
    else
        m_session.Dialogs().Message(MessageIcon::Critical, windowTitle(),
                                    QString::fromStdString(cameras.reason()));
    m_list->clear();
    for (const CameraRecord& camera : m_cameras) {
        auto* item = new QTreeWidgetItem(m_list, {QString::number(camera.Id), FromCp1252(camera.DisplayName),
                                                  FromCp1252(camera.IpAddress), QString::number(camera.Port),
                                                  FromCp1252(camera.ModelName), FromCp1252(camera.Brand)});
        item->setData(0, Qt::UserRole, int(camera.Id));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (select && camera.Id == *select)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->resizeColumnToContents(column);
    UpdateButtons();
}

std::optional<std::int16_t> CameraChooser::SelectedId() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return static_cast<std::int16_t>(item->data(0, Qt::UserRole).toInt());
}

void CameraChooser::UpdateButtons()
{
    const bool selected = SelectedId().has_value();
    m_edit->setEnabled(selected);
    m_remove->setEnabled(selected);
    m_ok->setEnabled(selected);
}

bool CameraChooser::Store(const CameraRecord& record, bool isNew)
{
    const Status stored = isNew ? CameraTable::Add(m_session.Connection(), record)
                                : CameraTable::Update(m_session.Connection(), record);
    if (stored.failed()) {
        m_session.Dialogs().Message(MessageIcon::Critical, windowTitle(),
                                    LangText(1150) + u'\n' + QString::fromStdString(stored.reason()));
        return false;
    }
    Reload(record.Id);
    return true;
}

void CameraChooser::AddCamera()
{
    CameraRecord start;
    start.Brand = "AXIS";
    start.Id = FirstFreeCameraId(m_cameras);
    if (const auto record = m_editor(start, true))
        Store(*record, true);
}

void CameraChooser::EditCamera()
{
    const auto id = SelectedId();
    if (!id)
        return;
    const auto found =
        std::find_if(m_cameras.begin(), m_cameras.end(), [&](const CameraRecord& c) { return c.Id == *id; });
    if (found == m_cameras.end())
        return;
    if (const auto record = m_editor(*found, false))
        Store(*record, false);
}

void CameraChooser::RemoveCamera()
{
    const auto id = SelectedId();
    if (!id)
        return;
    if (m_session.Dialogs().Ask(MessageIcon::Question, windowTitle(), LangText(1151), false) != Answer::Yes)
        return;
    if (const Status removed = CameraTable::Remove(m_session.Connection(), *id); removed.failed())
        m_session.Dialogs().Message(MessageIcon::Critical, windowTitle(),
                                    LangText(1150) + u'\n' + QString::fromStdString(removed.reason()));
    Reload();
}

void CameraChooser::accept()
{
    const auto id = SelectedId();
    if (!id)
        return;
    m_chosen = *id;
    QDialog::accept();
}

} // namespace kor
