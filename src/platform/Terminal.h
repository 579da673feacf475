#pragma once

/// Whether standard error is a terminal that shows a progress line drawn with escape codes (on Windows the
/// console's virtual-terminal mode is switched on for it). Each system's adapter defines it.
bool errorStreamIsTerminal();
