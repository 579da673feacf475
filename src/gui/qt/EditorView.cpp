#include "gui/qt/EditorView.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/Form1.h"
#include "gui/qt/ControlBinding.h"
#include "gui/qt/ElidedLabel.h"
#include "gui/qt/FormMetrics.h"
#include "gui/qt/MessageGroupView.h"
#include "gui/qt/PictureLabel.h"
#include "gui/qt/TriggerGroupView.h"

// The pictures live in the Qt library, which the linker would otherwise leave out of the program.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr int kIconSize = 32;
constexpr int kSpacing = 8;

PictureLabel* picture(Picture& model, const QString& name, const QString& resource, QWidget* parent) {
    auto* label = new PictureLabel(model, parent);
    label->setObjectName(name);
    label->setPixmap(QPixmap(resource));
    label->setFixedSize(kIconSize, kIconSize);
    label->setScaledContents(true);
    ControlBinding::bind(label, model);
    return label;
}

/// The upload disables the whole window while it runs; what it reports meanwhile must stay readable, so
/// the widget looks the same disabled as enabled.
void readableWhenDisabled(QWidget* widget) {
    QPalette palette = widget->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::Highlight, QPalette::HighlightedText,
                      QPalette::Base, QPalette::Window, QPalette::Button, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    widget->setPalette(palette);
}

}  // namespace

EditorView::EditorView(Form1& form, QWidget* parent) : QWidget(parent) {
    initResources();
    setObjectName("Form1");

    auto* page = new QWidget;
    page->setObjectName("Form1_page");
    const int rowHeight = FormMetrics::rowHeight(page);

    auto* groups = new QHBoxLayout;
    groups->setSpacing(kSpacing);
    groups->addWidget(new MessageGroupView(form, rowHeight, page));
    groups->addWidget(new TriggerGroupView(form, rowHeight, page));

    auto* content = new QVBoxLayout;
    content->setSpacing(kSpacing);
    content->addLayout(groups);
    content->addWidget(buildUploadRow(form, page));

    // A larger window keeps the form together in its middle rather than spreading or stranding it.
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(content);
    centred->addStretch(1);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
    pageLayout->addStretch(1);
    pageLayout->addLayout(centred);
    pageLayout->addStretch(1);

    // Hidden labels the main window reads its prompts from; they mirror the model but never show.
    for (int i = 0; i < 2; ++i) {
        auto* info = new QLabel(page);
        info->setObjectName(QString("MDI_MsgInfo_%1").arg(i));
        ControlBinding::bind(info, form.MDI_MsgInfo[i]);
    }

    auto* scroll = new QScrollArea;
    scroll->setObjectName("Form1_scroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    auto* rule = new QFrame(this);
    m_rule = rule;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    layout->addWidget(buildStatusBar(form));

    m_page = page;
    m_statusBar = findChild<QStatusBar*>("sbrStatus");
    page->installEventFilter(this);
}

bool EditorView::eventFilter(QObject* watched, QEvent* event) {
    // A change of language changes many captions one after another; the size is looked at once they are done.
    if (watched == m_page && event->type() == QEvent::LayoutRequest && !m_checkPending) {
        m_checkPending = true;
        QTimer::singleShot(0, this, [this] { checkContentSize(); });
    }
    return QWidget::eventFilter(watched, event);
}

void EditorView::checkContentSize() {
    m_checkPending = false;
    const QSize size = sizeHint();
    if (size == m_contentSize)
        return;
    m_contentSize = size;
    updateGeometry();
    Q_EMIT contentResized();
}

QSize EditorView::sizeHint() const {
    // The whole form without scrolling, the status bar beneath it.
    const QSize content = m_page->sizeHint();
    return {content.width(), content.height() + m_rule->sizeHint().height() + m_statusBar->sizeHint().height()};
}

QWidget* EditorView::buildUploadRow(Form1& form, QWidget* parent) {
    auto* row = new QWidget(parent);
    row->setObjectName("Form1_upload");
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(FormMetrics::kColumnSpacing);

    // The two indicator pictures share one place; the model shows one of them at a time.
    layout->addWidget(picture(form.imgNotConnected, "imgNotConnected", ":/resources/not-connected.png", row));
    layout->addWidget(picture(form.imgConnected, "imgConnected", ":/resources/connected.png", row));
    // Connecting is a click on the indicator, so the keyboard reaches it too.
    for (auto* indicator : {row->findChild<QWidget*>("imgNotConnected"), row->findChild<QWidget*>("imgConnected")}) {
        indicator->setCursor(Qt::PointingHandCursor);
        indicator->setFocusPolicy(Qt::StrongFocus);
    }

    auto* send = new QPushButton(row);
    send->setObjectName("Bt_SendMessage");
    ControlBinding::bind(send, form.Bt_SendMessage);
    layout->addWidget(send);

    layout->addWidget(picture(form.Picture1, "Picture1", ":/resources/playing.png", row));
    layout->addStretch(1);

    auto* progress = new QProgressBar(row);
    progress->setObjectName("ProgressBar1");
    progress->setTextVisible(false);
    progress->setMinimumWidth(FormMetrics::textWidth(progress, QString(30, '0')));
    readableWhenDisabled(progress);
    ControlBinding::bind(progress, form.ProgressBar1);
    layout->addWidget(progress);

    auto* percentage = new QLabel(row);
    percentage->setObjectName("Lb_Percentage");
    percentage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    readableWhenDisabled(percentage);
    ControlBinding::bind(percentage, form.Lb_Percentage);
    layout->addWidget(percentage);
    return row;
}

QStatusBar* EditorView::buildStatusBar(Form1& form) {
    auto* bar = new QStatusBar(this);
    bar->setObjectName("sbrStatus");
    bar->setSizeGripEnabled(false);
    for (int p = 1; p <= StatusBar::kPanels; ++p) {
        auto* panel = new ElidedLabel(bar);
        panel->setObjectName(QString("sbrStatus_%1").arg(p));
        panel->setContentsMargins(4, 0, 4, 0);
        readableWhenDisabled(panel);
        m_panels[p] = panel;
    }
    // However long a text (a port's reason, a long port name), the panels keep the form's width: the text
    // is cut with "…" and shown whole as the tooltip.
    const int portWidth = FormMetrics::textWidth(m_panels[2], "RS232 PORT: COM2 115200,N,8,2");
    m_panels[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_panels[2]->setMinimumWidth(portWidth);
    m_panels[2]->setWidest(portWidth * 3 / 2);
    m_panels[3]->setMinimumWidth(FormMetrics::textWidth(m_panels[3], "00:00:00"));
    bar->addWidget(m_panels[1], 1);
    bar->addPermanentWidget(m_panels[2]);
    bar->addPermanentWidget(m_panels[3]);

    const std::array<ElidedLabel*, 4> panels = m_panels;
    ControlBinding::follow(bar, form.sbrStatus, [panels](QStatusBar* w, const StatusBar& m) {
        ControlBinding::mirrorCommon(w, m);
        for (int p = 1; p <= StatusBar::kPanels; ++p)
            panels[p]->setWholeText(ControlBinding::toQt(m.panelText(p)));
    });
    return bar;
}
