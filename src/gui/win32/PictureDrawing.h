#pragma once

#include <windows.h>

/// The editor's pictures drawn at any size: the connection indicator (a red plug apart, a green one joined) and
/// the loudspeaker shown while a sequence plays.
namespace PictureDrawing {

enum class Kind { notConnected, connected, playing };

void draw(HDC dc, const RECT& area, Kind kind);

}  // namespace PictureDrawing
