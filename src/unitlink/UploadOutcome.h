#pragma once

#include <string>
#include <utility>

#include "editor/WaveHeader.h"
#include "unitlink/LinkOutcome.h"

/// What the upload button's transfer ended with: done (in full or the configuration alone), or the step that
/// failed with what the link said then.
struct UploadOutcome {
    enum class Result { FullUploadDone, ConfigurationDone, Failed };
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
    /// `FilesNotReady`: the header check's finding when the file is cut short or holds no sound; otherwise
    /// its start state.
    WaveHeader wave;

    bool succeeded() const { return result != Result::Failed; }
    bool operator==(const UploadOutcome&) const = default;

    static UploadOutcome done(Result result) { return {result, Step::None, {}, 0, {}, {}}; }
    static UploadOutcome failed(Step step, LinkOutcome link = {}) {
        return {Result::Failed, step, std::move(link), 0, {}, {}};
    }
    static UploadOutcome fileNotReady(int slot, std::string path, WaveHeader wave = {}) {
        return {Result::Failed, Step::FilesNotReady, {}, slot, std::move(path), wave};
    }
};
