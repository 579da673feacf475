#pragma once

#include <QWidget>
#include <array>

class Form1;
class ElidedLabel;
class QStatusBar;

/// The editor window: every control of `Form1` as a widget named after the control and its index
/// ("WaveFile_3", "TRG1_17", "Check1_72", "Bt_SendMessage"), mirroring the model and passing the user's
/// input to it. The form scrolls when the window is smaller than it and stays centred in a larger one; the
/// status bar stays at the bottom.
class EditorView : public QWidget {
    Q_OBJECT

public:
    explicit EditorView(Form1& form, QWidget* parent = nullptr);

    QSize sizeHint() const override;

Q_SIGNALS:
    /// The form needs another size, as after a change of language: the window may fit itself to it.
    void contentResized();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkContentSize();

    QWidget* buildUploadRow(Form1& form, QWidget* parent);
    QStatusBar* buildStatusBar(Form1& form);

    QWidget* m_page = nullptr;
    QWidget* m_rule = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::array<ElidedLabel*, 4> m_panels{};  ///< status bar panels 1 to 3; entry 0 unused
    QSize m_contentSize;
    bool m_checkPending = false;
};
