#pragma once

#include <QPixmap>
#include <QPointer>
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
    /// The dark band with the orange stripe on the left of both pictures, as a part of the picture's width.
    static constexpr double kBandPart = 0.24;

    /// The window the About role is centred on; the splash is centred on the screen.
    void setOwner(QWidget* owner) { m_owner = owner; }
    /// The width the band takes; no text lies left of it.
    int bandWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    void placeAndShow();
    const QPixmap& picture() const;
    void refreshLabel(int k);
    void watch(Control& control, std::function<void()> refresh);

    frmSplash& m_model;
    std::array<QLabel*, 10> m_labels{};
    QPushButton* m_close = nullptr;
    QPixmap m_image1, m_image2;
    QPointer<QWidget> m_owner;
    std::vector<std::pair<Control*, int>> m_connections;
};
