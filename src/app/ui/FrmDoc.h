#pragma once

#include "config/Result.h"

#include <QString>
#include <QWidget>

#include <memory>

class QPushButton;
class QTextBrowser;

namespace kor {

class AppSession;
class ReportPrintDialog;

// The report screen (main window child screen 5): the configuration report of the session's
// document in the active language, built into xdoc.html in the work folder and shown in the
// browser view WebB, with a print button (CmdPrint) and a PDF export button (CmdPdf).
//
// Entry points for the main window:
// - "show the report" (tool bar button 7): create the screen, new FrmDoc(session, parent); its
//   constructor builds the report (the screen's load). Reload() builds it again in place.
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
    // The tool bar's print command. Returns true when the report went to a printer.
    bool PrintReport();
    // Asks for a PDF file name (text 1009 "Save as PDF") and writes the report there. Returns
    // true when a file was written; a failure is shown in a message box.
    bool ExportPdf();
    // Writes the report shown to a PDF file without asking; false with the reason.
    Status WritePdf(const QString& path) const;

    // Replaces the print dialog (tests); nullptr restores the platform's. Not owned.
    void SetPrintDialog(ReportPrintDialog* dialog);

    QTextBrowser* Browser() const { return m_browser; }
    // Where the page was built: <work folder>/xdoc.html.
    QString ReportPath() const;

private:
    AppSession& m_session;
    QTextBrowser* m_browser = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_pdf = nullptr;
    std::unique_ptr<ReportPrintDialog> m_platformDialog;
    ReportPrintDialog* m_printDialog = nullptr;
};

} // namespace kor
