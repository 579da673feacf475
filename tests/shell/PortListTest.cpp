// The serial ports of the system in the port menu: listing, choosing, opening, remembering and showing them.
#include <gtest/gtest.h>

#include "editor/Editor.h"
#include "shell/SettingsBinding.h"
#include "unitlink/LinkFixture.h"

namespace {

struct PortList : LinkFixture {
    PortList() {
        form.Caption = "Editor";
        mdi.setCaption("Main");
        mdi.Com1.setChecked(true);
        test.ports.ports = {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI"}, {"/dev/ttyACM0", "", ""}};
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& item : mdi.PortItems)
            out.push_back(item->caption());
        return out;
    }
    std::vector<bool> marks() const {
        std::vector<bool> out{mdi.Com1.checked(), mdi.Com2.checked()};
        for (const auto& item : mdi.PortItems)
            out.push_back(item->checked());
        return out;
    }
    MenuItem& item(std::size_t n) { return *mdi.PortItems.at(n); }
    std::string ini() const { return test.folder.file("KVT3310.INI"); }
};

/// Connects `form` and checks that the port opened is `name` and that the status bar shows it.
void expectConnectsTo(Form1& form, const FakeSerialPort& serial, const std::string& name) {
    form.imgNotConnected.click();
    ASSERT_TRUE(serial.portOpen());
    EXPECT_EQ(serial.openedNames.back(), name);
    EXPECT_EQ(form.sbrStatus.panelText(2), "RS232 PORT: " + name + " / 115200,N,8,2");
}

/// The next run of the editor on the same machine: saved settings read back at its start.
struct Restarted {
    explicit Restarted(PortList& first) : editor{first.test.platform, app}, bench{first.test.platform, app, mdi, form} {
        EXPECT_TRUE(SettingsBinding(first.form, first.mdi, first.bench.link()).SaveIni(first.ini()));
        form.Form_Load();
        EXPECT_TRUE(SettingsBinding(form, mdi, bench.link()).OpenIni(first.ini()));
    }
    AppState app;
    MDIKVT3310 mdi;
    Editor editor;
    Form1& form = editor.form();
    Workbench bench;
};

TEST(PortList, openingTheSubmenu_listsEveryPortWithDescriptionAndMaker) {
    PortList p;
    int shown = 0;
    p.mdi.portItemsChanged.connect([&] { ++shown; });
    p.mdi.Comport.click();
    EXPECT_EQ(p.captions(), (std::vector<std::string>{"/dev/ttyUSB0 - FT232R USB UART (FTDI)", "/dev/ttyACM0"}));
    EXPECT_EQ(p.marks(), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(shown, 1);

    // An adapter plugged in since shows the next time the submenu opens.
    p.test.ports.ports.push_back({"/dev/ttyUSB1", "CP2102", "Silicon Labs"});
    p.mdi.Comport.click();
    EXPECT_EQ(p.captions().size(), 3u);
    EXPECT_EQ(p.captions().back(), "/dev/ttyUSB1 - CP2102 (Silicon Labs)");
    EXPECT_EQ(p.test.ports.calls, 2);
}

TEST(PortList, choosingAListedPort_marksItProbesItAndConnectsToIt) {
    PortList p;
    p.mdi.Comport.click();
    p.item(0).click();
    EXPECT_EQ(p.bench.link().settings.PortName, "/dev/ttyUSB0");
    EXPECT_EQ(p.marks(), (std::vector<bool>{false, false, true, false}));
    ASSERT_EQ(p.test.serial.openedNames, (std::vector<std::string>{"/dev/ttyUSB0"})) << "the probe";
    EXPECT_FALSE(p.test.serial.portOpen());

    expectConnectsTo(p.form, p.test.serial, "/dev/ttyUSB0");
}

TEST(PortList, choosingCom2AfterAListedPort_givesTheChoiceBackToTheNumber) {
    PortList p;
    p.mdi.Comport.click();
    p.item(1).click();
    p.mdi.Com2.click();
    EXPECT_EQ(p.bench.link().settings.PortName, "");
    EXPECT_EQ(p.bench.link().settings.Commport, 2);
    EXPECT_EQ(p.marks(), (std::vector<bool>{false, true, false, false}));
    expectConnectsTo(p.form, p.test.serial, "COM2");
}

TEST(PortList, choosingWhileConnected_closesThePortAndKeepsTheChoice) {
    PortList p;
    p.mdi.Comport.click();
    p.form.imgNotConnected.click();
    p.item(0).click();
    EXPECT_FALSE(p.test.serial.portOpen());
    ASSERT_EQ(p.test.msgBox.shown.size(), 1u);
    EXPECT_EQ(p.test.msgBox.shown[0].text, "Com port not connected!");
    EXPECT_EQ(p.test.msgBox.shown[0].title, "Main");
    EXPECT_EQ(p.bench.link().settings.PortName, "");
    EXPECT_EQ(p.marks(), (std::vector<bool>{true, false, false, false}));
}

TEST(PortList, aPortThatCannotBeOpened_isChosenAndTheStatusLineSaysWhy) {
    PortList p;
    p.mdi.Comport.click();
    p.test.serial.failOpen("/dev/ttyACM0: permission denied");
    p.item(1).click();
    EXPECT_EQ(p.bench.link().settings.PortName, "/dev/ttyACM0");
    EXPECT_NE(p.form.sbrStatus.panelText(1).find("/dev/ttyACM0: permission denied"), std::string::npos);
}

TEST(PortList, theChoice_isRememberedAcrossARestartBesideThePortNumber) {
    PortList p;
    p.mdi.Com2.click();
    p.mdi.Comport.click();
    p.item(0).click();
    Restarted next(p);
    const std::string text = p.test.fs.readFile(p.ini()).value();
    // Installations that do not know the extra key keep using the port number.
    EXPECT_NE(text.find("Commport=2\r\n"), std::string::npos);
    EXPECT_NE(text.find("PortName=/dev/ttyUSB0\r\n"), std::string::npos);

    EXPECT_EQ(next.bench.link().settings.PortName, "/dev/ttyUSB0");
    EXPECT_FALSE(next.mdi.Com1.checked());
    EXPECT_FALSE(next.mdi.Com2.checked());
    next.mdi.Comport.click();
    ASSERT_EQ(next.mdi.PortItems.size(), 2u);
    EXPECT_TRUE(next.mdi.PortItems[0]->checked());
    expectConnectsTo(next.form, p.test.serial, "/dev/ttyUSB0");
}

TEST(PortList, aChosenPortThatIsUnplugged_staysListedAndMarked) {
    PortList p;
    p.mdi.Comport.click();
    p.item(0).click();
    p.test.ports.ports.erase(p.test.ports.ports.begin());
    p.mdi.Comport.click();
    EXPECT_EQ(p.captions(), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB0"}));
    EXPECT_EQ(p.marks(), (std::vector<bool>{false, false, false, true}));
}

TEST(PortList, choosingCom1AfterAListedPort_isRememberedAsCom1) {
    PortList p;
    p.mdi.Comport.click();
    p.item(0).click();
    p.mdi.Com1.click();
    Restarted next(p);
    EXPECT_EQ(next.bench.link().settings.PortName, "");
    EXPECT_TRUE(next.mdi.Com1.checked());
}

}  // namespace
