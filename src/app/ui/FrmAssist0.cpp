#include "app/ui/FrmAssist0.h"

#include "app/AppPaths.h"
#include "app/Language.h"
#include "app/MainForm.h"
#include "app/ui/ApplyLanguageTexts.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kor {

FrmAssist0::FrmAssist0(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmAssist0"));
    m_txt = new QTextBrowser(this);
    m_txt->setObjectName(QStringLiteral("Txt"));
    m_txt->setOpenLinks(false);
    m_txt->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_txt);
    ApplyLanguageTexts(this);
}

void FrmAssist0::XLoadAssist(std::uint8_t helpNumber)
{
    const QString path =
        AppPaths::Resource(QStringLiteral("help/") + HelpFileName(helpNumber, LanguageCode()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_txt->setHtml(QString::fromUtf8(file.readAll()));
    m_loaded = path;
}

} // namespace kor
