#pragma once

#include <memory>
#include <optional>
#include <string>

#include "editor/MessageSet.h"

struct AppState;
class Application;
class Label;
class MDIKVT3310;
class ProgressBar;
class StatusBar;
class Workbench;
struct Platform;

/// The editor without a window, for the command line: a set opened, composed, saved and printed through the
/// editor's own operations, uploaded and read back through the workbench, and handed out as a value. Starts
/// in the editor's start state without the window steps of start-up: no instance marker, no window search, no
/// splash, no settings file, no offer of converted copies (nobody is there to answer it).
class HeadlessEditor {
public:
    /// `folder` stands for every folder of the program-wide state.
    HeadlessEditor(Platform& platform, const std::string& folder);
    ~HeadlessEditor();
    HeadlessEditor(const HeadlessEditor&) = delete;
    HeadlessEditor& operator=(const HeadlessEditor&) = delete;

    /// Applies a built-in language by its file name ("de.lng"), or an own language file (`external`) at
    /// `path`; false when it could not be applied (its message has been shown).
    bool useLanguage(const std::string& fileName, const std::string& path, bool external);
    /// `OpenConfig`, `SaveConfig`, `PrintOutTxt`. A set opened counts as the current configuration file, beside
    /// which the upload looks for moved wave files.
    bool open(const std::string& path);
    bool save(const std::string& path);
    bool print(const std::string& path);
    /// How many wave files the last `open` found beside the set in place of their stored paths.
    int filesFoundBeside();
    /// "Save as with its files…" into `folder` under `configName`: the configuration file written, or nothing
    /// (the reason has been shown).
    std::optional<std::string> pack(const std::string& folder, const std::string& configName);

    enum class Choice { Taken, NotYetOpen, Dropped };
    /// Slot `slot`'s Browse button, the platform's file dialog answering with `path`. `Dropped`: the editor
    /// refused the file (with or without a message) and the slot does not hold it.
    Choice choose(int slot, const std::string& path);
    enum class Pick { Taken, NotOffered, NotTaken };
    /// A user's pick of `message` in step `step` of trigger `trigger`. `NotOffered`: the list does not offer it
    /// or cannot be used; `NotTaken`: the editor put another text in its place.
    Pick pickStep(int trigger, int step, int message);
    void checkZone(int trigger, int zone);
    /// The set as the editor holds it now.
    MessageSet set() const;

    AppState& app();
    MDIKVT3310& mdi();
    Workbench& bench();
    /// What the window would show of a running operation.
    StatusBar& statusBar();
    ProgressBar& progressBar();
    Label& percentage();

private:
    std::unique_ptr<Application> m_application;
};
