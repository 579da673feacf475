#pragma once

#include <QString>
#include <string>

class IFileSystem;
class ITextCodec;
class QWidget;

/// The mark of a demo set-up: its settings file describes, in section "Demo", key "Unit", the emulated unit
/// that the demo's port leads to, and the main window's title says so after whatever caption it shows, so
/// that nobody takes the demo for a session with a real unit.
class DemoTitle {
public:
    /// "DEMO: " and the description, or empty when the program folder's settings describe no demo unit.
    static QString note(IFileSystem& fs, const ITextCodec& codec);
    /// Keeps "  [" note "]" at the end of the window's title through every change of caption.
    static void mark(QWidget& window, const QString& note);
};
