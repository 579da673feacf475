// The serial ports of the system in the window's port menu: shown when it opens, chosen, connected to.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include "GuiFixture.h"
#include "editor/Form1.h"

class PortMenuViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openingTheMenu_showsThePortsAndAChoiceIsConnectedTo();
};

void PortMenuViewTest::openingTheMenu_showsThePortsAndAChoiceIsConnectedTo() {
    GuiFixture f;
    f.test.ports.ports = {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"}};
    auto* menu = f.find<QMenu>("Comport");
    QVERIFY(menu);
    Q_EMIT menu->aboutToShow();
    QAction* usb = f.find<QAction>("PortItem_1");
    QVERIFY(usb);
    QCOMPARE(usb->text().remove(QChar('&')), QString("/dev/ttyUSB0 - FT232R USB UART (FTDI)"));
    QVERIFY(usb->isVisible());
    QVERIFY(!usb->isChecked());
    QVERIFY(f.find<QAction>("Com1")->isChecked());

    usb->trigger();
    QVERIFY(usb->isChecked());
    QVERIFY(!f.find<QAction>("Com1")->isChecked());

    // Opened again after the adapter has gone: the choice stays in view, nothing else is listed twice.
    f.test.ports.ports.clear();
    Q_EMIT menu->aboutToShow();
    QAction* kept = f.find<QAction>("PortItem_1");
    QVERIFY(kept && kept->isChecked());
    QCOMPARE(kept->text().remove(QChar('&')), QString("/dev/ttyUSB0"));
    QVERIFY(!f.find<QAction>("PortItem_2"));

    f.form().imgNotConnected.click();
    QCOMPARE(f.test.serial.openedNames.back(), std::string("/dev/ttyUSB0"));
    QCOMPARE(f.find<QLabel>("sbrStatus_2")->text(), QString("RS232 PORT: /dev/ttyUSB0 / 115200,N,8,2"));
}

QTEST_MAIN(PortMenuViewTest)
#include "PortMenuViewTest.moc"
