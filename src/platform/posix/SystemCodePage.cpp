#include "platform/SystemCodePage.h"

// These systems keep their text in UTF-8 and have no 8-bit code page of their own.
std::optional<int> systemCodePage() {
    return std::nullopt;
}
