#include "editor/SetPacker.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <system_error>
#include <vector>

#include "editor/ConfigFile.h"
#include "editor/FileFaults.h"
#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "editor/StoredSize.h"
#include "editor/WaveLocator.h"

namespace {

/// A name in the target folder, taken by a file there or by a copy about to be written.
struct Taken {
    std::string name;
    /// The copy's bytes; nothing for a file or folder that was there before.
    const std::string* bytes = nullptr;
};

/// Names that differ only in letter case are one file on Windows and on most memory sticks.
bool sameLetters(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

const Taken* find(const std::vector<Taken>& taken, const std::string& name) {
    auto it = std::find_if(taken.begin(), taken.end(), [&](const Taken& t) { return sameLetters(t.name, name); });
    return it == taken.end() ? nullptr : &*it;
}

}  // namespace

std::string SetPacker::numbered(const std::string& name, int n) {
    if (n <= 1)
        return name;
    const auto dot = name.rfind('.');
    const std::string number = " (" + std::to_string(n) + ")";
    if (dot == std::string::npos || dot == 0)
        return name + number;
    return name.substr(0, dot) + number + name.substr(dot);
}

std::nullopt_t SetPacker::fail(const std::string& file, const std::string& reason) {
    Platform& platform = m_form.platform();
    platform.msgBox.Beep();
    platform.msgBox.MsgBox(FileFaults::withFile(m_form.SetFilesText[kSetFilesNotSaved], file, reason),
                           IMessageBox::vbOKOnly | IMessageBox::vbExclamation, m_form.Caption);
    return std::nullopt;
}

std::optional<std::string> SetPacker::pack(const std::string& folder, const std::string& configName) {
    Form1& f = m_form;
    IFileSystem& fs = f.platform().fs;
    const char separator = fs.separator();
    const std::string into = folder.empty() || folder.back() == separator ? folder : folder + separator;

    // Every file is read and checked before anything is made or written, so a set that cannot be packed leaves
    // nothing behind.
    std::array<std::optional<std::string>, Form1::kSlots + 1> bytes;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        if (f.WaveFile[i].text().empty())
            continue;
        const std::string path = Formats::trimmed(f.FilePath[i]);
        const std::string shown = std::to_string(i) + ": " + path;
        bytes[i] = fs.readFile(path);
        if (!bytes[i])
            return fail(shown, fs.lastError().empty() ? f.MsgText[kMsgPathIncorrect] : fs.lastError());
        // A file replaced behind the editor's back would travel with sizes the set does not know.
        if (bytes[i]->size() > kMaxFileLength ||
            storedSize(static_cast<std::uint32_t>(bytes[i]->size())) != f.TMsgSize[i])
            return fail(shown, f.SetFilesText[kSetFilesOtherSize]);
    }

    if (!fs.makeFolder(folder))
        return fail(folder, fs.lastError());
    std::vector<Taken> taken;
    for (const IFileSystem::Entry& entry : fs.list(into))
        taken.push_back({entry.name, nullptr});
    std::array<std::string, Form1::kSlots + 2> targets;
    std::vector<std::pair<std::string, const std::string*>> writes;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        if (!bytes[i])
            continue;
        const std::string name = WaveLocator::fileName(Formats::trimmed(f.FilePath[i]));
        for (int n = 1; targets[i].empty(); ++n) {
            const std::string candidate = numbered(name, n);
            const Taken* holder = find(taken, candidate);
            if (!holder) {
                taken.push_back({candidate, &*bytes[i]});
                writes.emplace_back(into + candidate, &*bytes[i]);
                targets[i] = into + candidate;
            } else if (holder->bytes ? *holder->bytes == *bytes[i] : fs.readFile(into + holder->name) == bytes[i]) {
                targets[i] = into + holder->name;
            }
        }
    }
    for (const auto& [target, content] : writes) {
        // The name was free when the folder was read: a file that has appeared since is not replaced.
        if (fs.exists(target))
            return fail(target, std::make_error_code(std::errc::file_exists).message());
        if (!fs.writeFileAtomic(target, *content))
            return fail(target, fs.lastError());
    }

    std::string config;
    for (int n = 1; config.empty(); ++n) {
        if (!find(taken, numbered(configName, n)) && !fs.exists(into + numbered(configName, n)))
            config = into + numbered(configName, n);
    }
    const auto before = f.FilePath;
    for (int i = 1; i <= Form1::kSlots; ++i) {
        if (!targets[i].empty())
            f.FilePath[i] = targets[i];
    }
    if (!m_config.SaveConfig(config)) {
        f.FilePath = before;
        return std::nullopt;
    }
    f.sbrStatus.setPanelText(1, Formats::trimmed(f.StatusText[kStatusCaption]) + " " +
                                    Formats::trimmed(f.SetFilesText[kSetFilesSaved]) + " " + folder);
    return config;
}
