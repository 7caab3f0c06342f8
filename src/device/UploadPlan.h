#pragma once

#include <cstddef>
#include <vector>

namespace kor {

// Sizes of the pieces a configuration of `length` bytes travels in: whole up to 4000 bytes,
// otherwise 3000-byte pieces and the rest. An empty file is one empty piece.
std::vector<std::size_t> UploadPieceSizes(std::size_t length);

} // namespace kor
