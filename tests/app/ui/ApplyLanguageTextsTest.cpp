#include "app/ui/ApplyLanguageTexts.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
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

template <typename T> T* Add(QWidget& screen, T* widget)
{
    screen.layout()->addWidget(widget);
    return widget;
}

TEST(ApplyLanguageTexts, CaptionsLabelsAndToolTips)
{
    QWidget screen;
    new QVBoxLayout(&screen);
    screen.setWindowTitle(QStringLiteral("174"));
    struct Case
    {
        QWidget* Widget;
        const char* Expected;
        std::function<QString()> Caption;
    };
    auto* label = Add(screen, new QLabel(QStringLiteral("144:")));
    auto* plainLabel = Add(screen, new QLabel(QStringLiteral("105")));
    auto* wordLabel = Add(screen, new QLabel(QStringLiteral("Port:")));
    auto* oddLabel = Add(screen, new QLabel(QStringLiteral("12a:")));
    auto* blankLabel = Add(screen, new QLabel(QStringLiteral(" 106 ")));
    auto* missing = Add(screen, new QLabel(QStringLiteral("999")));
    auto* huge = Add(screen, new QLabel(QStringLiteral("99999999999")));
    auto* button = Add(screen, new QPushButton(QStringLiteral("302")));
    auto* colonButton = Add(screen, new QPushButton(QStringLiteral("302:")));
    auto* check = Add(screen, new QCheckBox(QStringLiteral("128")));
    auto* option = Add(screen, new QRadioButton(QStringLiteral("129")));
    auto* frame = Add(screen, new QGroupBox(QStringLiteral("135")));
    auto* field = Add(screen, new QLineEdit(QStringLiteral("302")));
    button->setToolTip(QStringLiteral("305"));
    label->setToolTip(QStringLiteral("107"));
    frame->setToolTip(QStringLiteral("137"));
    field->setToolTip(QStringLiteral("108"));

    ApplyLanguageTexts(&screen, Text);

    EXPECT_EQ(screen.windowTitle(), QStringLiteral("T174"));
    EXPECT_EQ(label->text(), QStringLiteral("T144:")) << "a label \"n:\" keeps its colon";
    EXPECT_EQ(label->toolTip(), QStringLiteral("T107"));
    EXPECT_EQ(plainLabel->text(), QStringLiteral("T105"));
    EXPECT_EQ(wordLabel->text(), QStringLiteral("Port:"));
    EXPECT_EQ(oddLabel->text(), QStringLiteral("12a:"));
    EXPECT_EQ(blankLabel->text(), QStringLiteral("T106")) << "blanks around the digits still make a number";
    EXPECT_EQ(missing->text(), QString()) << "a number missing from the language shows empty";
    EXPECT_EQ(huge->text(), QStringLiteral("99999999999")) << "not a 32-bit text number";
    EXPECT_EQ(button->text(), QStringLiteral("T302"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("T305"));
    EXPECT_EQ(colonButton->text(), QStringLiteral("302:")) << "the colon rule is the labels' own";
    EXPECT_EQ(check->text(), QStringLiteral("T128"));
    EXPECT_EQ(option->text(), QStringLiteral("T129"));
    EXPECT_EQ(frame->title(), QStringLiteral("T135"));
    EXPECT_EQ(frame->toolTip(), QStringLiteral("T137"));
    EXPECT_EQ(field->text(), QStringLiteral("302")) << "text fields are not captions";
    EXPECT_EQ(field->toolTip(), QStringLiteral("108")) << "nor are their tool tips";
}

TEST(ApplyLanguageTexts, ToolBarKeepsNumbersBelow100)
{
    QWidget screen;
    new QVBoxLayout(&screen);
    auto* toolBar = Add(screen, new QToolBar);
    QAction* day = toolBar->addAction(QStringLiteral("7"));
    QAction* dayWithTip = toolBar->addAction(QStringLiteral("1"));
    dayWithTip->setToolTip(QStringLiteral("1011"));
    QAction* wide = toolBar->addAction(QStringLiteral("120"));
    QAction* ninetyNine = toolBar->addAction(QStringLiteral("99"));
    QAction* iconOnly = toolBar->addAction(QString());
    iconOnly->setToolTip(QStringLiteral("164"));
    QAction* words = toolBar->addAction(QStringLiteral("FTP"));

    ApplyLanguageTexts(&screen, Text);

    EXPECT_EQ(day->text(), QStringLiteral("7"));
    EXPECT_EQ(day->toolTip(), QStringLiteral("7"))
        << "a caption shown as tool tip is not a tool tip of its own";
    EXPECT_EQ(dayWithTip->text(), QStringLiteral("1"));
    EXPECT_EQ(dayWithTip->toolTip(), QStringLiteral("T1011"));
    EXPECT_EQ(wide->text(), QStringLiteral("T120"));
    EXPECT_EQ(ninetyNine->text(), QStringLiteral("99"));
    EXPECT_EQ(iconOnly->toolTip(), QStringLiteral("T164"));
    EXPECT_EQ(words->text(), QStringLiteral("FTP"));
    // The tool bar's buttons show the actions' captions.
    for (auto* button : toolBar->findChildren<QToolButton*>()) {
        if (button->defaultAction() == day) {
            EXPECT_EQ(button->text(), QStringLiteral("7"));
        }
    }
}

TEST(ApplyLanguageTexts, TabsAndColumnHeaders)
{
    QWidget screen;
    new QVBoxLayout(&screen);
    auto* tabs = Add(screen, new QTabWidget);
    tabs->addTab(new QWidget, QStringLiteral("1"));
    tabs->addTab(new QWidget, QStringLiteral("171"));
    tabs->addTab(new QWidget, QStringLiteral("General"));
    tabs->setTabToolTip(1, QStringLiteral("159"));

    auto* tree = Add(screen, new QTreeWidget);
    tree->setHeaderLabels({QStringLiteral("144"), QStringLiteral("1001"), QStringLiteral("Tag")});
    auto* untitledTree = Add(screen, new QTreeWidget);
    untitledTree->setColumnCount(2);
    auto* table = Add(screen, new QTableWidget(1, 2));
    table->setHorizontalHeaderLabels({QStringLiteral("1004"), QStringLiteral("1005")});
    QStandardItemModel model(0, 3);
    model.setHorizontalHeaderLabels({QStringLiteral("1002"), QString(), QStringLiteral("x")});
    auto* view = Add(screen, new QTableView);
    view->setModel(&model);
    QStandardItemModel unlabelled(0, 2);
    auto* unlabelledView = Add(screen, new QTableView);
    unlabelledView->setModel(&unlabelled);

    ApplyLanguageTexts(&screen, Text);

    EXPECT_EQ(tabs->tabText(0), QStringLiteral("T1")) << "tabs take any number";
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("T171"));
    EXPECT_EQ(tabs->tabToolTip(1), QStringLiteral("T159"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("General"));
    EXPECT_EQ(tree->headerItem()->text(0), QStringLiteral("T144"));
    EXPECT_EQ(tree->headerItem()->text(1), QStringLiteral("T1001"));
    EXPECT_EQ(tree->headerItem()->text(2), QStringLiteral("Tag"));
    EXPECT_EQ(untitledTree->headerItem()->text(0), QStringLiteral("1")) << "Qt's own column numbers stay";
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("T1004"));
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("T1005"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("T1002"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("x"));
    EXPECT_EQ(unlabelled.headerData(0, Qt::Horizontal).toString(), QStringLiteral("1"));
}

} // namespace
} // namespace kor
