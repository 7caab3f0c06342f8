#pragma once

#include "outside/companion/ModelRecord.h"

#include <string>
#include <vector>

namespace kor {

class ClientConnection;

// The model profiles of the companion database, keyed by brand and model name (letter case ignored).
// Each function returns true on failure and says why in error.
class ModelTable
{
public:
    static bool List(const ClientConnection& connection, std::vector<ModelRecord>& models,
                     std::string* error);
    // found is false (and the result false) when the brand has no model of that name.
    static bool Find(const ClientConnection& connection, const std::string& modelName,
                     const std::string& brand, ModelRecord& model, bool& found, std::string* error);
    // Adds a profile; a brand and model name already present is a failure.
    static bool Add(const ClientConnection& connection, const ModelRecord& model, std::string* error);
};

} // namespace kor
