#pragma once

#include <optional>

/// The code page the system itself uses for 8-bit text, where it has one (Windows' ANSI code page); other
/// systems have none, and the program's files then follow the active language. Each system's adapter
/// defines it.
std::optional<int> systemCodePage();
