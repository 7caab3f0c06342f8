#include "app/ui/FrmDoc.h"

#include "app/AppSession.h"
#include "app/Language.h"
#include "app/ReportFile.h"
#include "app/ReportLayout.h"
#include "app/ReportPdf.h"
#include "app/UserDialogs.h"
#include "app/ui/ApplyLanguageTexts.h"
#include "app/ui/NoticeWindow.h"
#include "app/ui/PlatformPrintDialog.h"
#include "app/ui/ReportView.h"
#include "config/ConfigDocument.h"
#include "config/Cp1252.h"
#include "config/LangTextId.h"
#include "config/SaveFile.h"
#include "device/Clock.h"
#include "rules/EventCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>

namespace kor {

namespace {

// The page is laid out once, at the width of a sheet on screen, whatever the size of the view:
// resizing the screen never lays the largest report out again.
constexpr qreal kPageWidth = 720;
constexpr int kNoticeDelayMs = 200;

// Hands a call to the GUI thread; it runs only while the screen still exists.
void Post(const QPointer<FrmDoc>& screen, std::function<void(FrmDoc&)> call)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [screen, call = std::move(call)] {
            if (screen)
                call(*screen);
        },
        Qt::QueuedConnection);
}

} // namespace

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

    m_view = new ReportView(this);
    m_view->setObjectName(QStringLiteral("WebB"));

    // The view fills the screen at every size.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(buttons);
    column->addWidget(m_view, 1);

    connect(m_print, &QPushButton::clicked, this, [this] { PrintReport(); });
    connect(m_pdf, &QPushButton::clicked, this, [this] { ExportPdf(); });

    ApplyLanguageTexts(this);
    Reload();
}

FrmDoc::~FrmDoc()
{
    EndProgress();
}

QString FrmDoc::ReportPath() const
{
    const QString folder = m_session.Services().WorkFolder;
    if (folder.isEmpty())
        return ReportFile::OutputPath();
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("xdoc.html"));
}

const QTextDocument* FrmDoc::Page() const
{
    return m_view->Page();
}

ReportHeader FrmDoc::Header() const
{
    ReportHeader header;
    const CurrentCamera& camera = m_session.Camera();
    header.CameraName = camera.DisplayName();
    header.Address = camera.IpAddress();
    header.Model = camera.ModelName();
    header.Firmware = m_session.FirmwareRelease();
    const Clock* clock = m_session.Services().Wait;
    header.MadeAt = ReportFile::MadeAtText(clock ? clock->Now() : std::chrono::system_clock::now());
    const std::int16_t inputOne = m_session.Document().InputOneAsSensor;
    header.SourceName = [inputOne](int rule) { return SourceNameText(rule, inputOne); };
    return header;
}

void FrmDoc::Reload()
{
    const std::uint64_t generation = ++m_generation;
    m_shown = false;
    const QString reportTitle = LangText(LangTextId(1130));
    ShowProgress(reportTitle);
    const QString path = ReportPath();
    // The worker gets copies; the session is only read here, on the GUI thread.
    const ConfigDocument doc = m_session.Document();
    const QString languageCode = LanguageCode();
    const ReportHeader header = Header();
    QPointer<FrmDoc> self(this);
    QThreadPool::globalInstance()->start([=] {
        const std::string bytes = ReportFile::Build(doc, LangTextBytes, languageCode, header);
        if (const Status saved = SaveFileAtomically(path, bytes); saved.failed())
            std::fprintf(stderr, "kormanager: %s: %s\n", path.toLocal8Bit().constData(),
                         saved.reason().c_str());
        // The page is shown from what was built, so a work folder that cannot be written still
        // shows the report.
        const QString page = FromCp1252(bytes);
        auto laidOut = LayOutReport(page, QUrl::fromLocalFile(path), kPageWidth, [&](int percent) {
            Post(self, [reportTitle, percent](FrmDoc& screen) {
                screen.ShowProgress(QStringLiteral("%1 %2 %").arg(reportTitle).arg(percent));
            });
        });
        laidOut->moveToThread(QCoreApplication::instance()->thread());
        QTextDocument* result = laidOut.release();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, result, page] {
                // A page nobody waits for any more (the screen closed, a newer one started) goes.
                std::unique_ptr<QTextDocument> owned(result);
                if (self && generation == self->m_generation)
                    self->ShowPage(std::move(owned), page);
            },
            Qt::QueuedConnection);
    });
}

void FrmDoc::ShowPage(std::unique_ptr<QTextDocument> page, const QString& html)
{
    m_html = html;
    m_view->SetPage(std::move(page));
    m_shown = true;
    EndProgress();
    Q_EMIT Shown();
}

void FrmDoc::WaitUntilShown()
{
    if (m_shown)
        return;
    QEventLoop loop;
    connect(this, &FrmDoc::Shown, &loop, &QEventLoop::quit);
    loop.exec();
}

void FrmDoc::ShowProgress(const QString& text)
{
    m_progressText = text;
    if (m_notice) {
        m_notice->Text(text);
        return;
    }
    // A small report is there before a notice would be read: the notice comes only when it takes
    // a while.
    if (!m_noticeDue) {
        m_noticeDue = true;
        QTimer::singleShot(kNoticeDelayMs, this, [this] {
            if (!m_noticeDue)
                return;
            m_notice = new NoticeWindow(window());
            m_notice->Text(m_progressText);
            m_notice->ShowOver(window());
        });
    }
}

void FrmDoc::EndProgress()
{
    m_noticeDue = false;
    if (NoticeWindow* notice = m_notice) {
        // Possibly called from inside the notice's own update: it goes once that is done.
        m_notice = nullptr;
        notice->close();
        notice->deleteLater();
    }
}

void FrmDoc::RunInBackground(const std::function<void()>& work)
{
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    QThreadPool::globalInstance()->start([work, waiting] {
        work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [waiting] {
                if (waiting)
                    waiting->quit();
            },
            Qt::QueuedConnection);
    });
    loop.exec();
}

bool FrmDoc::PrintReport()
{
    WaitUntilShown();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Page() ? Page()->metaInformation(QTextDocument::DocumentTitle) : QString());
    if (!m_printDialog->ChoosePrinter(printer, this))
        return false;
    // The printer gets a page of its own, built and printed on a worker.
    const QString html = m_html;
    const QUrl base = QUrl::fromLocalFile(ReportPath());
    RunInBackground([&printer, html, base] {
        QTextDocument document;
        document.setBaseUrl(base);
        document.setHtml(html);
        document.print(&printer);
    });
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

Status FrmDoc::WritePdf(const QString& path)
{
    WaitUntilShown();
    const QString html = m_html;
    const QUrl base = QUrl::fromLocalFile(ReportPath());
    const QString title = LangText(LangTextId(1009));
    QPointer<FrmDoc> self(this);
    Status written;
    RunInBackground([&, self] {
        QTextDocument document;
        document.setBaseUrl(base);
        document.setHtml(html);
        written = WriteReportPdf(document, path, [&](int page, int pageCount) {
            Post(self, [title, page, pageCount](FrmDoc& screen) {
                screen.ShowProgress(QStringLiteral("%1 %2/%3").arg(title).arg(page).arg(pageCount));
            });
        });
    });
    if (self)
        EndProgress();
    return written;
}

void FrmDoc::SetPrintDialog(ReportPrintDialog* dialog)
{
    m_printDialog = dialog ? dialog : m_platformDialog.get();
}

} // namespace kor
