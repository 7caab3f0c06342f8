#include "rules/CatalogueForm.h"

#include "app/Language.h"

#include <QStringList>

namespace kor {

CatalogueForm::CatalogueForm(ConfigDocument& doc, std::vector<ConfiguredSource>& listed, bool& taskListDirty,
                             std::int16_t cameraEventCount)
    : m_doc(doc), m_listed(listed), m_taskListDirty(taskListDirty), m_cameraEventCount(cameraEventCount),
      m_kinds(SourceKinds(doc.InputOneAsSensor, cameraEventCount)), m_rows(ConfiguredSources(doc))
{
    m_listed.clear();
}

void CatalogueForm::Reload()
{
    m_rows = ConfiguredSources(m_doc);
    for (const ConfiguredSource& source : m_listed) {
        if (!Listed(source.Tag))
            m_rows.push_back(source);
    }
}

bool CatalogueForm::ChooseKind(std::string_view code)
{
    m_kind = std::string(code);
    m_sources = FixedSources(code, m_doc.InputOneAsSensor, m_cameraEventCount);
    return AsksDevice(code);
}

void CatalogueForm::BeginQuestion()
{
    m_busy = true;
}

bool CatalogueForm::Answer(std::string_view code, const std::vector<SourceItem>& items)
{
    m_busy = false;
    if (code != m_kind)
        return false;
    m_sources.insert(m_sources.end(), items.begin(), items.end());
    return true;
}

bool CatalogueForm::Listed(std::string_view tag) const
{
    const QString wanted = QString::fromUtf8(tag.data(), static_cast<qsizetype>(tag.size())).trimmed();
    for (const ConfiguredSource& row : m_rows) {
        if (QString::fromStdString(row.Tag) == wanted)
            return true;
    }
    return false;
}

bool CatalogueForm::Add(int source)
{
    const auto kind = std::find_if(m_kinds.begin(), m_kinds.end(),
                                   [this](const SourceKind& k) { return k.Code == m_kind; });
    if (m_busy || kind == m_kinds.end() || source < 0 || source >= static_cast<int>(m_sources.size()))
        return false;
    const SourceItem& item = m_sources[static_cast<std::size_t>(source)];
    if (item.Text.isEmpty() || Listed(item.Tag))
        return false;
    m_rows.push_back({LangText(kind->TextId).trimmed(), item.Image, item.Text, item.Tag});
    m_listed.push_back(m_rows.back());
    if (NeedsDeviceTask(item.Tag))
        m_taskListDirty = true;
    return true;
}

bool CatalogueForm::Remove(int row)
{
    const std::optional<int> index = RuleOfRow(row);
    if (m_busy || !index || *index >= ConfigDocument::RuleCount)
        return false;
    m_doc.ClearRule(*index);
    const std::string& tag = m_rows[static_cast<std::size_t>(row)].Tag;
    if (NeedsDeviceTask(tag))
        m_taskListDirty = true;
    std::erase_if(m_listed, [&tag](const ConfiguredSource& source) { return source.Tag == tag; });
    m_rows.erase(m_rows.begin() + row);
    return true;
}

std::string CatalogueForm::TagOfRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return {};
    return m_rows[static_cast<std::size_t>(row)].Tag;
}

std::optional<int> CatalogueForm::RuleOfRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return std::nullopt;
    return TagIndex(m_rows[static_cast<std::size_t>(row)].Tag);
}

std::vector<int> CatalogueForm::RowsWithoutActions() const
{
    std::vector<int> rows;
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const std::optional<int> rule = RuleOfRow(row);
        if (rule && ConfigDocument::IsValidRule(*rule) && m_doc.ActionCount(*rule) == 0)
            rows.push_back(row);
    }
    return rows;
}

QString CatalogueForm::Hint() const
{
    QString hint = LangText(1300);
    QStringList dropped;
    for (const int row : RowsWithoutActions())
        dropped << m_rows[static_cast<std::size_t>(row)].SourceText;
    if (!dropped.isEmpty())
        hint += u'\n' + LangText(1301) + u' ' + dropped.join(QStringLiteral(", "));
    return hint;
}

} // namespace kor
