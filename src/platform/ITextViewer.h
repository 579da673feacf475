#pragma once

#include <string>

/// The desktop's plain text editor, started on a file without waiting for it.
class ITextViewer {
public:
    virtual ~ITextViewer() = default;
    virtual bool view(const std::string& path) = 0;
};
