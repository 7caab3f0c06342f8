#pragma once

#include "config/ConfigDocument.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <string>
#include <vector>

namespace kor {

// A source the catalogue lists: kind and source captions, image number and tag. The catalogue keeps
// the sources added while it is shown that have no action yet beside the document, in the history,
// so that adding one can be undone like any other change.
struct ListedSource
{
    QString KindText;
    int Image = 0;
    QString SourceText;
    std::string Tag;

    bool operator==(const ListedSource&) const = default;
};

// The kinds of step, each named in the user's language (StepText).
enum class StepKind
{
    AddSource,
    RemoveSource,
    AddAction,
    ChangeAction,
    DeleteAction,
    DeleteActions,
    PasteActions,
    AddInterval,
    DeleteIntervals,
    PasteIntervals,
    PasteIntervalsToAllDays,
    ChangeSetting,
    PasteIntervalsToWeekdays,
};
// The step's name: its text with subject in place of %1 (an action's or a field's name, a count).
QString StepText(StepKind kind, const QString& subject = QString());

// The fields of the two settings pages; consecutive edits of one field make one step.
enum class SettingField
{
    SMTPH,
    SMTPP,
    SNDADDR,
    RPLYADDR,
    CIDHEAD,
    CLIENTNUM,
    CRAIP,
    CRAPORT,
    FS,
    FTM,
    FSB,
    FTMB,
    BC,
    S0,            // S0..S7, one each
    MSK0 = S0 + 8, // MSK0..MSK5
    Count = MSK0 + 6,
};

// The window's undo history over the document. Every change the window makes runs through Edit:
// the step records the parts of the document it may touch as they were before and after, and
// undoing or redoing puts one or the other back. The document's Saved flag follows the history:
// it is set exactly when the history stands where the document was last loaded or saved.
//
// Single-threaded, like the session that owns it.
class DocumentHistory : public QObject
{
    Q_OBJECT

public:
    // taskListDirty is the program's flag: undoing or redoing a step that lists or removes a source
    // with a device task sets it, as the step itself did.
    DocumentHistory(ConfigDocument& doc, bool& taskListDirty);
    ~DocumentHistory() override;

    struct Scope
    {
        int Rule = -1;            // the one rule the step may change; -1: none
        int MergeField = -1;      // a SettingField: consecutive steps of it merge
        bool DeviceTasks = false; // the step lists or removes a source that needs a device task
    };
    // Runs change as one step named text. Nothing is recorded when the parts in scope (the rule,
    // the listed sources, both settings records) are as before. Returns whether it was recorded.
    bool Edit(const Scope& scope, const QString& text, const std::function<void()>& change);

    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    QString UndoText() const { return m_stack.undoText(); }
    QString RedoText() const { return m_stack.redoText(); }
    int Count() const { return m_stack.count(); }
    // Steps done: Count() less those undone.
    int Position() const { return m_stack.index(); }
    void Undo();
    void Redo();

    // The document was written to a file: this is its saved state now.
    void MarkSaved();
    // The document was replaced (new, open, download): the history starts again, and its start is
    // the saved state when the document's Saved flag says so.
    void Restart();

    std::vector<ListedSource>& Listed() { return m_listed; }
    const std::vector<ListedSource>& Listed() const { return m_listed; }

    ConfigDocument& Document() { return m_doc; }
    void SetTaskListDirty() { m_taskListDirty = true; }

Q_SIGNALS:
    // An undo or a redo changed the document: screens that show it read it again.
    void Restored();
    // What can be undone or redone changed (a step, an undo, a redo, a restart, a save).
    void Changed();

private:
    void FollowCleanState();

    ConfigDocument& m_doc;
    bool& m_taskListDirty;
    std::vector<ListedSource> m_listed;
    QUndoStack m_stack;
};

} // namespace kor
