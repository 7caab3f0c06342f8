#include "device/UploadPlan.h"

namespace kor {

std::vector<std::size_t> UploadPieceSizes(std::size_t length)
{
    constexpr std::size_t kPiece = 3000;
    constexpr std::size_t kWhole = 4000;
    std::vector<std::size_t> sizes;
    if (length <= kWhole) {
        sizes.push_back(length);
        return sizes;
    }
    std::size_t remaining = length;
    while (remaining > 0) {
        const std::size_t piece = remaining >= kPiece ? kPiece : remaining;
        sizes.push_back(piece);
        remaining -= piece;
    }
    return sizes;
}

} // namespace kor
