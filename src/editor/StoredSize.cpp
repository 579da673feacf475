#include "editor/StoredSize.h"

namespace {

constexpr std::uint64_t kFrameBytes = 350;
constexpr std::uint64_t kCheckWordBytes = 2;

}  // namespace

std::int32_t storedSize(std::uint32_t fileLength) {
    std::uint64_t length = fileLength > kMaxFileLength ? kMaxFileLength : fileLength;
    std::uint64_t streamed = length + (length & 1u) + kCheckWordBytes;
    std::uint64_t frames = (streamed + kFrameBytes - 1) / kFrameBytes;
    return static_cast<std::int32_t>(frames * kFrameBytes);
}
