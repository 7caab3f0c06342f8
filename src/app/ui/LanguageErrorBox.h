#pragma once

#include "app/Language.h"

class QWidget;

namespace kor {

// Tells the user that no language could be loaded: a critical message box with an OK button.
class LanguageErrorBox : public LanguageErrorSink
{
public:
    explicit LanguageErrorBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void ShowLanguageError(const QString& message) override;

private:
    QWidget* m_parent;
};

} // namespace kor
