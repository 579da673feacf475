#pragma once

#include <functional>
#include <string>

/// Decides which folder the program uses as its program folder, the one that holds its settings, marker,
/// language and help files. The folder of the program file is used as long as the program may write there
/// (a copy unpacked into a folder of the user's, a build folder). An installed program usually may not:
/// it then works in a folder of the user's own, which is given a copy of every shipped language and help
/// file it lacks, so that everything the program expects beside itself is there and can be written.
class ProgramFolder {
public:
    /// Tells whether the program may create files in a folder.
    using WritableTest = std::function<bool(const std::string& folder)>;

    ProgramFolder();
    explicit ProgramFolder(WritableTest writable) : m_writable(std::move(writable)) {}

    /// The folder to use, without a trailing separator: `installed` when it is writable or no user folder is
    /// known, else `user`, created and filled as needed. When the user folder cannot be created either,
    /// `installed` after all: the program then reports the settings it cannot write.
    std::string choose(const std::string& installed, const std::string& user) const;

    /// True when a file can be created in the folder (a probe file is made and removed).
    static bool canCreateFiles(const std::string& folder);
    /// Whether a file shipped in the program folder is copied to the user's folder: language files and
    /// the help texts.
    static bool isShippedFile(const std::string& name);

private:
    WritableTest m_writable;
};
