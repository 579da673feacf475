#include "settings/SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "editor/Form1.h"
#include "settings/AppState.h"
#include "settings/IniProcedures.h"
#include "shell/MDIKVT3310.h"
#include "unitlink/SerialLink.h"

namespace {

const char* const kCom = "Com settings";
const char* const kComRead = "Com Settings";
const char* const kPaths = "File paths";
const char* const kTrace = "Trace";

std::string trimmed(const std::string& text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

/// A whole decimal number, possibly with decimals (rounded half to even, as the conversion to an integer
/// does); nothing for any other text.
std::optional<double> number(const std::string& text) {
    std::string t = trimmed(text);
    if (t.empty())
        return std::nullopt;
    std::size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(t[i]))) {
            digits = true;
        } else if (t[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return std::strtod(t.c_str(), nullptr);
}

}  // namespace

std::optional<std::int16_t> SettingsFile::toInt16(const std::optional<std::string>& value) {
    if (!value)
        return 0;
    auto n = number(*value);
    if (!n)
        return std::nullopt;
    double rounded = std::nearbyint(*n);  // the default rounding mode rounds halves to even
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<bool> SettingsFile::toBool(const std::optional<std::string>& value) {
    if (!value)
        return false;
    std::string t = trimmed(*value);
    std::string lower;
    for (char c : t)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    auto n = number(t);
    if (!n)
        return std::nullopt;
    return *n != 0;
}

void SettingsFile::fail(const std::string& detail) {
    m_form.platform().msgBox.Beep();
    m_form.platform().msgBox.MsgBox(m_form.MsgText[8] + detail, IMessageBox::vbQuestion | IMessageBox::vbOKOnly,
                                    m_form.Caption);
}

bool SettingsFile::SaveIni(const std::string& file) {
    IniProcedures ini(m_form.platform().fs, m_form.platform().codec);
    AppState& app = m_form.app();
    // All entries go in one replacement of the file, in the order the entries are kept.
    auto profile = ini.load(file);
    if (!profile) {
        fail("\n\n" + file);
        return false;
    }
    // A value the code page cannot hold (a folder with letters it lacks) would read back as another folder:
    // the save fails and the file stays as it was.
    std::optional<std::string> unwritable;
    auto put = [&](const char* section, const char* key, const std::string& value) {
        if (!unwritable && !ini.set(*profile, section, key, value))
            unwritable = value;
    };
    auto boolean = [](bool b) { return std::string(b ? "True" : "False"); };
    put(kCom, "CommTimeOut", std::to_string(m_form.CommTimeOut));
    put(kCom, "Commport", std::to_string(m_form.Commport));
    put(kCom, "BaudRate", m_form.Bret);
    put(kCom, "Parity", m_form.Pchk);
    put(kCom, "Databits", m_form.Dbit);
    put(kCom, "Stopbits", m_form.Sbit);
    put(kPaths, "strLNGFilePath", app.strLNGFilePath);
    put(kPaths, "stroLNGFilePath", app.stroLNGFilePath);
    put(kPaths, "stroLNGFilePathType", boolean(app.stroLNGFilePathType));
    put(kPaths, "strMSGFilePath", app.strMSGFilePath);
    put(kPaths, "MessageFile", m_form.MessageFile);
    put(kPaths, "strWAVFilePath", app.strWAVFilePath);
    // A port chosen from the system's list; other installations ignore the key and use "Commport".
    put(kCom, "PortName", m_form.PortName);
    // Where ports are device files, which device each port number is; other installations ignore the keys.
    if (m_form.platform().serial.portsAreDeviceFiles()) {
        put(kCom, "Com1Device", m_form.Com1Device);
        put(kCom, "Com2Device", m_form.Com2Device);
    }
    if (unwritable) {
        fail("\n" + *unwritable);
        return false;
    }
    // The protocol trace for support; written, so that it can be found and switched on in the file.
    put(kTrace, "Trace", boolean(m_form.link().trace().enabled()));
    put(kTrace, "TraceSizeLimitKB", std::to_string(m_form.link().trace().limit() / 1024));
    // Settings that silently fail to be kept would come back as before at the next start: the user is told
    // which file could not be written (a read-only folder, a full disk).
    if (!ini.store(file, *profile)) {
        fail("\n\n" + file);
        return false;
    }
    return true;
}

bool SettingsFile::OpenIni(const std::string& file) {
    IniProcedures ini(m_form.platform().fs, m_form.platform().codec);
    AppState& app = m_form.app();
    auto profile = ini.load(file);
    if (!profile) {
        fail();
        return false;
    }
    auto read = [&](const char* section, const char* key) { return ini.value(*profile, section, key); };
    auto timeOut = read(kComRead, "CommTimeOut");
    auto port = read(kComRead, "CommPort");
    auto baud = read(kComRead, "BaudRate");
    auto parity = read(kComRead, "Parity");
    auto dataBits = read(kComRead, "Databits");
    auto stopBits = read(kComRead, "Stopbits");
    auto lngPath = read(kPaths, "strLNGFilePath");
    auto ownLngPath = read(kPaths, "stroLNGFilePath");
    auto ownLngType = read(kPaths, "stroLNGFilePathType");
    auto languageFile = read(kPaths, "LanguageFile");
    auto msgPath = read(kPaths, "strMSGFilePath");
    auto messageFile = read(kPaths, "MessageFile");
    auto wavPath = read(kPaths, "strWAVFilePath");

    // A key missing from the file (or empty) leaves its variable as it was: the start value, since the
    // editor reads the file once as it starts. Taken as nothing, it would leave a port 0, no settings
    // string and no folders, and the close would write that state back.
    auto keep = [](std::string& target, const std::optional<std::string>& value) {
        if (value)
            target = *value;
    };
    // The same for a number or a Boolean; false when the value does not convert.
    auto convert = [](auto& target, const std::optional<std::string>& value, auto conversion) {
        if (!value)
            return true;
        auto converted = conversion(value);
        if (converted)
            target = *converted;
        return converted.has_value();
    };
    if (!convert(m_form.CommTimeOut, timeOut, toInt16)) {
        fail();
        return false;
    }
    // No time-out at all would let a silent unit hold the program for ever.
    if (m_form.CommTimeOut <= 0)
        m_form.CommTimeOut = Form1::kStartTimeOut;
    if (!convert(m_form.Commport, port, toInt16)) {
        fail();
        return false;
    }
    m_form.mdi().Com1.setChecked(m_form.Commport == 1);
    m_form.mdi().Com2.setChecked(m_form.Commport != 1);
    keep(m_form.Bret, baud);
    keep(m_form.Pchk, parity);
    keep(m_form.Dbit, dataBits);
    keep(m_form.Sbit, stopBits);
    keep(app.strLNGFilePath, lngPath);
    keep(app.stroLNGFilePath, ownLngPath);
    if (!convert(app.stroLNGFilePathType, ownLngType, toBool)) {
        fail();
        return false;
    }
    keep(m_form.LanguageFile, languageFile);
    keep(app.strMSGFilePath, msgPath);
    keep(m_form.MessageFile, messageFile);
    keep(app.strWAVFilePath, wavPath);

    keep(m_form.Com1Device, read(kComRead, "Com1Device"));
    keep(m_form.Com2Device, read(kComRead, "Com2Device"));
    keep(m_form.PortName, read(kComRead, "PortName"));
    if (!m_form.PortName.empty()) {
        // The listed port carries the mark from the next look at the list on.
        m_form.mdi().Com1.setChecked(false);
        m_form.mdi().Com2.setChecked(false);
    }
    // Trace keys that do not convert leave the trace as it is: they are no reason to refuse the file.
    if (auto limit = read(kTrace, "TraceSizeLimitKB")) {
        if (auto kb = number(*limit); kb && *kb > 0)
            m_form.link().trace().setLimit(static_cast<std::uint64_t>(std::min(*kb, 1048576.0)) * 1024);
    }
    if (auto on = read(kTrace, "Trace")) {
        if (auto value = toBool(on))
            m_form.link().trace().setEnabled(*value);
    }
    return true;
}
