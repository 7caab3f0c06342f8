#include "app/ui/ApplyLanguageTexts.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kor {
namespace {

// Texts "T<n>"; number 999 is missing from this language.
QString Text(int n)
{
    return n == 999 ? QString() : QStringLiteral("T%1").arg(n);
}

TEST(ApplyLanguageTexts, CaptionsToolTipsTabsAndHeaders)
{
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    screen.setWindowTitle(QStringLiteral("174"));
    // Caption as designed -> as shown.
    const std::pair<const char*, const char*> labels[] = {
        {"144:", "T144:"},              // a label "n:" keeps its colon
        {" 106 ", "T106"},              // blanks around the digits still make a number
        {"999", ""},                    // a number missing from the language shows empty
        {"99999999999", "99999999999"}, // not a 32-bit text number
    };
    std::vector<QLabel*> shown;
    for (const auto& [caption, _] : labels)
        layout->addWidget(shown.emplace_back(new QLabel(QLatin1String(caption))));
    auto* button = new QPushButton(QStringLiteral("302:"));
    auto* check = new QCheckBox(QStringLiteral("128"));
    auto* frame = new QGroupBox(QStringLiteral("135"));
    auto* field = new QLineEdit(QStringLiteral("302"));
    check->setToolTip(QStringLiteral("305"));
    field->setToolTip(QStringLiteral("108"));
    auto* toolBar = new QToolBar;
    QAction* day = toolBar->addAction(QStringLiteral("7"));
    QAction* dayWithTip = toolBar->addAction(QStringLiteral("1"));
    dayWithTip->setToolTip(QStringLiteral("1011"));
    QAction* wide = toolBar->addAction(QStringLiteral("120"));
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, QStringLiteral("1"));
    tabs->addTab(new QWidget, QStringLiteral("General"));
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels({QStringLiteral("144"), QStringLiteral("Tag")});
    auto* untitled = new QTreeWidget;
    QStandardItemModel model(0, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("1002"), QString()});
    auto* view = new QTableView;
    view->setModel(&model);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{button, check, frame, field, toolBar, tabs, tree, untitled, view})
        layout->addWidget(widget);

    ApplyLanguageTexts(&screen, Text);

    EXPECT_EQ(screen.windowTitle(), QStringLiteral("T174"));
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i]->text(), QLatin1String(labels[i].second)) << labels[i].first;
    EXPECT_EQ(button->text(), QStringLiteral("302:")) << "the colon rule is the labels' own";
    EXPECT_EQ(check->text(), QStringLiteral("T128"));
    EXPECT_EQ(check->toolTip(), QStringLiteral("T305"));
    EXPECT_EQ(frame->title(), QStringLiteral("T135"));
    EXPECT_EQ(field->text(), QStringLiteral("302")) << "text fields are not captions";
    EXPECT_EQ(field->toolTip(), QStringLiteral("108")) << "nor are their tool tips";
    EXPECT_EQ(day->text(), QStringLiteral("7")) << "tool bars keep numbers below 100 (the days)";
    EXPECT_EQ(day->toolTip(), QStringLiteral("7"))
        << "a caption shown as tool tip is not a tool tip of its own";
    EXPECT_EQ(dayWithTip->toolTip(), QStringLiteral("T1011"));
    EXPECT_EQ(wide->text(), QStringLiteral("T120"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("T1")) << "tabs take any number";
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("General"));
    EXPECT_EQ(tree->headerItem()->text(0), QStringLiteral("T144"));
    EXPECT_EQ(tree->headerItem()->text(1), QStringLiteral("Tag"));
    EXPECT_EQ(untitled->headerItem()->text(0), QStringLiteral("1")) << "Qt's own column numbers stay";
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("T1002"));
}

} // namespace
} // namespace kor
