#include "editor/MessageSlots.h"

#include <string>

#include "editor/FileFaults.h"
#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "editor/Formats.h"
#include "editor/StoredSize.h"
#include "editor/TriggerSequences.h"
#include "editor/WaveHeader.h"
#include "settings/AppState.h"

namespace {

// The two parts are joined as they always were, so the second entry reads "Text Files(*.txt)".
const std::string kWaveFilter =
    std::string("All Files (*.*)|*.*|Text Files") + "(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Wave Files (*.wav)|*.wav";
constexpr int kWaveFilterIndex = 4;

}  // namespace

MessageSlots::MessageSlots(Form1& form, TriggerSequences& triggers) : m_form(form), m_triggers(triggers) {
    for (int i = 1; i <= Form1::kSlots; ++i) {
        form.Bt_Browse[i].Click = [this, i] { Bt_Browse_Click(i); };
        form.WaveFile[i].Change = [this, i] { WaveFile_Change(i); };
        form.WaveFile[i].AcceptsDrop = [this, i] { return acceptsDrop(i); };
        form.WaveFile[i].OLEDragDrop = [this, i](const std::string& path) { WaveFile_OLEDragDrop(i, path); };
    }
}

bool MessageSlots::refuseWhileConnected() {
    if (!m_form.platform().serial.portOpen())
        return false;
    m_form.platform().msgBox.Beep();
    showMessage(kMsgUploadInProgress);
    return true;
}

void MessageSlots::Bt_Browse_Click(int i) {
    Form1& f = m_form;
    if (refuseWhileConnected())
        return;

    CommonDialog& dialog = f.CommonDialog1;
    dialog.CancelError = true;
    dialog.Filter = kWaveFilter;
    dialog.FilterIndex = kWaveFilterIndex;
    dialog.FileName.clear();
    setInitDir(i);
    if (!dialog.ShowOpen() || dialog.FileName.empty())
        return;
    choose(i, dialog.FileName, true);
}

bool MessageSlots::acceptsDrop(int i) const {
    if (i < 1 || i > Form1::kSlots)
        return false;
    const CommandButton& browse = m_form.Bt_Browse[i];
    return browse.enabled() && browse.visible();
}

void MessageSlots::WaveFile_OLEDragDrop(int i, const std::string& path) {
    if (!acceptsDrop(i) || path.empty() || refuseWhileConnected())
        return;
    choose(i, path, true);
}

void MessageSlots::choose(int i, const std::string& path, bool offerCopy) {
    Form1& f = m_form;
    // The last upload's report no longer speaks for the set, whatever becomes of this file.
    f.sbrStatus.setPanelText(1, f.StatusText[kStatusCaption] + " ");
    const SlotState before = remember(i);
    f.FilePath[i] = path;
    f.app().strWAVFilePath = folderOf(path);
    // The header first, so that any file that is no WAVE file says so, whatever its name.
    const WaveHeader header = ReadWaveHeader(f.platform().fs, path);
    if (!header.accepted()) {
        const bool refused = showRejection(header, path);
        f.FilePath[i] = before.filePath;
        f.WaveFile[i].setText(before.waveFile);
        // A copy of a file cut short or without sound would keep what is missing: only the form is converted.
        const bool damaged = header.verdict == WaveVerdict::CutShort || header.verdict == WaveVerdict::NoSound;
        if (refused && !damaged && offerCopy && OfferCopies)
            offerConvertedCopy(i, path);
        return;
    }
    const auto name = displayName(path);
    if (!name) {
        f.FilePath[i] = before.filePath;
        return;
    }

    if (before.waveFile.empty()) {
        RebuildStepLists(i);
    } else {
        f.TFileLength -= before.tMsgSize;
    }
    showValues(i, header);
    f.WaveFile[i].setText(*name);
    f.MsgBt[i].setEnabled(true);
    if (i < Form1::kSlots)
        f.Bt_Browse[i + 1].setEnabled(true);

    // Summed wide, as a refused file may be far larger than the memory.
    const std::int64_t total = static_cast<std::int64_t>(f.TFileLength) + f.TMsgSize[i];
    // The totals leave out files that show "0" kB, but the upload sends their frames all the same; held to
    // the counted total alone, a few of them would push the data past the memory into the table area.
    std::int64_t sent = 0;
    for (int j = 1; j <= Form1::kSlots; ++j)
        sent += f.TMsgSize[j];
    if (total <= Form1::kMemoryBytes && sent <= Form1::kMemoryBytes) {
        f.TFileLength = static_cast<std::int32_t>(total);
        f.MsgUnchanged = false;
    } else {
        showMessage(kMsgCapacity);
        restore(i, before);
    }
    f.RecalcTotals();
    m_triggers.TRG1_Click(1);
}

void MessageSlots::offerConvertedCopy(int i, const std::string& path) {
    Form1& f = m_form;
    IWaveConverter& converter = f.platform().converter;
    const auto sound = converter.probe(path);
    if (!sound)
        return;
    const int rate = IWaveConverter::outputRateFor(sound->rate);
    const std::string target = copyPath(path, rate);
    std::string question = f.ConvertOfferText[0];
    if (auto at = question.find("%1"); at != std::string::npos)
        question.replace(at, 2, Formats::kilohertz(rate / 1000.0));
    question += "\n" + target + "\n\n" + f.ConvertOfferText[1];
    if (f.platform().msgBox.MsgBox(question, IMessageBox::vbYesNo | IMessageBox::vbQuestion, f.Caption) !=
        IMessageBox::vbYes)
        return;

    IScreen& screen = f.platform().screen;
    const int pointer = screen.mousePointer();
    screen.setMousePointer(IScreen::vbHourglass);
    const IWaveConverter::Result copy = converter.convert(path, rate);
    // Checked again just before writing: the replacing write would take an existing file's place.
    const bool written =
        !copy.bytes.empty() && !f.platform().fs.exists(target) && f.platform().fs.writeFileAtomic(target, copy.bytes);
    screen.setMousePointer(pointer);
    if (copy.bytes.empty()) {
        f.platform().msgBox.Beep();
        f.platform().msgBox.MsgBox(path + "\n\n" + copy.error, IMessageBox::vbOKOnly, f.Caption);
        return;
    }
    if (!written) {
        f.platform().msgBox.Beep();
        f.platform().msgBox.MsgBox(target + "\n\n" + f.MsgText[kMsgPathIncorrect], IMessageBox::vbOKOnly, f.Caption);
        return;
    }
    choose(i, target, false);
}

std::string MessageSlots::copyPath(const std::string& path, int rate) const {
    const std::string folder = folderOf(path);
    const std::string fileName = path.substr(folder.size());
    const auto dot = fileName.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
    const std::string base = folder + stem + "-" + std::to_string(rate) + "Hz";
    std::string candidate = base + ".wav";
    for (int n = 2; m_form.platform().fs.exists(candidate); ++n)
        candidate = base + "-" + std::to_string(n) + ".wav";
    return candidate;
}

void MessageSlots::WaveFile_Change(int i) {
    Form1& f = m_form;
    f.app().blnChanged = true;
    if (!f.WaveFile[i].text().empty())
        return;

    // Emptying a later name runs this handler again for that slot, so the cascade goes to the end.
    for (int j = 1; j < Form1::kSlots; ++j) {
        if (!f.WaveFile[j].text().empty()) {
            f.Bt_Browse[j + 1].setEnabled(true);
            f.MsgBt[j].setEnabled(true);
        } else {
            f.Bt_Browse[j + 1].setEnabled(false);
            f.WaveFile[j + 1].setText("");
            f.FilePath[j + 1].clear();
            f.MsgBt[j].setEnabled(false);
        }
    }
    f.MsgBt[Form1::kSlots].setEnabled(!f.WaveFile[Form1::kSlots].text().empty());

    for (int j = i; j <= Form1::kSlots; ++j) {
        f.MsgTime[j].setCaption("");
        f.MsgSize[j].setCaption("");
        f.MsgSample[j].setCaption("");
        f.TMsgSize[j] = 0;
    }
    f.RecalcTotals();
    RebuildStepLists(i - 1);
}

void MessageSlots::RefreshMessage(int i) {
    Form1& f = m_form;
    if (f.WaveFile[i].text().empty())
        return;
    const WaveHeader header = ReadWaveHeader(f.platform().fs, f.FilePath[i]);
    if (showRejection(header, f.FilePath[i]) || !header.accepted())
        return;
    showValues(i, header);
    f.RecalcTotals();
}

void MessageSlots::RebuildStepLists(int n) {
    Form1& f = m_form;
    constexpr int kStepCount = Form1::kTriggers * Form1::kSteps;
    std::array<std::string, kStepCount + 1> TrgText;
    for (int k = 1; k <= kStepCount; ++k) {
        TrgText[k] = f.TRG1[k].text();
        f.TRG1[k].clear();
    }
    for (int k = 1; k <= kStepCount; ++k) {
        f.TRG1[k].addItem(" ");
        for (int e = 1; e <= n; ++e)
            f.TRG1[k].addItem(std::to_string(e));
        f.TRG1[k].setText(TrgText[k]);
    }
    // Giving the steps their texts back counts as an edit of every step, even where the text was kept.
    f.app().blnChanged = true;
}

MessageSlots::SlotState MessageSlots::remember(int i) const {
    const Form1& f = m_form;
    return {f.FilePath[i],          f.WaveFile[i].text(), f.MsgTime[i].caption(),
            f.MsgSize[i].caption(), f.TMsgSize[i],        f.MsgSample[i].caption()};
}

void MessageSlots::restore(int i, const SlotState& state) {
    Form1& f = m_form;
    f.FilePath[i] = state.filePath;
    f.WaveFile[i].setText(state.waveFile);
    f.MsgTime[i].setCaption(state.msgTime);
    f.MsgSize[i].setCaption(state.msgSize);
    f.TMsgSize[i] = state.tMsgSize;
    f.MsgSample[i].setCaption(state.msgSample);
}

void MessageSlots::setInitDir(int i) {
    Form1& f = m_form;
    // The slot's own folder, else the set's, else the folder a file was last chosen from.
    for (const std::string& folder : {folderOf(f.FilePath[i]), f.SetFolder, f.app().strWAVFilePath}) {
        if (!folder.empty()) {
            f.CommonDialog1.InitDir = folder;
            return;
        }
    }
}

void MessageSlots::showValues(int i, const WaveHeader& header) {
    Form1& f = m_form;
    const double rate = header.sampleRate;
    f.MsgTime[i].setCaption(Formats::seconds(static_cast<double>(header.dataSize) / (2.0 * rate)));
    f.MsgSample[i].setCaption(Formats::kilohertz(rate / 1000.0));
    f.TMsgSize[i] = storedSize(header.fileLength);
    f.MsgSize[i].setCaption(Formats::integer(f.TMsgSize[i] / 1000));
}

bool MessageSlots::showRejection(const WaveHeader& header, const std::string& path) {
    if (auto fault = FileFaults::wave(m_form.FileFaultText, header, path)) {
        m_form.platform().msgBox.Beep();
        m_form.platform().msgBox.MsgBox(*fault, IMessageBox::vbOKOnly, m_form.Caption);
        return true;
    }
    int index = -1;
    switch (header.verdict) {
        case WaveVerdict::NotWave:
            index = 4;
            break;
        case WaveVerdict::NotMono:
            index = 3;
            break;
        case WaveVerdict::RateOutOfRange:
            index = 2;
            break;
        case WaveVerdict::Not16Bit:
            index = 1;
            break;
        case WaveVerdict::Accepted:
        case WaveVerdict::NoDataChunk:
        case WaveVerdict::CutShort:
        case WaveVerdict::NoSound:
        case WaveVerdict::Unreadable:
            return false;
    }
    m_form.platform().msgBox.Beep();
    showMessage(index);
    return true;
}

void MessageSlots::showMessage(int index) {
    Form1& f = m_form;
    f.platform().msgBox.MsgBox(f.MsgText[index], IMessageBox::vbOKOnly, f.Caption);
}

std::optional<std::string> MessageSlots::displayName(const std::string& path) const {
    const char separator = m_form.platform().fs.separator();
    const auto slash = path.rfind(separator);
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = fileName.find('.');
    // Without a "." the name cannot be cut; a name starting with "." would leave a filled slot without a name.
    if (dot == std::string::npos || dot == 0)
        return std::nullopt;
    return fileName.substr(0, dot);
}

std::string MessageSlots::folderOf(const std::string& path) const {
    const auto slash = path.rfind(m_form.platform().fs.separator());
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
