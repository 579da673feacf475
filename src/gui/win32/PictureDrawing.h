#pragma once

#include <windows.h>

#include "gui/win32/ControlViews.h"

/// The editor's pictures drawn at any size: the connection indicator (a red plug apart, a green one joined) and
/// the loudspeaker shown while a sequence plays.
namespace PictureDrawing {

void draw(HDC dc, const RECT& area, ControlViews::Drawing drawing);

}  // namespace PictureDrawing
