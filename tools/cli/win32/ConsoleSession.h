#pragma once

/// The console as the program found it, given back when the program ends: its output code page (switched to
/// UTF-8 for the program's texts) and the modes of its output handles (standard error gets escape codes for
/// the progress line). Ctrl+C and closing the console give it back as well. Standard error is buffered and
/// written at each flush, a line at a time, so that a letter of several bytes reaches the console whole.
class ConsoleSession {
public:
    ConsoleSession();
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    /// Puts back what the program changed; more than one call is harmless.
    static void restore();
};
