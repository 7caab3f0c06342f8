#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace kor {

// The small modeless window that shows one line while a long operation runs. It is shown over the
// main window and closed when the operation ends.
class NoticeWindow : public QFrame
{
    Q_OBJECT

public:
    explicit NoticeWindow(QWidget* owner = nullptr);

    // Shows the text: the window takes the label's width plus 40, the label is centred, and the
    // window is drawn at once.
    void Text(const QString& text);
    QString CurrentText() const;
    // Centres the window over its owner (or the screen) and shows it.
    void ShowOver(QWidget* owner);

private:
    QLabel* m_label;
};

} // namespace kor
