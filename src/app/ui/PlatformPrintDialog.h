#pragma once

#include "app/ui/ReportPrintDialog.h"

namespace kor {

// The platform's print dialog (QPrintDialog), modal over the report screen.
class PlatformPrintDialog : public ReportPrintDialog
{
public:
    bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
};

} // namespace kor
