#pragma once

#include <cstdint>

class Form1;

/// Asks the unit to clear an area of its memory and follows its progress bytes until it reports the erase
/// complete. The outcome is left in the link's `Status`: 6 when the erase is complete.
class EraseOperation {
public:
    explicit EraseOperation(Form1& form) : m_form(form) {}

    /// `address` is a word address; only its low 24 bits are sent.
    void EraseData(std::int32_t address);

private:
    Form1& m_form;
};
