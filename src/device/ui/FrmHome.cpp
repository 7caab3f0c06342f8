#include "device/ui/FrmHome.h"

#include "app/Language.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/frmSkinAux.h"
#include "config/Cp1252.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>
#include <QVBoxLayout>

namespace kor {

namespace {

constexpr int kIconSize = 16;

// A stored position is a point in the camera's coordinates: a cross-hair.
QIcon PositionIcon(const QColor& colour)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.5));
    painter.drawEllipse(QRectF(3.5, 3.5, 9, 9));
    painter.drawLine(QPointF(8, 1), QPointF(8, 6));
    painter.drawLine(QPointF(8, 10), QPointF(8, 15));
    painter.drawLine(QPointF(1, 8), QPointF(6, 8));
    painter.drawLine(QPointF(10, 8), QPointF(15, 8));
    return QIcon(pixmap);
}

// A preset is kept by the camera itself: a small camera.
QIcon PresetIcon(const QColor& colour)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(1, 5, 11, 8), 1.5, 1.5);
    painter.drawPolygon(
        QPolygonF({QPointF(12, 7.5), QPointF(15, 5.5), QPointF(15, 12.5), QPointF(12, 10.5)}));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(4, 6.5, 5, 5));
    return QIcon(pixmap);
}

} // namespace

FrmHome::FrmHome(std::vector<CameraPosition> positions, const std::vector<NamedPreset>& presets,
                 QWidget* parent)
    : QDialog(parent), m_positions(std::move(positions)), m_entries(HomeEntries(m_positions, presets))
{
    setObjectName(QStringLiteral("FrmHome"));
    setWindowTitle(LangCaption(154));
    setModal(true);

    m_lvwPrepos = new QListWidget(this);
    m_lvwPrepos->setObjectName(QStringLiteral("LvwPrepos"));
    m_lvwPrepos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvwPrepos->setIconSize(QSize(16, 16));
    const QIcon positionIcon = PositionIcon(QColor(0x2a, 0x6f, 0xb5));
    const QIcon presetIcon = PresetIcon(QColor(0x4a, 0x4a, 0x4a));
    for (const HomeEntry& entry : m_entries) {
        const QIcon& icon = IsPresetTag(entry.Tag) ? presetIcon : positionIcon;
        new QListWidgetItem(icon, FromCp1252(entry.Text), m_lvwPrepos);
    }
    connect(m_lvwPrepos, &QListWidget::itemDoubleClicked, this, &FrmHome::Continue);

    m_check1 = new QCheckBox(LangCaption(312), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_picStatus = new QLabel(this);
    m_picStatus->setObjectName(QStringLiteral("PicStatus"));
    m_picStatus->setPixmap(frmSkinAux::Icon(QStringLiteral("transfer")).pixmap(32, 32));
    m_btl1 = new QPushButton(LangCaption(307), this);
    m_btl1->setObjectName(QStringLiteral("BTL1"));
    m_btl1->setAutoDefault(false);
    m_cmdNext = new QPushButton(LangCaption(308), this);
    m_cmdNext->setObjectName(QStringLiteral("CmdNext"));
    m_cmdNext->setDefault(true);
    connect(m_btl1, &QPushButton::clicked, this, &FrmHome::reject);
    connect(m_cmdNext, &QPushButton::clicked, this, &FrmHome::Continue);

    auto* buttons = new QHBoxLayout();
    buttons->addWidget(m_picStatus);
    buttons->addStretch(1);
    buttons->addWidget(m_btl1);
    buttons->addWidget(m_cmdNext);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_lvwPrepos, 1);
    column->addWidget(m_check1);
    column->addLayout(buttons);
    resize(360, 320);
    ApplyLanguageTexts(this);
}

void FrmHome::Continue()
{
    std::optional<std::size_t> selected;
    if (const QList<QListWidgetItem*> items = m_lvwPrepos->selectedItems(); !items.isEmpty())
        selected = static_cast<std::size_t>(m_lvwPrepos->row(items.front()));
    const HomeStep step = ContinueHome(m_entries, m_positions, selected, m_check1->isChecked());
    if (!step.Close)
        return;
    m_result = step.Choice;
    done(step.Choice.Continue ? QDialog::Accepted : QDialog::Rejected);
}

void FrmHome::reject()
{
    m_result = HomeChoice();
    QDialog::reject();
}

} // namespace kor
