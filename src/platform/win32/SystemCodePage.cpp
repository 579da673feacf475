#include "platform/SystemCodePage.h"

#include <windows.h>

std::optional<int> systemCodePage() {
    return static_cast<int>(GetACP());
}
