#pragma once

#include "rules/EventCatalogue.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kor {

// The rules of the event source catalogue: the kinds offered, the sources of the chosen kind, the
// configured sources listed, adding and removing a source, and the device question some kinds
// need. While a question runs the screen takes no input (Busy); its answer is offered only when
// its kind is still the chosen one.
class CatalogueForm
{
public:
    // listed holds the sources added that have no action yet (the history's, so that adding one can
    // be undone); the screen opens without them. taskListDirty is the program's flag, set when a
    // source that needs a device task is added or removed.
    CatalogueForm(ConfigDocument& doc, std::vector<ConfiguredSource>& listed, bool& taskListDirty,
                  std::int16_t cameraEventCount);

    const std::vector<SourceKind>& Kinds() const { return m_kinds; }
    const std::vector<SourceItem>& Sources() const { return m_sources; }
    const std::vector<ConfiguredSource>& Rows() const { return m_rows; }
    // The chosen kind's code; empty before a choice.
    const std::string& Kind() const { return m_kind; }

    // Chooses a kind by code: its sources known without asking. Returns whether the device must
    // be asked for the rest (then BeginQuestion, and Answer once it has replied).
    bool ChooseKind(std::string_view code);
    void BeginQuestion();
    // The items a question about the kind found; dropped when another kind is chosen meanwhile.
    // Returns whether they were offered.
    bool Answer(std::string_view code, const std::vector<SourceItem>& items);
    bool Busy() const { return m_busy; }

    // Adds the source at this position of Sources(); nothing when none is chosen or it is listed.
    bool Add(int source);
    // Removes the row and empties its rule; nothing for no row or a tag that does not read.
    bool Remove(int row);
    // Whether a row has exactly this tag (trimmed).
    bool Listed(std::string_view tag) const;
    // The rule a row stands for (a double click opens its rule list).
    std::optional<int> RuleOfRow(int row) const;
    // Rows whose rule has no actions: the list is rebuilt from the rules when the screen opens
    // again, so these are not kept.
    std::vector<int> RowsWithoutActions() const;
    // The hint line below the list: how to edit a source's actions, then the sources that will
    // not be kept, named before they go.
    QString Hint() const;
    // The tag of the row; empty for no row.
    std::string TagOfRow(int row) const;
    // The rows again after an undo or a redo: the sources with rules, then those listed without.
    void Reload();

private:
    ConfigDocument& m_doc;
    std::vector<ConfiguredSource>& m_listed;
    bool& m_taskListDirty;
    std::int16_t m_cameraEventCount;
    std::vector<SourceKind> m_kinds;
    std::vector<SourceItem> m_sources;
    std::vector<ConfiguredSource> m_rows;
    std::string m_kind;
    bool m_busy = false;
};

} // namespace kor
