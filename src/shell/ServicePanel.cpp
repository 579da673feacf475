#include "shell/ServicePanel.h"

#include <initializer_list>
#include <string>

#include "editor/Form1.h"
#include "editor/Formats.h"
#include "unitlink/EraseOperation.h"
#include "unitlink/ILinkEvents.h"
#include "unitlink/SerialLink.h"
#include "unitlink/TableBlocks.h"
#include "unitlink/UploadImage.h"

namespace {

using Kind = StatusEvent::Kind;

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

ServicePanel::ServicePanel(Form1& form, SerialLink& link, UploadImage& image, EraseOperation& erase,
                           ILinkEvents& events)
    : m_form(form), m_link(link), m_image(image), m_erase(erase), m_events(events) {
    form.Command2.setCaption("Send Status");
    form.Command3.setCaption("Read Status");
    form.Command4.setCaption("* Flash Check");
    form.Command5.setCaption("* Show / Stop");
    form.Command6.setCaption("* Erase");
    form.Command7.setCaption("Clr Msg");
    form.Text3.setText("000000");
    for (Control* control : std::initializer_list<Control*>{
             &form.Command2, &form.Command3, &form.Command4, &form.Command5, &form.Command6, &form.Command7,
             &form.Text3, &form.Message, &form.LastAddress, &form.MsgNum, &form.txtDataOutPoint, &form.txtInputCheckSum,
             &form.txtAck, &form.txtOutputCheckSum, &form.txtDataInPoint, &form.Combo1})
        control->setVisible(false);
    form.Command2.Click = [this] { Command2_Click(); };
    form.Command3.Click = [this] { Command3_Click(); };
    form.Command4.Click = [this] { Command4_Click(); };
    form.Command5.Click = [this] { Command5_Click(); };
    form.Command6.Click = [this] { Command6_Click(); };
    form.Command7.Click = [this] { Command7_Click(); };
}

ServicePanel::~ServicePanel() {
    for (CommandButton* button :
         {&m_form.Command2, &m_form.Command3, &m_form.Command4, &m_form.Command5, &m_form.Command6, &m_form.Command7})
        button->Click = nullptr;
}

std::int32_t ServicePanel::typedAddress() const {
    std::uint32_t value = 0;
    for (char c : Formats::trimmed(m_form.Text3.text())) {
        int digit = hexDigit(c);
        if (digit < 0)
            break;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    // Only 24 bits travel; keeping to them keeps the value a valid address.
    return static_cast<std::int32_t>(value & 0xFFFFFF);
}

void ServicePanel::show(StatusEvent::Kind kind) {
    m_events.statusChanged({kind, {}});
}

void ServicePanel::setAddressPayload(std::int32_t address) {
    SerialLink& link = m_link;
    link.PayloadData[1] = static_cast<std::uint8_t>(address >> 16);
    link.PayloadData[2] = static_cast<std::uint8_t>(address >> 8);
    link.PayloadData[3] = static_cast<std::uint8_t>(address);
    link.PayloadLength = 3;
}

void ServicePanel::showMessageTable() {
    UploadImage& image = m_image;
    m_form.LastAddress.setText(std::to_string(image.EndAddress));
    m_form.MsgNum.setText(std::to_string(image.MsgNumber));
}

void ServicePanel::Command2_Click() {
    SerialLink& link = m_link;
    UploadImage& image = m_image;
    link.resetRing();
    if (!link.CommandDo(SerialLink::kUnit, 'P')) {
        show(Kind::UploadFailed);
        return;
    }
    TableBlocks::Block block;
    if (!image.readBlock(TableBlocks::kMsgTabAddress, block)) {
        show(Kind::UploadFailed);
        return;
    }
    if (TableBlocks::wordSum(block) != TableBlocks::kBlockSum) {
        show(Kind::ReadFailed);
        return;
    }
    image.takeMessageTable(block);
    image.setMessageSet(m_form.messageSet());
    showMessageTable();
    m_erase.EraseData(static_cast<std::int32_t>(TableBlocks::kTrgTabAddress));
    if (link.Status != SerialLink::kAck)
        return;
    show(image.rewriteTables() ? Kind::UploadDone : Kind::UploadFailed);
}

bool ServicePanel::readTables() {
    SerialLink& link = m_link;
    UploadImage& image = m_image;
    link.resetRing();
    TableBlocks::Block block;
    if (!image.readBlock(TableBlocks::kMsgTabAddress, block)) {
        show(Kind::ReadFailed);
        return false;
    }
    image.takeMessageTable(block);
    showMessageTable();
    return readTriggerTable();
}

bool ServicePanel::readTriggerTable() {
    TableBlocks::Block block;
    if (!m_image.readBlock(TableBlocks::kTrgTabAddress, block)) {
        show(Kind::ReadFailed);
        return false;
    }
    TriggerTableBlank = TableBlocks::blank(block);
    const TableBlocks::TriggerTable triggers = TableBlocks::decodeTriggerBlock(block);
    for (int s = 1; s <= Form1::kTriggers * Form1::kSteps; ++s)
        m_form.TRG1[s].setText(std::to_string(triggers.steps[s]));
    for (int z = 1; z <= Form1::kTriggers * Form1::kZones; ++z)
        m_form.Check1[z].setValue(triggers.zones[z] ? 1 : 0);
    return true;
}

void ServicePanel::Command3_Click() {
    if (readTables())
        show(Kind::UploadDone);
}

void ServicePanel::Command4_Click() {
    SerialLink& link = m_link;
    link.resetRing();
    setAddressPayload(typedAddress());
    if (!link.CommandDo(SerialLink::kUnit, 'C')) {
        show(Kind::CheckFailed);
        return;
    }
    show(link.awaitAck([this] { show(Kind::Checking); }) ? Kind::Checked : Kind::CheckFailed);
    if (!link.RS232ReadHex()) {
        show(Kind::CheckFailed);
        return;
    }
    const int high = link.Rs232DataByte;
    if (!link.RS232ReadHex()) {
        show(Kind::CheckFailed);
        return;
    }
    m_form.Message.setText(std::to_string(high * 256 + link.Rs232DataByte));
}

void ServicePanel::Command5_Click() {
    SerialLink& link = m_link;
    link.resetRing();
    setAddressPayload(typedAddress());
    link.CommandDo(SerialLink::kUnit, 'T');
}

void ServicePanel::Command6_Click() {
    SerialLink& link = m_link;
    link.resetRing();
    setAddressPayload(typedAddress());
    if (!link.CommandDo(SerialLink::kUnit, 'E')) {
        show(Kind::EraseFailed);
        return;
    }
    show(link.awaitAck([this] { show(Kind::Erasing); }) ? Kind::Erased : Kind::EraseFailed);
}

void ServicePanel::Command7_Click() {
    for (int i = 1; i <= Form1::kSlots; ++i)
        m_form.WaveFile[i].setText("");
    m_image.MsgAddress.fill(0);
    m_form.LastAddress.setText("");
    m_form.MsgNum.setText("");
}
