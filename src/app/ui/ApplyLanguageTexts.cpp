#include "app/ui/ApplyLanguageTexts.h"

#include "app/Language.h"
#include "config/TextNumber.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidget>

#include <cstdint>
#include <optional>

namespace kor {

namespace {

using Lookup = std::function<QString(int)>;

std::optional<int> TextNumberOf(const QString& caption)
{
    std::int32_t n = 0;
    if (caption.isEmpty() || ReadNumberAs<std::int32_t>(caption.toStdString(), n) != NumberRead::Ok)
        return std::nullopt;
    return n;
}

// The caption translated, or nullopt when it is not a text number.
std::optional<QString> Translated(const QString& caption, const Lookup& langText)
{
    if (const auto n = TextNumberOf(caption))
        return langText(*n);
    return std::nullopt;
}

void ApplyToolTip(QWidget* widget, const Lookup& langText)
{
    if (const auto text = Translated(widget->toolTip(), langText))
        widget->setToolTip(*text);
}

void ApplyToLabel(QLabel* label, const Lookup& langText)
{
    const QString caption = label->text();
    if (const auto text = Translated(caption, langText)) {
        label->setText(*text);
    } else if (caption.endsWith(u':')) {
        if (const auto n = TextNumberOf(caption.chopped(1)))
            label->setText(langText(*n) + u':');
    }
    ApplyToolTip(label, langText);
}

void ApplyToToolBar(QToolBar* toolBar, const Lookup& langText)
{
    for (QAction* action : toolBar->actions()) {
        // QAction reports its caption as tool tip when none was set; only an own tool tip counts.
        const QString caption = action->text();
        const QString toolTip = action->toolTip();
        const bool ownToolTip = toolTip != QAction(caption).toolTip();
        if (const auto n = TextNumberOf(caption); n && *n >= 100)
            action->setText(langText(*n));
        if (ownToolTip) {
            if (const auto text = Translated(toolTip, langText))
                action->setToolTip(*text);
        }
    }
}

void ApplyToTabBar(QTabBar* tabs, const Lookup& langText)
{
    for (int i = 0; i < tabs->count(); ++i) {
        if (const auto text = Translated(tabs->tabText(i), langText))
            tabs->setTabText(i, *text);
        if (const auto text = Translated(tabs->tabToolTip(i), langText))
            tabs->setTabToolTip(i, *text);
    }
}

// Column headers given as text; the numbers models show for headers nobody set are left alone.
void ApplyToHeaders(QAbstractItemView* view, const Lookup& langText)
{
    QAbstractItemModel* model = view->model();
    if (!model)
        return;
    for (int column = 0; column < model->columnCount(); ++column) {
        const QVariant header = model->headerData(column, Qt::Horizontal, Qt::DisplayRole);
        if (header.metaType().id() != QMetaType::QString)
            continue;
        // A tree widget names the columns nobody titled "1", "2", … as text.
        if (qobject_cast<QTreeWidget*>(view) && header.toString() == QString::number(column + 1))
            continue;
        if (const auto text = Translated(header.toString(), langText))
            model->setHeaderData(column, Qt::Horizontal, *text, Qt::DisplayRole);
    }
}

void ApplyToControl(QWidget* control, const Lookup& langText)
{
    if (auto* label = qobject_cast<QLabel*>(control)) {
        ApplyToLabel(label, langText);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        // A tool bar's own buttons mirror its actions, which follow the tool bar rule.
        if (qobject_cast<QToolBar*>(button->parentWidget()) && qobject_cast<QToolButton*>(button))
            return;
        if (const auto text = Translated(button->text(), langText))
            button->setText(*text);
        ApplyToolTip(button, langText);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        if (const auto text = Translated(frame->title(), langText))
            frame->setTitle(*text);
        ApplyToolTip(frame, langText);
    } else if (auto* toolBar = qobject_cast<QToolBar*>(control)) {
        ApplyToToolBar(toolBar, langText);
    } else if (auto* tabs = qobject_cast<QTabBar*>(control)) {
        ApplyToTabBar(tabs, langText);
    } else if (auto* tree = qobject_cast<QTreeView*>(control)) {
        ApplyToHeaders(tree, langText);
    } else if (auto* table = qobject_cast<QTableView*>(control)) {
        ApplyToHeaders(table, langText);
    }
}

} // namespace

void ApplyLanguageTexts(QWidget* screen)
{
    ApplyLanguageTexts(screen, [](int n) { return LangText(n); });
}

void ApplyLanguageTexts(QWidget* screen, const std::function<QString(int)>& langText)
{
    if (!screen)
        return;
    if (const auto text = Translated(screen->windowTitle(), langText))
        screen->setWindowTitle(*text);
    ApplyToControl(screen, langText);
    for (QWidget* control : screen->findChildren<QWidget*>())
        ApplyToControl(control, langText);
}

} // namespace kor
