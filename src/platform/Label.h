#pragma once

#include <string>

#include "platform/Control.h"

/// A caption shown on a window (also used for frames and the read-only value fields of the editor).
class Label : public Control {
public:
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

private:
    std::string m_caption;
};
