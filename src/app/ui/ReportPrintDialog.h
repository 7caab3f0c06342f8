#pragma once

class QPrinter;
class QWidget;

namespace kor {

// Where the report screen asks the user for a printer before printing. The window uses the
// platform's print dialog (PlatformPrintDialog); tests set up the printer themselves instead of
// blocking on a modal dialog.
class ReportPrintDialog
{
public:
    virtual ~ReportPrintDialog() = default;
    // Lets the user choose and set up the printer; false when the dialog was cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent) = 0;
};

} // namespace kor
