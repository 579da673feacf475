#pragma once

#include "platform/IScreen.h"

/// The primary screen's resolution and the program-wide mouse pointer.
class QtScreen : public IScreen {
public:
    ~QtScreen() override;
    int logPixelsX() const override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return m_pointer; }

private:
    int m_pointer = vbDefault;
};
