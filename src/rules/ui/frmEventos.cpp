#include "rules/ui/frmEventos.h"

#include "app/AppSession.h"
#include "app/DeviceJob.h"
#include "app/Language.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/ImageSet.h"
#include "app/ui/NoticeWindow.h"
#include "rules/EventCatalogue.h"
#include "rules/SourceDiscovery.h"
#include "rules/ui/FrmSens.h"
#include "rules/ui/ModalScreens.h"
#include "rules/ui/RuleImages.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace kor {

namespace {

constexpr int kTagRole = Qt::UserRole;

QComboBox* NewCombo(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(false); // typing is not taken
    combo->setIconSize(QSize(16, 16));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(16);
    return combo;
}

// A command beside the combo boxes: its picture and its caption, so that it cannot pass for a
// combo box's arrow.
QToolButton* NewCommand(const char* name, const QString& imageKey, int caption, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(ImageSet::Icon(imageKey));
    button->setIconSize(QSize(16, 16));
    button->setText(LangCaption(caption));
    button->setToolTip(LangCaption(caption));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

frmEventos::frmEventos(AppSession& session, QWidget* parent)
    : QWidget(parent), m_session(session),
      m_form(session.Document(), session.History().Listed(), session.TaskListDirtyFlag(),
             session.Model().CameraEventCount())
{
    setObjectName(QStringLiteral("frmEventos"));
    setWindowTitle(LangCaption(159));

    m_picture1 = new QFrame(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    auto* top = new QHBoxLayout(m_picture1);
    top->setContentsMargins(0, 0, 0, 0);
    auto* kindLabel = new QLabel(LangCaption(1002) + u':', m_picture1);
    m_cmbNameSens = NewCombo("cmbNameSens", m_picture1);
    kindLabel->setBuddy(m_cmbNameSens);
    auto* sourceLabel = new QLabel(LangCaption(1003) + u':', m_picture1);
    m_cmbListSens = NewCombo("cmbListSens", m_picture1);
    m_cmbListSens->setMinimumContentsLength(24);
    sourceLabel->setBuddy(m_cmbListSens);
    m_imgBajar = NewCommand("imgBajar", QStringLiteral("add"), 302, m_picture1);
    m_imgDel = NewCommand("imgDel", QStringLiteral("del"), 218, m_picture1);
    top->addWidget(kindLabel);
    top->addWidget(m_cmbNameSens);
    top->addSpacing(8);
    top->addWidget(sourceLabel);
    top->addWidget(m_cmbListSens, 1);
    top->addWidget(m_imgBajar);
    top->addWidget(m_imgDel);

    m_lvwCargaEventos = new QTreeWidget(this);
    m_lvwCargaEventos->setObjectName(QStringLiteral("lvwCargaEventos"));
    m_lvwCargaEventos->setColumnCount(2);
    m_lvwCargaEventos->setHeaderLabels({LangCaption(1002), LangCaption(1003)});
    m_lvwCargaEventos->setRootIsDecorated(false);
    m_lvwCargaEventos->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvwCargaEventos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvwCargaEventos->setAllColumnsShowFocus(true);
    m_lvwCargaEventos->setIconSize(QSize(16, 16));
    m_lvwCargaEventos->header()->setStretchLastSection(true);
    m_lvwCargaEventos->setColumnWidth(0, 220);

    m_lblHint = new QLabel(this);
    m_lblHint->setObjectName(QStringLiteral("lblHint"));
    m_lblHint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(m_picture1);
    layout->addWidget(m_lvwCargaEventos, 1);
    layout->addWidget(m_lblHint);

    // The language is loaded once for the whole program; without one the screen stays empty.
    if (!LanguageCode().isEmpty()) {
        FillSourceKinds();
        FillConfiguredSources();
    }
    ApplyLanguageTexts(this);

    connect(m_cmbNameSens, &QComboBox::activated, this, [this](int index) {
        FillSources(m_cmbNameSens->itemData(index, kTagRole).toString().toStdString());
    });
    connect(m_imgBajar, &QToolButton::clicked, this, &frmEventos::AddSource);
    connect(m_imgDel, &QToolButton::clicked, this, &frmEventos::RemoveSource);
    connect(m_lvwCargaEventos, &QTreeWidget::itemDoubleClicked, this, [this] { OpenRuleList(); });
    connect(&m_session.History(), &DocumentHistory::Restored, this, [this] {
        m_form.Reload();
        FillConfiguredSources();
    });
}

void frmEventos::FillSourceKinds()
{
    m_cmbNameSens->clear();
    for (const SourceKind& kind : m_form.Kinds()) {
        m_cmbNameSens->addItem(RuleImages::SourceIcon(kind.Image), LangText(kind.TextId));
        m_cmbNameSens->setItemData(m_cmbNameSens->count() - 1, QString::fromStdString(kind.Code), kTagRole);
    }
    m_cmbNameSens->setCurrentIndex(-1);
}

void frmEventos::FillConfiguredSources()
{
    m_lvwCargaEventos->clear();
    for (const ConfiguredSource& row : m_form.Rows()) {
        auto* item = new QTreeWidgetItem(m_lvwCargaEventos, {row.KindText, row.SourceText});
        item->setIcon(0, RuleImages::SourceIcon(row.Image));
        item->setData(0, kTagRole, QString::fromStdString(row.Tag));
    }
    ShowHint();
}

void frmEventos::ShowHint()
{
    const std::vector<int> unkept = m_form.RowsWithoutActions();
    for (int i = 0; i < m_lvwCargaEventos->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_lvwCargaEventos->topLevelItem(i);
        QFont font = item->font(0);
        font.setItalic(std::find(unkept.begin(), unkept.end(), i) != unkept.end());
        item->setFont(0, font);
        item->setFont(1, font);
    }
    m_lblHint->setText(m_form.Hint());
}

void frmEventos::FillSourceList()
{
    m_cmbListSens->clear();
    for (const SourceItem& item : m_form.Sources()) {
        m_cmbListSens->addItem(RuleImages::SourceIcon(item.Image), item.Text);
        m_cmbListSens->setItemData(m_cmbListSens->count() - 1, QString::fromStdString(item.Tag), kTagRole);
    }
    m_cmbListSens->setCurrentIndex(-1);
}

void frmEventos::FillSources(const std::string& code)
{
    const bool ask = m_form.ChooseKind(code);
    FillSourceList();
    if (ask)
        AskDevice(code);
}

void frmEventos::SetBusy(bool busy)
{
    m_picture1->setEnabled(!busy);
    m_lvwCargaEventos->setEnabled(!busy);
}

void frmEventos::AskDevice(const std::string& code)
{
    HttpClient* http = m_session.Services().Http;
    if (!http)
        return; // no device transport: the list keeps what is known without asking
    DiscoveryTarget target;
    target.Camera = m_session.CameraTarget();
    target.DeviceUserNotEmpty = m_session.Device() && !m_session.Device()->UserName().empty();
    target.ChannelCount = m_session.Model().ChannelCount();
    target.Channel = m_session.Camera().Channel();

    m_form.BeginQuestion();
    SetBusy(true);
    NoticeWindow notice(window());
    notice.Text(LangText(1160));
    notice.ShowOver(window());
    DiscoveryResult result;
    try {
        RunDeviceJob(m_session, [&] { result = DiscoverSources(code, *http, target); });
    } catch (...) {
        result.Failed = true;
        result.ErrorText = "the device question ended unexpectedly";
    }
    notice.close();
    SetBusy(false);
    if (result.Failed)
        std::fprintf(stderr, "kormanager: event sources: %s\n", result.ErrorText.c_str());
    if (m_form.Answer(code, result.Items))
        FillSourceList();
}

void frmEventos::AddSource()
{
    const int source = m_cmbListSens->currentIndex();
    if (source < 0 || source >= static_cast<int>(m_form.Sources().size()))
        return;
    const SourceItem item = m_form.Sources()[static_cast<std::size_t>(source)];
    const DocumentHistory::Scope scope{TagIndex(item.Tag).value_or(-1), -1, NeedsDeviceTask(item.Tag)};
    bool added = false;
    m_session.History().Edit(scope, StepText(StepKind::AddSource, item.Text),
                             [&] { added = m_form.Add(source); });
    if (added)
        FillConfiguredSources();
}

void frmEventos::RemoveSource()
{
    QTreeWidgetItem* row = m_lvwCargaEventos->currentItem();
    if (!row || !row->isSelected())
        return;
    const int index = m_lvwCargaEventos->indexOfTopLevelItem(row);
    const std::string tag = m_form.TagOfRow(index);
    const DocumentHistory::Scope scope{TagIndex(tag).value_or(-1), -1, NeedsDeviceTask(tag)};
    bool removed = false;
    m_session.History().Edit(scope, StepText(StepKind::RemoveSource, row->text(1)),
                             [&] { removed = m_form.Remove(index); });
    if (removed) {
        delete row;
        ShowHint();
    }
}

void frmEventos::OpenRuleList()
{
    QTreeWidgetItem* row = m_lvwCargaEventos->currentItem();
    if (!row)
        return;
    const std::optional<int> index = m_form.RuleOfRow(m_lvwCargaEventos->indexOfTopLevelItem(row));
    if (!index)
        return;
    FrmSens rules(m_session, window());
    rules.SetClaveSens(static_cast<std::int16_t>(*index));
    rules.Load();
    ShowModalScreen(&rules);
    ShowHint(); // the source may have gained or lost its actions
}

} // namespace kor
