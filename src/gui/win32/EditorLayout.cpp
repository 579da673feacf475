#include "gui/win32/EditorLayout.h"

#include <algorithm>

#include "editor/Form1.h"
#include "gui/win32/ControlViews.h"
#include "gui/win32/FormGrid.h"
#include "gui/win32/Win32Fonts.h"

namespace {

enum MessageColumn { kNumber, kFile, kBrowse, kPlay, kTime, kSize, kSample, kMessageColumns };
constexpr int kHeadingRows = 2;
constexpr int kTriggerPlay = 1, kFirstStep = 2, kTriggerTime = kFirstStep + Form1::kSteps,
              kFirstZone = kTriggerTime + 1;

using Align = ControlViews::Align;
using Kind = FormGrid::Kind;

}  // namespace

EditorLayout::EditorLayout(Form1& form, ControlViews& views, Win32Fonts& fonts)
    : m_form(form), m_views(views), m_fonts(fonts) {
    makeMessageGroup();
    makeTriggerGroup();
    makeUploadRow();
}

std::string EditorLayout::indexed(const char* name, int index) {
    return std::string(name) + "_" + std::to_string(index);
}

void EditorLayout::makeMessageGroup() {
    Form1& f = m_form;
    m_views.group(f.Frame1[0], "Frame1_0");
    m_views.label(f.Lb_Message_File, "Lb_Message_File", Align::left);
    m_views.label(f.Lb_Message_Play, "Lb_Message_Play", Align::right);
    for (int k = 0; k < 2; ++k) {
        m_views.label(f.Lb_Message_Time[k], indexed("Lb_Message_Time", k), Align::right);
        m_views.label(f.Lb_Message_Size[k], indexed("Lb_Message_Size", k), Align::right);
        m_views.label(f.Lb_Message_Sample[k], indexed("Lb_Message_Sample", k), Align::right);
    }
    for (int i = 1; i <= Form1::kSlots; ++i) {
        m_views.label(f.Lb_Msg[i], indexed("Lb_Msg", i), Align::right);
        HWND name = m_views.edit(f.WaveFile[i], indexed("WaveFile", i));
        HWND browse = m_views.button(f.Bt_Browse[i], indexed("Bt_Browse", i));
        // A wave file dropped on the name box or the Browse button is chosen as Browse chooses it.
        m_views.dropTarget(name, f.WaveFile[i]);
        m_views.dropTarget(browse, f.WaveFile[i]);
        m_views.button(f.MsgBt[i], indexed("MsgBt", i));
        m_views.label(f.MsgTime[i], indexed("MsgTime", i), Align::right);
        m_views.label(f.MsgSize[i], indexed("MsgSize", i), Align::right);
        m_views.label(f.MsgSample[i], indexed("MsgSample", i), Align::right);
    }
    m_rule = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, 0, 0, 0,
                             GetParent(m_views.find("Frame1_0")), nullptr, GetModuleHandleW(nullptr), nullptr);
    m_views.label(f.Lb_Total, "Lb_Total", Align::right);
    m_views.label(f.TotalTime, "TotalTime", Align::right);
    m_views.label(f.TotalSize, "TotalSize", Align::right);
}

void EditorLayout::makeTriggerGroup() {
    Form1& f = m_form;
    m_views.group(f.Frame1[1], "Frame1_1");
    m_views.label(f.Lb_Trigger_Play, "Lb_Trigger_Play", Align::right);
    m_views.label(f.Lb_Trigger_Ms, "Lb_Trigger_Ms", Align::centre);
    for (int k = 0; k < 2; ++k)
        m_views.label(f.Lb_Trigger_Time[k], indexed("Lb_Trigger_Time", k), Align::right);
    for (int z = 0; z <= Form1::kZones; ++z)
        m_views.label(f.Lb_Trigger_Zones[z], indexed("Lb_Trigger_Zones", z), Align::centre);
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        m_views.label(f.Lb_TRG[t], indexed("Lb_TRG", t), Align::right);
        m_views.button(f.TrgBt[t], indexed("TrgBt", t));
        for (int k = 1; k <= Form1::kSteps; ++k) {
            const int s = Form1::kSteps * (t - 1) + k;
            m_views.combo(f.TRG1[s], indexed("TRG1", s));
        }
        m_views.label(f.TrgTime[t], indexed("TrgTime", t), Align::right);
        for (int z = 1; z <= Form1::kZones; ++z) {
            const int c = Form1::kZones * (t - 1) + z;
            m_views.check(f.Check1[c], indexed("Check1", c));
        }
    }
}

void EditorLayout::makeUploadRow() {
    Form1& f = m_form;
    m_views.picture(f.imgNotConnected, "imgNotConnected", ControlViews::Drawing::notConnected);
    m_views.picture(f.imgConnected, "imgConnected", ControlViews::Drawing::connected);
    m_views.button(f.Bt_SendMessage, "Bt_SendMessage");
    m_views.picture(f.Picture1, "Picture1", ControlViews::Drawing::playing);
    m_views.progress(f.ProgressBar1, "ProgressBar1");
    m_views.label(f.Lb_Percentage, "Lb_Percentage", Align::left);
}

int EditorLayout::rowHeight() const {
    HWND combo = m_views.find("TRG1_1");
    // A drop-down list box keeps the height its font gives it; the row is at least that high.
    const int comboHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) +
                            2 * GetSystemMetrics(SM_CYEDGE) + m_fonts.scale(4);
    return std::max(
        {FormGrid::textHeight(m_views.find("WaveFile_1")) + m_fonts.scale(8), comboHeight, m_fonts.scale(22)});
}

SIZE EditorLayout::arrange() {
    const int row = rowHeight();
    const int columnSpacing = m_fonts.scale(kColumnSpacing), rowSpacing = m_fonts.scale(kRowSpacing);
    auto w = [this](const std::string& name) { return m_views.find(name); };
    const int playWidth = std::max(row, FormGrid::textWidth(w("MsgBt_1"), L"MM") + m_fonts.scale(8)) + m_fonts.scale(8);

    FormGrid messages(m_fonts);
    messages.add(w("Lb_Message_File"), 0, kFile, Kind::heading);
    // A long caption of a play column reaches over the column beside it, which has none.
    messages.add(w("Lb_Message_Play"), 0, kBrowse, Kind::heading, 2);
    for (int k = 0; k < 2; ++k) {
        messages.add(w(indexed("Lb_Message_Time", k)), k, kTime, Kind::heading);
        messages.add(w(indexed("Lb_Message_Size", k)), k, kSize, Kind::heading);
        messages.add(w(indexed("Lb_Message_Sample", k)), k, kSample, Kind::heading);
    }
    for (int i = 1; i <= Form1::kSlots; ++i) {
        const int r = kHeadingRows + i - 1;
        messages.setRowHeight(r, row);
        messages.add(w(indexed("Lb_Msg", i)), r, kNumber, Kind::label, 1, L"00");
        messages.add(w(indexed("WaveFile", i)), r, kFile, Kind::edit, 1, std::wstring(10, L'n'));
        messages.add(w(indexed("Bt_Browse", i)), r, kBrowse, Kind::button);
        messages.add(w(indexed("MsgBt", i)), r, kPlay, Kind::fixed, 1, {}, SIZE{playWidth, row});
        messages.add(w(indexed("MsgTime", i)), r, kTime, Kind::label, 1, L"0000.00");
        messages.add(w(indexed("MsgSize", i)), r, kSize, Kind::label, 1, L"0000");
        messages.add(w(indexed("MsgSample", i)), r, kSample, Kind::label, 1, L"00.000");
    }
    const int ruleRow = kHeadingRows + Form1::kSlots, totalRow = ruleRow + 1;
    messages.add(m_rule, ruleRow, kNumber, Kind::rule, kMessageColumns);
    messages.setRowHeight(totalRow, row);
    messages.add(w("Lb_Total"), totalRow, kNumber, Kind::label, kTime);
    messages.add(w("TotalTime"), totalRow, kTime, Kind::label, 1, L"0000.00");
    messages.add(w("TotalSize"), totalRow, kSize, Kind::label, 1, L"0000");

    FormGrid triggers(m_fonts);
    triggers.add(w("Lb_Trigger_Play"), 0, 0, Kind::heading, 2);
    triggers.add(w("Lb_Trigger_Ms"), 0, kFirstStep, Kind::heading, Form1::kSteps);
    triggers.add(w("Lb_Trigger_Time_0"), 0, kTriggerTime, Kind::heading);
    triggers.add(w("Lb_Trigger_Time_1"), 1, kTriggerTime, Kind::heading);
    triggers.add(w("Lb_Trigger_Zones_0"), 0, kFirstZone, Kind::heading, Form1::kZones);
    for (int z = 1; z <= Form1::kZones; ++z)
        triggers.add(w(indexed("Lb_Trigger_Zones", z)), 1, kFirstZone + z - 1, Kind::heading);
    for (int t = 1; t <= Form1::kTriggers; ++t) {
        const int r = kHeadingRows + t - 1;
        triggers.setRowHeight(r, row);
        triggers.add(w(indexed("Lb_TRG", t)), r, 0, Kind::label, 1, L"00");
        triggers.add(w(indexed("TrgBt", t)), r, kTriggerPlay, Kind::fixed, 1, {}, SIZE{playWidth, row});
        for (int k = 1; k <= Form1::kSteps; ++k)
            triggers.add(w(indexed("TRG1", Form1::kSteps * (t - 1) + k)), r, kFirstStep + k - 1, Kind::combo, 1, L"00");
        triggers.add(w(indexed("TrgTime", t)), r, kTriggerTime, Kind::label, 1, L"0000.00");
        for (int z = 1; z <= Form1::kZones; ++z)
            triggers.add(w(indexed("Check1", Form1::kZones * (t - 1) + z)), r, kFirstZone + z - 1, Kind::check);
    }
    // The rows of both groups line up: the trigger group is as many rows high as the other.
    triggers.setRowHeight(totalRow, row);

    const SIZE messageSize = messages.measure(columnSpacing, rowSpacing);
    const SIZE triggerSize = triggers.measure(columnSpacing, rowSpacing);
    const int title = FormGrid::textHeight(w("Frame1_0"));
    const int inset = m_fonts.scale(8);
    const int margin = m_fonts.scale(kMargin), spacing = m_fonts.scale(kSpacing);
    const int groupHeight = title + inset + std::max(messageSize.cy, triggerSize.cy) + inset;
    const int messageWidth = messageSize.cx + 2 * inset, triggerWidth = triggerSize.cx + 2 * inset;

    SetWindowPos(w("Frame1_0"), nullptr, margin, margin, messageWidth, groupHeight, SWP_NOZORDER);
    messages.place(margin + inset, margin + title + inset);
    const int triggerLeft = margin + messageWidth + spacing;
    SetWindowPos(w("Frame1_1"), nullptr, triggerLeft, margin, triggerWidth, groupHeight, SWP_NOZORDER);
    triggers.place(triggerLeft + inset, margin + title + inset);

    // The upload row: the indicator, Send and the playing picture on the left; progress on the right.
    const int icon = m_fonts.scale(kIconSize);
    const int top = margin + groupHeight + spacing;
    const int rowTall = std::max(icon, row);
    const int contentWidth = messageWidth + spacing + triggerWidth;
    int x = margin;
    SetWindowPos(w("imgNotConnected"), nullptr, x, top + (rowTall - icon) / 2, icon, icon, SWP_NOZORDER);
    SetWindowPos(w("imgConnected"), nullptr, x, top + (rowTall - icon) / 2, icon, icon, SWP_NOZORDER);
    x += icon + columnSpacing;
    FormGrid send(m_fonts);
    send.add(w("Bt_SendMessage"), 0, 0, Kind::button, 1, std::wstring(10, L'n'));
    send.setRowHeight(0, row);
    const SIZE sendSize = send.measure(0, 0);
    send.place(x, top + (rowTall - row) / 2);
    x += sendSize.cx + columnSpacing;
    SetWindowPos(w("Picture1"), nullptr, x, top + (rowTall - icon) / 2, icon, icon, SWP_NOZORDER);

    HWND percentage = w("Lb_Percentage");
    std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(percentage)) + 1, L'\0');
    shown.resize(static_cast<std::size_t>(GetWindowTextW(percentage, shown.data(), static_cast<int>(shown.size()))));
    const int percentWidth =
        std::max(FormGrid::textWidth(percentage, L"100 %  00:00:00"), FormGrid::textWidth(percentage, shown)) +
        m_fonts.scale(4);
    const int progressWidth = FormGrid::textWidth(w("ProgressBar1"), std::wstring(30, L'0'));
    const int right =
        std::max(margin + contentWidth, x + icon + columnSpacing + progressWidth + columnSpacing + percentWidth);
    SetWindowPos(w("Lb_Percentage"), nullptr, right - percentWidth, top, percentWidth, rowTall, SWP_NOZORDER);
    SetWindowPos(w("ProgressBar1"), nullptr, right - percentWidth - columnSpacing - progressWidth,
                 top + (rowTall - row) / 2, progressWidth, row, SWP_NOZORDER);
    return {right + margin, top + rowTall + margin};
}
