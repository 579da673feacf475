#include "platform/StatusBar.h"

#include <stdexcept>
#include <utility>

namespace {
void checkPanel(int panel) {
    if (panel < 1 || panel > StatusBar::kPanels) throw std::out_of_range("status bar panel");
}
}  // namespace

StatusBar::StatusBar() = default;

const std::string& StatusBar::panelText(int panel) const {
    checkPanel(panel);
    return m_panels[panel].text;
}

void StatusBar::setPanelText(int panel, std::string text) {
    checkPanel(panel);
    if (m_panels[panel].text == text) return;
    m_panels[panel].text = std::move(text);
    notify();
}

const std::string& StatusBar::panelKey(int panel) const {
    checkPanel(panel);
    return m_panels[panel].key;
}

void StatusBar::setPanelKey(int panel, std::string key) {
    checkPanel(panel);
    m_panels[panel].key = std::move(key);
    notify();
}
