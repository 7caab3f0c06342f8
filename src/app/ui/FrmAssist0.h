#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

class QTextBrowser;

namespace kor {

// The assistant screen: the help text of a step of the step-by-step workflow, filling the screen.
class FrmAssist0 : public QWidget
{
    Q_OBJECT

public:
    explicit FrmAssist0(QWidget* parent = nullptr);

    // Loads help text N (HelpFileName among the resources' help/ files). A missing file leaves
    // the text as it was.
    void XLoadAssist(std::uint8_t helpNumber);
    QString LoadedFile() const { return m_loaded; }

private:
    QTextBrowser* m_txt;
    QString m_loaded;
};

} // namespace kor
