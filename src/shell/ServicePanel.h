#pragma once

#include <cstdint>

#include "unitlink/StatusEvent.h"

class EraseOperation;
class Form1;
class ILinkEvents;
class SerialLink;
class UploadImage;

/// The hidden service panel of the editor: six buttons that send single commands to the unit and show raw
/// results. Nothing in the program shows its controls; the commands are wired so that they can be driven. The
/// status line is reported to the link's events.
class ServicePanel {
public:
    ServicePanel(Form1& form, SerialLink& link, UploadImage& image, EraseOperation& erase, ILinkEvents& events);
    ~ServicePanel();
    ServicePanel(const ServicePanel&) = delete;
    ServicePanel& operator=(const ServicePanel&) = delete;

    /// "Send Status": "P", the message table read back and checked, the table area erased and both tables
    /// rewritten.
    void Command2_Click();
    /// "Read Status": both tables read back into the hidden fields and the editor's triggers.
    void Command3_Click();
    /// The reading of "Read Status" without its closing status text; false after "Reading data failed!".
    bool readTables();
    /// The trigger table read back into the editor's steps and zones, as `readTables` ends; false after
    /// "Reading data failed!". `TriggerTableBlank`: the unit's memory there was erased.
    bool readTriggerTable();
    bool TriggerTableBlank = false;
    /// "* Flash Check" at the `Text3` address.
    void Command4_Click();
    /// "* Show / Stop" at the `Text3` address.
    void Command5_Click();
    /// "* Erase" at the `Text3` address.
    void Command6_Click();
    /// "Clr Msg": empties every slot; nothing is sent.
    void Command7_Click();

    /// The word address typed in `Text3`, read as hexadecimal digits up to the first other character.
    std::int32_t typedAddress() const;

private:
    void setAddressPayload(std::int32_t address);
    void showMessageTable();
    void show(StatusEvent::Kind kind);

    Form1& m_form;
    SerialLink& m_link;
    UploadImage& m_image;
    EraseOperation& m_erase;
    ILinkEvents& m_events;
};
