#include "device/ui/FrmHistory.h"

#include "app/AppSession.h"
#include "app/HistoryForm.h"
#include "app/Language.h"
#include "app/UserDialogs.h"
#include "config/Cp1252.h"
#include "rules/CameraDrift.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kor {

namespace {

QPushButton* NewButton(const char* name, int caption, QWidget* parent)
{
    auto* button = new QPushButton(LangCaption(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

std::string Text(int n)
{
    return LangTextBytes(n);
}

} // namespace

FrmHistory::FrmHistory(AppSession& session, std::vector<HistoryEntry> entries, QWidget* parent)
    : QDialog(parent), m_session(session), m_entries(std::move(entries))
{
    setObjectName(QStringLiteral("FrmHistory"));
    setWindowTitle(LangCaption(1613) + QStringLiteral(" - ") + session.CameraDisplayName());
    std::reverse(m_entries.begin(), m_entries.end());
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("LstHistory"));
    for (const HistoryEntry& e : m_entries)
        m_list->addItem(FromCp1252(HistoryRowText(e, Text)));
    m_cmdCompare = NewButton("CmdCompare", 1606, this);
    m_cmdRestore = NewButton("CmdRestore", 1607, this);
    m_cmdRestoreSystem = NewButton("CmdRestoreSystem", 1608, this);
    auto* close = NewButton("CmdClose", 311, this);
    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {m_cmdCompare, m_cmdRestore, m_cmdRestoreSystem})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_list, 1);
    column->addLayout(buttons);
    resize(560, 360);

    connect(m_list, &QListWidget::currentRowChanged, this, &FrmHistory::ShowCommands);
    connect(m_cmdCompare, &QPushButton::clicked, this, &FrmHistory::Compare);
    connect(m_cmdRestore, &QPushButton::clicked, this, &FrmHistory::Restore);
    connect(m_cmdRestoreSystem, &QPushButton::clicked, this, &FrmHistory::RestoreSystemFiles);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    ShowCommands();
}

const HistoryEntry* FrmHistory::Selected() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < static_cast<int>(m_entries.size()) ? &m_entries[row] : nullptr;
}

void FrmHistory::ShowCommands()
{
    const HistoryCommands c = HistoryCommandsFor(Selected(), m_session.Relay().Enabled);
    m_cmdCompare->setEnabled(c.Compare);
    m_cmdRestore->setEnabled(c.Restore);
    m_cmdRestoreSystem->setEnabled(c.RestoreSystemFiles);
}

void FrmHistory::Compare()
{
    const HistoryEntry* e = Selected();
    if (!e || !HistoryCommandsFor(e, false).Compare)
        return;
    const ConfigDocument& doc = m_session.Document();
    CompareInput kept;
    QString text;
    if (const Status read = ReadCompareText(e->Config, kept); read.failed()) {
        text = QString::fromStdString(read.reason());
    } else {
        kept.Doc.InputOneAsSensor = doc.InputOneAsSensor;
        text = FromCp1252(ChangeLines(DiffConfigs(kept.Side(), ConfigSide{&doc, nullptr}, Text), Text));
    }
    m_session.Dialogs().Message(MessageIcon::Information, windowTitle(), LangText(1614) + u'\n' + text);
}

void FrmHistory::Restore()
{
    const HistoryEntry* e = Selected();
    if (!e || !HistoryCommandsFor(e, false).Restore)
        return;
    const Result<bool> loaded = LoadHistoryEntry(m_session, *e, [this] { return windowTitle(); });
    if (loaded.failed())
        m_session.Dialogs().Message(MessageIcon::Critical, windowTitle(),
                                    QString::fromStdString(loaded.reason()));
    else if (*loaded)
        accept();
}

void FrmHistory::RestoreSystemFiles()
{
    const HistoryEntry* e = Selected();
    if (!e || !HistoryCommandsFor(e, m_session.Relay().Enabled).RestoreSystemFiles)
        return;
    if (!m_session.Dialogs().Proceed(MessageIcon::Exclamation, windowTitle(), LangText(1609), LangText(1308),
                                     LangText(307)))
        return;
    m_systemFiles = *e;
    accept();
}

} // namespace kor
