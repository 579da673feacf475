#include "gui/qt/MainWindowView.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "gui/qt/ControlBinding.h"
#include "gui/qt/EditorView.h"
#include "gui/qt/MenuMnemonics.h"
#include "shell/MDIKVT3310.h"

MainWindowView::MainWindowView(MDIKVT3310& mdi, QWidget* parent) : QMainWindow(parent), m_mdi(mdi) {
    setObjectName("MDIKVT3310");
    m_area = new QMdiArea(this);
    m_area->setObjectName("MDIKVT3310_area");
    setCentralWidget(m_area);

    QMenu* file = addMenu(menuBar(), mdi.File, "File");
    addCommand(file, mdi.Open, "Open", false)->setShortcut(QKeySequence::Open);
    addCommand(file, mdi.Save, "Save", false)->setShortcut(QKeySequence::Save);
    addCommand(file, mdi.Save_as, "Save_as", false);
    addCommand(file, mdi.Save_as_text_file, "Save_as_text_file", false);
    addCommand(file, mdi.Save_as_with_its_files, "Save_as_with_its_files", false);
    addCommand(file, mdi.Read_from_unit, "Read_from_unit", false);
    addCommand(file, mdi.Exit, "Exit", false);

    QMenu* setup = addMenu(menuBar(), mdi.Setup, "Setup");
    QMenu* comport = addMenu(setup, mdi.Comport, "Comport");
    addCommand(comport, mdi.Com1, "Com1", true);
    addCommand(comport, mdi.Com2, "Com2", true);
    m_portSeparator = comport->addSeparator();
    m_portSeparator->setObjectName("Comport_separator");
    m_comport = comport;
    // Opening the submenu looks at the system's ports again, so an adapter plugged in since shows.
    QObject::connect(comport, &QMenu::aboutToShow, comport, [&mdi] { mdi.Comport.click(); });
    mdi.portItemsChanged.connect([self = QPointer<MainWindowView>(this)] {
        if (self)
            self->showPortItems();
    });
    showPortItems();
    QMenu* language = addMenu(setup, mdi.Language, "Language");
    for (int i = 0; i < MDIKVT3310::kLanguages; ++i)
        addCommand(language, mdi.LngSel[i], QString("LngSel_%1").arg(i), true);
    addCommand(language, mdi.other, "other", true);
    addCommand(setup, mdi.Trace, "Trace", true);

    QMenu* help = addMenu(menuBar(), mdi.Help, "Help");
    addCommand(help, mdi.Instructions_for_use, "Instructions_for_use", false);
    addCommand(help, mdi.Contacts, "Contacts", false);
    addCommand(help, mdi.About_Tavro_message_manager, "About_Tavro_message_manager", false);

    ControlBinding::follow(this, mdi, [](MainWindowView* w, const MDIKVT3310& m) {
        w->setWindowTitle(ControlBinding::toQt(m.caption()));
        // The upload disables the whole window, menus included, while it runs.
        w->setEnabled(m.enabled());
    });

    // The Exit command closes through the model; once it has gone ahead the window follows.
    QPointer<MainWindowView> self(this);
    auto previous = std::move(mdi.Unload);
    mdi.Unload = [self, previous] {
        if (previous)
            previous();
        if (self)
            self->takeDown();
    };
}

QMenu* MainWindowView::addMenu(QWidget* parent, MenuItem& item, const QString& name) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + "_menu");
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) {
        bar->addMenu(menu);
    } else {
        static_cast<QMenu*>(parent)->addMenu(menu);
    }
    ControlBinding::follow(menu, item, [parent](QMenu* w, const MenuItem& m) {
        MenuMnemonics::setCaption(w->menuAction(), parent, ControlBinding::toQt(m.caption()));
        w->menuAction()->setEnabled(m.enabled());
        w->menuAction()->setVisible(m.visible());
    });
    return menu;
}

QAction* MainWindowView::addCommand(QMenu* menu, MenuItem& item, const QString& name, bool checkItem) {
    auto* action = menu->addAction(QString());
    action->setObjectName(name);
    auto refresh = [checkItem, menu](QAction* w, const MenuItem& m) {
        MenuMnemonics::setCaption(w, menu, ControlBinding::toQt(m.caption()));
        w->setEnabled(m.enabled());
        w->setVisible(m.visible());
        w->setCheckable(checkItem || m.checked());
        w->setChecked(m.checked());
    };
    ControlBinding::follow(action, item, refresh);
    QPointer<QAction> guard(action);
    QObject::connect(action, &QAction::triggered, action, [guard, &item, refresh] {
        item.click();
        // Qt has toggled the mark itself; the model decides what it shows.
        if (guard)
            refresh(guard.data(), item);
    });
    return action;
}

void MainWindowView::showPortItems() {
    if (!m_comport)
        return;
    // Replaced only as the submenu opens, never from an item's own handler, so the items can go at once.
    qDeleteAll(m_portActions);
    m_portActions.clear();
    for (std::size_t i = 0; i < m_mdi.PortItems.size(); ++i)
        m_portActions << addCommand(m_comport, *m_mdi.PortItems[i], QString("PortItem_%1").arg(i + 1), true);
    // A separator with nothing below it would look like a fault.
    m_portSeparator->setVisible(!m_portActions.isEmpty());
}

QMdiSubWindow* MainWindowView::addEditor(QWidget* editor) {
    QMdiSubWindow* child = m_area->addSubWindow(editor, Qt::FramelessWindowHint);
    child->setObjectName("Form1_window");
    child->showMaximized();
    m_editor = editor;
    if (auto* view = qobject_cast<EditorView*>(editor))
        connect(view, &EditorView::contentResized, this, &MainWindowView::fitToContent);
    fitToContent();
    return child;
}

void MainWindowView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window system places the window before its frame is known: once it is, the whole window is brought
    // onto the screen.
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(kFramedDelayMs, this, &MainWindowView::fitToContent);
    }
}

void MainWindowView::fitToContent() {
    if (isMaximized() || isFullScreen())
        return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(sizeHint());
        return;
    }
    const QRect available = screen->availableGeometry();
    // Before the window is first shown its frame is unknown: room is left for a usual title bar and border.
    QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
    if (!isVisible() || frame.isNull())
        frame = QMargins(kFrameGuess, kTitleGuess, kFrameGuess, kFrameGuess);
    const QSize room = available.size().shrunkBy(frame);
    // At a fractional scaling the window system may round the size down by a pixel, which would cost the
    // form a scroll bar: a little slack keeps it whole.
    const QSize size = (sizeHint() + QSize(kSlack, kSlack)).boundedTo(room);
    resize(size);

    // The whole window stays on the screen, moved no further than needed.
    QRect outer(pos(), size.grownBy(frame));
    outer.moveRight(std::min(outer.right(), available.right()));
    outer.moveBottom(std::min(outer.bottom(), available.bottom()));
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    if (outer.topLeft() != pos())
        move(outer.topLeft());
}

QSize MainWindowView::sizeHint() const {
    if (!m_editor)
        return QMainWindow::sizeHint();
    return m_editor->sizeHint() + QSize(0, menuBar()->sizeHint().height());
}

void MainWindowView::takeDown() {
    m_closeApproved = true;
    close();
}

void MainWindowView::showNormalAndRaise() {
    showNormal();
    raise();
    activateWindow();
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // A close that the model already let go ahead, or one asked for while the model decides (its Unload
    // closing the window), goes through without asking again.
    if (m_closeApproved || m_asking) {
        m_closeApproved = true;
        event->accept();
        return;
    }
    m_asking = true;
    const bool goAhead = m_mdi.requestClose();
    m_asking = false;
    if (goAhead) {
        m_closeApproved = true;
        event->accept();
    } else {
        event->ignore();
    }
}
