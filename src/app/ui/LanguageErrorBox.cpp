#include "app/ui/LanguageErrorBox.h"

#include <QMessageBox>

namespace kor {

void LanguageErrorBox::ShowLanguageError(const QString& message)
{
    // No language means no translated title either.
    QMessageBox::critical(m_parent, QStringLiteral("Kor Manager"), message, QMessageBox::Ok);
}

} // namespace kor
