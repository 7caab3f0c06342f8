#include "outside/companion/ModelProfile.h"

#include "outside/companion/CompanionSql.h"
#include "outside/companion/ModelTable.h"

namespace kor {

Status ModelProfile::Load(const ClientConnection& connection, const std::string& modelName,
                          const std::string& brand)
{
    m_loaded = false;
    m_record = ModelRecord();
    Result<std::optional<ModelRecord>> found = ModelTable::Find(connection, modelName, brand);
    if (found.failed())
        return found.status();
    if (!found->has_value())
        return Status::Fail("the companion database has no profile of the model " + MessageText(modelName) +
                            " of brand " + MessageText(brand));
    m_record = std::move(**found);
    m_loaded = true;
    return Status::Ok();
}

} // namespace kor
