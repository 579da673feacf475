#pragma once

#include <string>
#include <utility>

#include "editor/WaveHeader.h"
#include "unitlink/LinkOutcome.h"

/// What the upload button's transfer ended with: done (in full or the configuration alone), stopped on the
/// user's request, or the step that failed with what the link said then.
struct UploadOutcome {
    enum class Result { FullUploadDone, ConfigurationDone, Failed, Stopped };
    enum class Step {
        None,
        /// A named slot's file is missing, unreadable or of another size than the set shows; nothing was sent.
        FilesNotReady,
        Connect,
        Erase,
        /// "P", the wave data, the tables or "L" of a full upload.
        Upload,
        /// The configuration-only upload.
        Configuration
    };

    Result result = Result::Failed;
    Step failedStep = Step::None;
    /// What the link said when the step failed; success when the failure was not the link's.
    LinkOutcome link;
    /// `FilesNotReady`: the first slot whose file is not ready, and its path.
    int slot = 0;
    std::string path;
    /// `Stopped`: the unit's memory had been erased or written before the stop, so it holds no complete set.
    bool unitChanged = false;
    /// `FilesNotReady`: the header check's finding when the file is cut short or holds no sound; otherwise
    /// its start state.
    WaveHeader wave;

    bool succeeded() const { return result == Result::FullUploadDone || result == Result::ConfigurationDone; }
    bool operator==(const UploadOutcome&) const = default;

    static UploadOutcome done(Result result) { return {result, Step::None, {}, 0, {}, false, {}}; }
    static UploadOutcome failed(Step step, LinkOutcome link = {}) {
        return {Result::Failed, step, std::move(link), 0, {}, false, {}};
    }
    static UploadOutcome fileNotReady(int slot, std::string path, WaveHeader wave = {}) {
        return {Result::Failed, Step::FilesNotReady, {}, slot, std::move(path), false, wave};
    }
    static UploadOutcome stopped(bool unitChanged) { return {Result::Stopped, Step::None, {}, 0, {}, unitChanged, {}}; }
};
