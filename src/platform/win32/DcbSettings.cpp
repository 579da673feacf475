#include "platform/win32/DcbSettings.h"

#include "platform/SerialSettings.h"

bool dcbFromSettings(const std::string& settings, DCB& dcb) {
    const auto s = SerialSettings::parse(settings);
    if (!s)
        return false;
    DCB d = dcb;
    d.DCBlength = sizeof(DCB);
    d.BaudRate = static_cast<DWORD>(s->baud);
    d.ByteSize = static_cast<BYTE>(s->dataBits);
    switch (s->parity) {
        case 'E':
            d.Parity = EVENPARITY;
            break;
        case 'O':
            d.Parity = ODDPARITY;
            break;
        case 'M':
            d.Parity = MARKPARITY;
            break;
        case 'S':
            d.Parity = SPACEPARITY;
            break;
        default:
            d.Parity = NOPARITY;
            break;
    }
    d.fParity = d.Parity != NOPARITY;
    switch (s->stopBits) {
        case SerialSettings::StopBits::One:
            d.StopBits = ONESTOPBIT;
            break;
        case SerialSettings::StopBits::OneAndHalf:
            d.StopBits = ONE5STOPBITS;
            break;
        case SerialSettings::StopBits::Two:
            d.StopBits = TWOSTOPBITS;
            break;
    }
    // Raw 8-bit bytes both ways: nothing is swallowed, replaced or held back by handshaking.
    d.fBinary = TRUE;
    d.fOutxCtsFlow = FALSE;
    d.fOutxDsrFlow = FALSE;
    d.fDtrControl = DTR_CONTROL_ENABLE;
    d.fDsrSensitivity = FALSE;
    d.fTXContinueOnXoff = TRUE;
    d.fOutX = FALSE;
    d.fInX = FALSE;
    d.fErrorChar = FALSE;
    d.fNull = FALSE;
    d.fRtsControl = RTS_CONTROL_ENABLE;
    d.fAbortOnError = FALSE;
    dcb = d;
    return true;
}
