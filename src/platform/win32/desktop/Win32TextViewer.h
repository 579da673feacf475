#pragma once

#include "platform/ITextViewer.h"

/// Opens a text file in the program the system associates with it, else in Notepad, without waiting.
class Win32TextViewer : public ITextViewer {
public:
    bool view(const std::string& path) override;
};
