#include "outside/companion/ModelProfile.h"

#include "outside/companion/CompanionSql.h"
#include "outside/companion/ModelTable.h"

namespace kor {

bool ModelProfile::Load(const ClientConnection& connection, const std::string& modelName,
                        const std::string& brand, std::string* error)
{
    m_loaded = false;
    m_record = ModelRecord();
    ModelRecord record;
    bool found = false;
    if (ModelTable::Find(connection, modelName, brand, record, found, error))
        return true;
    if (!found)
        return SetError(error, "the companion database has no profile of the model " +
                                   MessageText(modelName) + " of brand " + MessageText(brand));
    m_record = std::move(record);
    m_loaded = true;
    return false;
}

} // namespace kor
