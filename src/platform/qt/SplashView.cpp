#include "platform/qt/SplashView.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "shell/frmSplash.h"

namespace {

/// Left of the labels lies the picture's band with the speaker and the wordmark.
constexpr int kBandWidth = 160;

}  // namespace

SplashView::SplashView(frmSplash& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_model(model) {
    // The pictures live in the resources of a static library, which must be registered by name.
    Q_INIT_RESOURCE(resources);
    m_image1.load(":/resources/splash96.jpg");
    m_image2.load(":/resources/splash120.jpg");
    setObjectName("frmSplash");
    setWindowTitle("KVT3310");
    setFocusPolicy(Qt::StrongFocus);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(kBandWidth, 18, 20, 14);
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

void SplashView::refresh() {
    m_close->setText(QString::fromStdString(m_model.Bt_Close.caption()));
    m_close->setVisible(m_model.Bt_Close.visible());
    m_close->setEnabled(m_model.Bt_Close.enabled());
    const QPixmap& picture = &m_model.topImage() == &m_model.Image1 ? m_image1 : m_image2;
    // The window takes the size of its picture, growing where the language's texts need more room.
    QSize size = picture.isNull() ? QSize(kWidth, kHeight) : picture.deviceIndependentSize().toSize();
    setMinimumSize(size.expandedTo(layout()->minimumSize()));
    update();
    if (m_model.visible() && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!m_model.visible() && isVisible()) {
        hide();
    }
    if (m_model.Bt_Close.visible() && isVisible())
        m_close->setFocus();
}

void SplashView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& picture = &m_model.topImage() == &m_model.Image1 ? m_image1 : m_image2;
    if (picture.isNull())
        painter.fillRect(rect(), QColor(240, 244, 250));
    else
        painter.drawPixmap(rect(), picture);
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
