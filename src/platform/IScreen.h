#pragma once

/// The screen: its resolution and the mouse pointer shown over the program.
class IScreen {
public:
    enum Pointer : int { vbDefault = 0, vbHourglass = 11 };

    virtual ~IScreen() = default;
    /// Dots per inch across the screen.
    virtual int logPixelsX() const = 0;
    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
};
