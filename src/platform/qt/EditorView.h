#pragma once

#include <QWidget>
#include <array>

class Form1;
class QLabel;
class QStatusBar;

/// The editor window: every control of `Form1` as a widget named after the control and its index
/// ("WaveFile_3", "TRG1_17", "Check1_72", "Bt_SendMessage"), mirroring the model and passing the user's
/// input to it. The form scrolls when the window is smaller than it; the status bar stays at the bottom.
class EditorView : public QWidget {
public:
    explicit EditorView(Form1& form, QWidget* parent = nullptr);

    QSize sizeHint() const override;

private:
    QWidget* buildUploadRow(Form1& form, QWidget* parent);
    QStatusBar* buildStatusBar(Form1& form);

    QWidget* m_page = nullptr;
    QWidget* m_rule = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<QLabel*, 4> m_panels{};  ///< status bar panels 1 to 3; entry 0 unused
};
