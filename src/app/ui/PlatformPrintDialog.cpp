#include "app/ui/PlatformPrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace kor {

bool PlatformPrintDialog::ChoosePrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kor
