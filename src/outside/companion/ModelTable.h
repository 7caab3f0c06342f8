#pragma once

#include "outside/companion/ModelRecord.h"

#include "config/Result.h"

#include <optional>
#include <string>
#include <vector>

namespace kor {

class ClientConnection;

// The model profiles of the companion database, keyed by brand and model name (letter case ignored).
class ModelTable
{
public:
    static Result<std::vector<ModelRecord>> List(const ClientConnection& connection);
    // An empty value when the brand has no model of that name.
    static Result<std::optional<ModelRecord>> Find(const ClientConnection& connection,
                                                   const std::string& modelName, const std::string& brand);
    // Adds a profile; a brand and model name already present is a failure.
    static Status Add(const ClientConnection& connection, const ModelRecord& model);
};

} // namespace kor
