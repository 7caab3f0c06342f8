#pragma once

#include <QAbstractScrollArea>

#include <memory>

class QTextDocument;

namespace kor {

// Shows a report page that was laid out elsewhere (LayOutReport on a worker): it only draws the
// document, so showing the largest report never lays it out on the GUI thread.
class ReportView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit ReportView(QWidget* parent = nullptr);
    ~ReportView() override;

    // Takes the page; nullptr empties the view.
    void SetPage(std::unique_ptr<QTextDocument> page);
    const QTextDocument* Page() const { return m_page.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateScrollBars();

    std::unique_ptr<QTextDocument> m_page;
};

} // namespace kor
