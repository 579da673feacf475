#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class Control;
class QLabel;
class QPushButton;
class frmSplash;

/// The splash and About window: the labels of `frmSplash` in their design fonts over the picture in front,
/// and the OK button of the About role. Every language shows in its own letters, whatever character set the
/// model gives a label, as the text is Unicode throughout. A key or a click goes to the model.
class SplashView : public QWidget {
    Q_OBJECT

public:
    explicit SplashView(frmSplash& model, QWidget* parent = nullptr);
    ~SplashView() override;

    /// The design width of the window at 96 dots per inch, in pixels.
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 360;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    void refreshLabel(int k);
    void watch(Control& control, std::function<void()> refresh);

    frmSplash& m_model;
    std::array<QLabel*, 10> m_labels{};
    QPushButton* m_close = nullptr;
    QPixmap m_image1, m_image2;
    std::vector<std::pair<Control*, int>> m_connections;
};
