// Port settings strings put into a Win32 DCB: speed, parity, data and stop bits, raw transfer without handshake.
#include <gtest/gtest.h>

#include "platform/win32/DcbSettings.h"

namespace {

DCB filledDcb() {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = 300;
    dcb.ByteSize = 6;
    dcb.Parity = MARKPARITY;
    dcb.StopBits = ONE5STOPBITS;
    // What a port may come with from another program: handshakes and byte replacement on.
    dcb.fOutxCtsFlow = TRUE;
    dcb.fOutxDsrFlow = TRUE;
    dcb.fOutX = TRUE;
    dcb.fInX = TRUE;
    dcb.fNull = TRUE;
    dcb.fErrorChar = TRUE;
    dcb.fAbortOnError = TRUE;
    dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    return dcb;
}

TEST(DcbSettings, unitDefault_115200NoParity8Data2Stop) {
    DCB dcb = filledDcb();
    ASSERT_TRUE(dcbFromSettings("115200,N,8,2", dcb));
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.fParity, 0u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.DCBlength, sizeof(DCB));
}

TEST(DcbSettings, anySettings_rawBytesWithoutHandshake) {
    DCB dcb = filledDcb();
    ASSERT_TRUE(dcbFromSettings("115200,N,8,2", dcb));
    EXPECT_EQ(dcb.fBinary, 1u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 0u);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.fNull, 0u);
    EXPECT_EQ(dcb.fErrorChar, 0u);
    EXPECT_EQ(dcb.fAbortOnError, 0u);
    EXPECT_EQ(dcb.fDsrSensitivity, 0u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
}

TEST(DcbSettings, otherParitiesSizesAndStops_mapped) {
    DCB dcb = filledDcb();
    ASSERT_TRUE(dcbFromSettings("9600,E,7,1", dcb));
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.Parity, EVENPARITY);
    EXPECT_EQ(dcb.fParity, 1u);
    EXPECT_EQ(dcb.ByteSize, 7);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);

    ASSERT_TRUE(dcbFromSettings("1200,o,5,1.5", dcb));
    EXPECT_EQ(dcb.Parity, ODDPARITY);
    EXPECT_EQ(dcb.ByteSize, 5);
    EXPECT_EQ(dcb.StopBits, ONE5STOPBITS);

    ASSERT_TRUE(dcbFromSettings("19200,M,8,1", dcb));
    EXPECT_EQ(dcb.Parity, MARKPARITY);
    ASSERT_TRUE(dcbFromSettings("19200,S,8,1", dcb));
    EXPECT_EQ(dcb.Parity, SPACEPARITY);
}

TEST(DcbSettings, malformedSettings_refusedAndDcbUntouched) {
    for (const char* bad :
         {"", "115200", "115200,N,8", "115200,N,8,2,1", "fast,N,8,2", "0,N,8,2", "-9600,N,8,2", "115200,X,8,2",
          "115200,NN,8,2", "115200,N,9,2", "115200,N,4,2", "115200,N,8,3", "115200,N,8,", "115200 ,N,8,2"}) {
        DCB dcb = filledDcb();
        EXPECT_FALSE(dcbFromSettings(bad, dcb)) << bad;
        EXPECT_EQ(dcb.BaudRate, 300u) << bad;
        EXPECT_EQ(dcb.ByteSize, 6) << bad;
        EXPECT_EQ(dcb.fOutX, 1u) << bad;
    }
}

}  // namespace
