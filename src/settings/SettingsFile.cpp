#include "settings/SettingsFile.h"

#include <algorithm>

#include "platform/IFileSystem.h"
#include "settings/IniProcedures.h"
#include "settings/TextValues.h"

namespace {

const char* const kCom = "Com settings";
const char* const kComRead = "Com Settings";
const char* const kPaths = "File paths";
const char* const kTrace = "Trace";

constexpr auto kNoExponent = TextValues::Exponent::No;

}  // namespace

std::optional<std::int16_t> SettingsFile::toInt16(const std::optional<std::string>& value) {
    if (!value)
        return 0;
    auto n = TextValues::number(*value, kNoExponent);
    if (!n)
        return std::nullopt;
    const double rounded = TextValues::roundHalfEven(*n);
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<bool> SettingsFile::toBool(const std::optional<std::string>& value) {
    if (!value)
        return false;
    return TextValues::boolean(*value, kNoExponent);
}

SettingsFile::SaveResult SettingsFile::SaveIni(const std::string& file, const Settings& s) {
    IniProcedures ini(m_fs, m_codec);
    m_unwritable.clear();
    // All entries go in one replacement of the file, in the order the entries are kept.
    auto profile = ini.load(file);
    if (!profile)
        return SaveResult::Unreadable;
    // A value the code page cannot hold (a folder with letters it lacks) would read back as another folder:
    // the save fails and the file stays as it was.
    std::optional<std::string> unwritable;
    auto put = [&](const char* section, const char* key, const std::string& value) {
        if (!unwritable && !ini.set(*profile, section, key, value))
            unwritable = value;
    };
    put(kCom, "CommTimeOut", std::to_string(s.CommTimeOut));
    put(kCom, "Commport", std::to_string(s.Commport));
    put(kCom, "BaudRate", s.Bret);
    put(kCom, "Parity", s.Pchk);
    put(kCom, "Databits", s.Dbit);
    put(kCom, "Stopbits", s.Sbit);
    put(kPaths, "strLNGFilePath", s.strLNGFilePath);
    put(kPaths, "stroLNGFilePath", s.stroLNGFilePath);
    put(kPaths, "stroLNGFilePathType", TextValues::booleanText(s.stroLNGFilePathType));
    put(kPaths, "strMSGFilePath", s.strMSGFilePath);
    put(kPaths, "MessageFile", s.MessageFile);
    put(kPaths, "strWAVFilePath", s.strWAVFilePath);
    // A port chosen from the system's list; other installations ignore the key and use "Commport".
    put(kCom, "PortName", s.PortName);
    // Where ports are device files, which device each port number is; other installations ignore the keys.
    if (m_portsAreDeviceFiles) {
        put(kCom, "Com1Device", s.Com1Device);
        put(kCom, "Com2Device", s.Com2Device);
    }
    if (unwritable) {
        m_unwritable = *unwritable;
        return SaveResult::Unwritable;
    }
    // The protocol trace for support; written, so that it can be found and switched on in the file.
    put(kTrace, "Trace", TextValues::booleanText(s.trace));
    put(kTrace, "TraceSizeLimitKB", std::to_string(s.traceLimit / 1024));
    // Settings that silently fail to be kept would come back as before at the next start.
    if (!ini.store(file, *profile))
        return SaveResult::NotStored;
    return SaveResult::Saved;
}

SettingsFile::OpenResult SettingsFile::OpenIni(const std::string& file, Settings& s) const {
    IniProcedures ini(m_fs, m_codec);
    auto profile = ini.load(file);
    if (!profile)
        return OpenResult::Unreadable;
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

    // A key missing from the file (or empty) leaves its value as it was: the start value, since the editor
    // reads the file once as it starts. Taken as nothing, it would leave a port 0, no settings string and no
    // folders, and the close would write that state back.
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
    if (!convert(s.CommTimeOut, timeOut, toInt16))
        return OpenResult::BadTimeOut;
    // No time-out at all would let a silent unit hold the program for ever.
    if (s.CommTimeOut <= 0)
        s.CommTimeOut = Settings::kStartTimeOut;
    if (!convert(s.Commport, port, toInt16))
        return OpenResult::BadPort;
    keep(s.Bret, baud);
    keep(s.Pchk, parity);
    keep(s.Dbit, dataBits);
    keep(s.Sbit, stopBits);
    keep(s.strLNGFilePath, lngPath);
    keep(s.stroLNGFilePath, ownLngPath);
    if (!convert(s.stroLNGFilePathType, ownLngType, toBool))
        return OpenResult::BadLanguageType;
    keep(s.LanguageFile, languageFile);
    keep(s.strMSGFilePath, msgPath);
    keep(s.MessageFile, messageFile);
    keep(s.strWAVFilePath, wavPath);

    keep(s.Com1Device, read(kComRead, "Com1Device"));
    keep(s.Com2Device, read(kComRead, "Com2Device"));
    keep(s.PortName, read(kComRead, "PortName"));
    // Trace keys that do not convert leave the trace as it is: they are no reason to refuse the file.
    if (auto limit = read(kTrace, "TraceSizeLimitKB")) {
        if (auto kb = TextValues::number(*limit, kNoExponent); kb && *kb > 0)
            s.traceLimit = static_cast<std::uint64_t>(std::min(*kb, 1048576.0)) * 1024;
    }
    if (auto on = read(kTrace, "Trace")) {
        if (auto value = toBool(on))
            s.trace = *value;
    }
    return OpenResult::Read;
}
