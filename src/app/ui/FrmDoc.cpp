#include "app/ui/FrmDoc.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ReportFile.h"
#include "app/ReportPdf.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/PlatformPrintDialog.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "config/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>

namespace kor {

FrmDoc::FrmDoc(AppSession& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_platformDialog(std::make_unique<PlatformPrintDialog>()),
      m_printDialog(m_platformDialog.get())
{
    setObjectName(QStringLiteral("FrmDoc"));
    setWindowTitle(LangCaption(169));

    m_print = new QPushButton(LangCaption(168), this);
    m_print->setObjectName(QStringLiteral("CmdPrint"));
    m_pdf = new QPushButton(LangCaption(1009), this);
    m_pdf->setObjectName(QStringLiteral("CmdPdf"));
    auto* buttons = new QHBoxLayout();
    buttons->setContentsMargins(6, 6, 6, 0);
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("WebB"));
    m_browser->setOpenLinks(false);
    // Some air around the page on screen; printing sets its own margins.
    m_browser->document()->setDocumentMargin(12);

    // The browser fills the screen at every size.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(buttons);
    column->addWidget(m_browser, 1);

    connect(m_print, &QPushButton::clicked, this, [this] { PrintReport(); });
    connect(m_pdf, &QPushButton::clicked, this, [this] { ExportPdf(); });

    ApplyLanguageTexts(this);
    Reload();
}

FrmDoc::~FrmDoc() = default;

QString FrmDoc::ReportPath() const
{
    const QString folder = m_session.Services().WorkFolder;
    if (folder.isEmpty())
        return ReportFile::OutputPath();
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("xdoc.html"));
}

void FrmDoc::Reload()
{
    const QString path = ReportPath();
    const std::string html = ReportFile::Build(m_session.Document(), LangTextBytes, LanguageCode());
    if (const Status saved = SaveFileAtomically(path, html); saved.failed())
        std::fprintf(stderr, "kormanager: %s: %s\n", path.toLocal8Bit().constData(), saved.reason().c_str());
    // The page is shown from what was built, so a work folder that cannot be written still
    // shows the report.
    m_browser->document()->setBaseUrl(QUrl::fromLocalFile(path));
    m_browser->setHtml(FromCp1252(html));
}

bool FrmDoc::PrintReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_browser->documentTitle());
    if (!m_printDialog->ChoosePrinter(printer, this))
        return false;
    m_browser->print(&printer);
    return true;
}

bool FrmDoc::ExportPdf()
{
    QString path =
        m_session.Dialogs().ChooseSaveFile(QStringLiteral("PDF (*.pdf)"), QStringLiteral("report.pdf"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (const Status written = WritePdf(path); written.failed()) {
        m_session.Dialogs().Message(MessageIcon::Critical, LangText(LangTextId(1009)),
                                    QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path),
                                                                 QString::fromStdString(written.reason())));
        return false;
    }
    return true;
}

Status FrmDoc::WritePdf(const QString& path) const
{
    return WriteReportPdf(*m_browser->document(), path);
}

void FrmDoc::SetPrintDialog(ReportPrintDialog* dialog)
{
    m_printDialog = dialog ? dialog : m_platformDialog.get();
}

} // namespace kor
