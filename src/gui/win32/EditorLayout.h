#pragma once

#include <windows.h>

#include <string>

class ControlViews;
class Form1;
class Win32Fonts;

/// Makes the editor's controls on its page and lays them out as the Qt editor does: the "Message" group with
/// a row per slot and its totals, the "Trigger" group beside it with a row per trigger, and the upload row
/// below both: the connection indicator, Send, the playing picture, the progress bar and its percentage.
/// Every size follows the fonts, so the form grows with the texts of the language and with the resolution.
class EditorLayout {
public:
    EditorLayout(Form1& form, ControlViews& views, Win32Fonts& fonts);

    /// Places every control, the form's top left at the page's origin; the size the whole form takes.
    SIZE arrange();

    static constexpr int kMargin = 8;
    static constexpr int kSpacing = 8;
    static constexpr int kColumnSpacing = 6;
    static constexpr int kRowSpacing = 4;
    static constexpr int kIconSize = 32;

private:
    void makeMessageGroup();
    void makeTriggerGroup();
    void makeUploadRow();
    int rowHeight() const;
    static std::string indexed(const char* name, int index);

    Form1& m_form;
    ControlViews& m_views;
    Win32Fonts& m_fonts;
    HWND m_rule = nullptr;
};
