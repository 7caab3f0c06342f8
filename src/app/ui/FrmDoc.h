#pragma once

#include "app/ReportBuilder.h"
#include "config/Result.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QPushButton;
class QTextDocument;

namespace kor {

class AppSession;
class NoticeWindow;
class ReportPrintDialog;
class ReportView;

// The report screen (main window child screen 5): the configuration report of the session's
// document in the active language, built into xdoc.html in the work folder and shown in the view
// WebB, with a print button (CmdPrint) and a PDF export button (CmdPdf).
//
// The page is built and laid out on a worker while the notice window tells how far it got, so
// the largest report never holds up the window; Shown() is emitted once it is on screen.
//
// Entry points for the main window:
// - "show the report" (tool bar button 7): create the screen, new FrmDoc(session, parent); its
//   constructor starts building the report (the screen's load). Reload() builds it again.
// - "print the report" (tool bar button 6): show the screen if it is not shown, then call
//   PrintReport() on it (the platform's print dialog, then the page on the chosen printer).
// - ExportPdf() asks for a file through the session's dialogs and writes the report as PDF.
//
// The work folder is the session's DeviceServices::WorkFolder, else AppPaths::WorkDir(). Message
// boxes and the file dialog go through the session's UserDialogs; the print dialog through a
// ReportPrintDialog (the platform's unless SetPrintDialog gives another).
class FrmDoc : public QWidget
{
    Q_OBJECT

public:
    explicit FrmDoc(AppSession& session, QWidget* parent = nullptr);
    ~FrmDoc() override;

    // Builds xdoc.html from the document and shows it. A missing template shows an empty page;
    // a page that cannot be written is still shown, and the reason goes to standard error.
    void Reload();
    // What the report says of the camera and of when it was made (the session's clock).
    ReportHeader Header() const;
    // Whether the page of the last Reload is shown; WaitUntilShown keeps the events going until
    // it is.
    bool IsShown() const { return m_shown; }
    void WaitUntilShown();
    // The page shown (nullptr before the first one is ready).
    const QTextDocument* Page() const;

    // The tool bar's print command. Returns true when the report went to a printer.
    bool PrintReport();
    // Asks for a PDF file name (text 1009 "Save as PDF") and writes the report there. Returns
    // true when a file was written; a failure is shown in a message box.
    bool ExportPdf();
    // Writes the report shown to a PDF file without asking (on a worker, the notice showing the
    // pages).
    Status WritePdf(const QString& path);

    // Replaces the print dialog (tests); nullptr restores the platform's. Not owned.
    void SetPrintDialog(ReportPrintDialog* dialog);

    // Where the page was built: <work folder>/xdoc.html.
    QString ReportPath() const;

Q_SIGNALS:
    void Shown();

private:
    void ShowPage(std::unique_ptr<QTextDocument> page, const QString& html);
    void ShowProgress(const QString& text);
    void EndProgress();
    // Runs work on a worker thread while the events go on; returns once it has ended.
    void RunInBackground(const std::function<void()>& work);

    AppSession& m_session;
    ReportView* m_view = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_pdf = nullptr;
    QPointer<NoticeWindow> m_notice;
    std::unique_ptr<ReportPrintDialog> m_platformDialog;
    ReportPrintDialog* m_printDialog = nullptr;
    QString m_html;
    QString m_progressText;
    bool m_noticeDue = false;
    std::uint64_t m_generation = 0;
    bool m_shown = false;
};

} // namespace kor
