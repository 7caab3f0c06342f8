#include "app/DocumentHistory.h"

#include "app/Language.h"
#include "config/LangTextId.h"

#include <QUndoCommand>

#include <array>

namespace kor {

namespace {

constexpr std::array<int, 13> kStepTexts = {
    LangTextId(1403), LangTextId(1404), LangTextId(1405), LangTextId(1406), LangTextId(1407),
    LangTextId(1408), LangTextId(1409), LangTextId(1410), LangTextId(1411), LangTextId(1412),
    LangTextId(1413), LangTextId(1414), LangTextId(1415),
};

// The parts of the document one step may touch. Both settings records and the listed sources are
// small, so every step keeps them whole; of the rules only the one in scope.
struct Parts
{
    SensorRule Rule;
    kor::GeneralSettings General;
    kor::ZelkSettings Zelk;
    std::vector<ListedSource> Listed;

    bool operator==(const Parts&) const = default;
};

Parts Capture(const ConfigDocument& doc, const std::vector<ListedSource>& listed, int rule)
{
    return Parts{ConfigDocument::IsValidRule(rule) ? doc.Rule(rule) : SensorRule{}, doc.GeneralSettings,
                 doc.ZelkSettings, listed};
}

class DocumentStep : public QUndoCommand
{
public:
    DocumentStep(DocumentHistory& history, const DocumentHistory::Scope& scope, const QString& text,
                 Parts before, Parts after)
        : QUndoCommand(text), m_history(history), m_scope(scope), m_before(std::move(before)),
          m_after(std::move(after))
    {}

    int id() const override { return m_scope.MergeField; }

    bool mergeWith(const QUndoCommand* other) override
    {
        // Equal ids come from steps of the same settings field, all of this class.
        m_after = static_cast<const DocumentStep*>(other)->m_after;
        // Typing a field back to its old value leaves no step behind.
        setObsolete(m_before == m_after);
        return true;
    }

    void undo() override { Put(m_before); }
    void redo() override { Put(m_after); }

private:
    void Put(const Parts& parts)
    {
        ConfigDocument& doc = m_history.Document();
        if (ConfigDocument::IsValidRule(m_scope.Rule))
            doc.SetRule(m_scope.Rule, parts.Rule);
        doc.GeneralSettings = parts.General;
        doc.ZelkSettings = parts.Zelk;
        m_history.Listed() = parts.Listed;
        if (m_scope.DeviceTasks)
            m_history.SetTaskListDirty();
    }

    DocumentHistory& m_history;
    DocumentHistory::Scope m_scope;
    Parts m_before;
    Parts m_after;
};

} // namespace

QString StepText(StepKind kind, const QString& subject)
{
    const QString text = LangText(kStepTexts.at(static_cast<std::size_t>(kind)));
    return text.contains(QLatin1String("%1")) ? text.arg(subject) : text;
}

DocumentHistory::DocumentHistory(ConfigDocument& doc, bool& taskListDirty)
    : m_doc(doc), m_taskListDirty(taskListDirty)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &DocumentHistory::FollowCleanState);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &DocumentHistory::FollowCleanState);
}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::FollowCleanState()
{
    m_doc.Saved = m_stack.isClean();
    Q_EMIT Changed();
}

bool DocumentHistory::Edit(const Scope& scope, const QString& text, const std::function<void()>& change)
{
    const bool saved = m_doc.Saved;
    Parts before = Capture(m_doc, m_listed, scope.Rule);
    change();
    Parts after = Capture(m_doc, m_listed, scope.Rule);
    if (before == after) {
        m_doc.Saved = saved;
        return false;
    }
    m_stack.push(new DocumentStep(*this, scope, text, std::move(before), std::move(after)));
    return true;
}

void DocumentHistory::Undo()
{
    if (!m_stack.canUndo())
        return;
    m_stack.undo();
    Q_EMIT Restored();
}

void DocumentHistory::Redo()
{
    if (!m_stack.canRedo())
        return;
    m_stack.redo();
    Q_EMIT Restored();
}

void DocumentHistory::MarkSaved()
{
    m_stack.setClean();
    m_doc.Saved = true;
}

void DocumentHistory::Restart()
{
    const bool saved = m_doc.Saved;
    m_stack.clear();
    m_listed.clear();
    // A document that is not what its file holds (a file read only in part) has no saved state to
    // come back to.
    if (!saved)
        m_stack.resetClean();
    m_doc.Saved = saved;
    Q_EMIT Changed();
}

} // namespace kor
