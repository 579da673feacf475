#include "gui/qt/SplashView.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "shell/frmSplash.h"

namespace {

/// Room between the band and the texts, and on the other sides.
constexpr int kGap = 16;
constexpr int kRepaintMs = 100;

const Qt::WindowFlags kSplashFlags = Qt::Window | Qt::FramelessWindowHint;
const Qt::WindowFlags kAboutFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

}  // namespace

SplashView::SplashView(frmSplash& model, QWidget* parent) : QWidget(parent, kSplashFlags), m_model(model) {
    // The pictures live in the resources of a static library, which must be registered by name.
    Q_INIT_RESOURCE(resources);
    m_image1.load(":/resources/splash96.jpg");
    m_image2.load(":/resources/splash120.jpg");
    setObjectName("frmSplash");
    setWindowTitle("KVT3310");
    setFocusPolicy(Qt::StrongFocus);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(bandWidth() + kGap, 18, 20, 14);
    column->setSpacing(2);
    for (int k = 0; k < frmSplash::kLabels; ++k) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("Lb_Logo_%1").arg(k));
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_labels[static_cast<std::size_t>(k)] = label;
        column->addWidget(label);
        // The title lines stand apart from the notices below them.
        if (k == 0)
            column->addSpacing(12);
        if (k == 3)
            column->addSpacing(24);
    }
    column->addStretch(1);
    m_close = new QPushButton(this);
    m_close->setObjectName("Bt_Close");
    m_close->setMinimumWidth(80);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    column->addLayout(buttons);
    setLayout(column);
    connect(m_close, &QPushButton::clicked, this, [this] { m_model.Bt_Close.click(); });

    for (int k = 0; k < frmSplash::kLabels; ++k)
        watch(m_model.Lb_Logo[static_cast<std::size_t>(k)], [this, k] { refreshLabel(k); });
    watch(m_model.Bt_Close, [this] { refresh(); });
    watch(m_model, [this] { refresh(); });
    for (int k = 0; k < frmSplash::kLabels; ++k)
        refreshLabel(k);
    refresh();
}

SplashView::~SplashView() {
    for (auto [control, id] : m_connections)
        control->changed().disconnect(id);
}

void SplashView::watch(Control& control, std::function<void()> refresh) {
    m_connections.emplace_back(&control, control.changed().connect(std::move(refresh)));
}

void SplashView::refreshLabel(int k) {
    const Label& model = m_model.Lb_Logo[static_cast<std::size_t>(k)];
    QLabel* label = m_labels[static_cast<std::size_t>(k)];
    label->setText(QString::fromStdString(model.caption()));
    QFont font("Arial");
    const double points = model.fontSize() > 0 ? model.fontSize() : frmSplash::kLogoPoints[static_cast<std::size_t>(k)];
    font.setPointSizeF(points);
    font.setBold(frmSplash::kLogoBold[static_cast<std::size_t>(k)]);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, k == 0 ? QColor(12, 42, 78) : QColor(20, 30, 40));
    label->setPalette(palette);
    label->setVisible(model.visible() && !model.caption().empty());
}

const QPixmap& SplashView::picture() const {
    return &m_model.topImage() == &m_model.Image1 ? m_image1 : m_image2;
}

int SplashView::bandWidth() const {
    const QPixmap& image = picture();
    const double width = image.isNull() ? kWidth : image.deviceIndependentSize().width();
    return static_cast<int>(std::ceil(kBandPart * width));
}

void SplashView::refresh() {
    m_close->setText(QString::fromStdString(m_model.Bt_Close.caption()));
    m_close->setVisible(m_model.Bt_Close.visible());
    m_close->setEnabled(m_model.Bt_Close.enabled());
    if (m_model.aboutRole())
        setWindowTitle(QString::fromStdString(m_model.Caption));
    QMargins margins = layout()->contentsMargins();
    if (margins.left() != bandWidth() + kGap) {
        margins.setLeft(bandWidth() + kGap);
        layout()->setContentsMargins(margins);
    }
    // The window takes the size of its picture, growing where the language's texts need more room.
    QSize size = picture().isNull() ? QSize(kWidth, kHeight) : picture().deviceIndependentSize().toSize();
    setMinimumSize(size.expandedTo(layout()->minimumSize()));
    update();
    if (m_model.visible() && !isVisible()) {
        placeAndShow();
    } else if (!m_model.visible() && isVisible()) {
        hide();
    }
    if (m_model.Bt_Close.visible() && isVisible())
        m_close->setFocus();
}

void SplashView::placeAndShow() {
    // The splash has no frame; the About window has one, so that it can be moved, and stands over the
    // main window it was asked from.
    const bool about = m_model.aboutRole();
    const Qt::WindowFlags flags = about ? kAboutFlags : kSplashFlags;
    if (windowFlags() != flags)
        setWindowFlags(flags);
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    const QWidget* owner = about && m_owner && m_owner->isVisible() ? m_owner.data() : nullptr;
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    QRect area = owner ? owner->frameGeometry() : (screen ? screen->availableGeometry() : QRect());
    QRect frame = frameGeometry();
    if (area.isValid()) {
        frame.moveCenter(area.center());
        // Kept on the screen, title bar first.
        if (screen) {
            const QRect available = screen->availableGeometry();
            frame.moveRight(std::min(frame.right(), available.right()));
            frame.moveBottom(std::min(frame.bottom(), available.bottom()));
            frame.moveLeft(std::max(frame.left(), available.left()));
            frame.moveTop(std::max(frame.top(), available.top()));
        }
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    // A window given a frame after it served without one can miss its first expose on some window
    // managers and stay black: it is painted once more when it has settled.
    QTimer::singleShot(kRepaintMs, this, [this] {
        if (isVisible())
            repaint();
    });
}

void SplashView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& image = picture();
    if (image.isNull()) {
        painter.fillRect(rect(), QColor(240, 244, 250));
        return;
    }
    // The band keeps the picture's own size, so that the texts beside it never reach it; a window that the
    // language makes taller continues the band with its last row. Only the light part stretches.
    const int band = bandWidth();
    const int bandHeight = static_cast<int>(image.deviceIndependentSize().height());
    const int sourceBand = static_cast<int>(std::ceil(kBandPart * image.width()));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(0, 0, band, bandHeight), image, QRect(0, 0, sourceBand, image.height()));
    if (height() > bandHeight)
        painter.drawPixmap(QRect(0, bandHeight, band, height() - bandHeight), image,
                           QRect(0, image.height() - 1, sourceBand, 1));
    painter.drawPixmap(QRect(band, 0, width() - band, height()), image,
                       QRect(sourceBand, 0, image.width() - sourceBand, image.height()));
}

void SplashView::keyPressEvent(QKeyEvent* event) {
    event->accept();
    m_model.Form_KeyPress();
}

void SplashView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    m_model.Form_Click();
}

void SplashView::closeEvent(QCloseEvent* event) {
    // The window manager's close ends the window as its own ways do: the model decides what follows.
    if (m_model.visible()) {
        event->ignore();
        m_model.Form_KeyPress();
        return;
    }
    event->accept();
}
