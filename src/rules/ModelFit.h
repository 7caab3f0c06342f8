#pragma once

#include "config/ConfigDocument.h"
#include "outside/companion/ModelRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kor {

// What a configuration uses that a camera's model does not offer, one plain English sentence each,
// in document order: action types the rule list would not offer for the model, a call the model
// can only place through a PC, outputs or detector sources without an input/output loop, and an
// image source beyond the model's channels. Empty when the camera can take the configuration.
std::vector<std::string> ModelMisfits(const ConfigDocument& doc, const ModelRecord& model,
                                      std::uint8_t channel);

} // namespace kor
