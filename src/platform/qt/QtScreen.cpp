#include "platform/qt/QtScreen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

QtScreen::~QtScreen() {
    if (QGuiApplication::instance())
        setMousePointer(vbDefault);
}

int QtScreen::logPixelsX() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 96;
}

void QtScreen::setMousePointer(int pointer) {
    // Override cursors stack in Qt; only one of ours is ever on the stack.
    const bool busy = pointer == vbHourglass;
    const bool wasBusy = m_pointer == vbHourglass;
    m_pointer = pointer;
    if (busy && !wasBusy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    if (!busy && wasBusy)
        QGuiApplication::restoreOverrideCursor();
}
