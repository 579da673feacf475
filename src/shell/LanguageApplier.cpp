#include "shell/LanguageApplier.h"

#include <array>
#include <utility>

#include "editor/FileFaults.h"
#include "editor/Form1.h"
#include "editor/FormTexts.h"
#include "settings/AppState.h"
#include "settings/LanguageFile.h"
#include "shell/InstanceMarker.h"
#include "shell/MDIKVT3310.h"

namespace {

/// Texts beyond a language file's lines, like the link's: the player's, the trace item's, the message
/// boxes' buttons and the questions before an upload erases the unit and before a save replaces a file.
constexpr int kNoSoundOffset = 840;
constexpr int kTraceOffset = 850;
constexpr int kButtonsOffset = 860;
constexpr int kEraseAllOffset = 900;
constexpr int kReplaceFileOffset = 910;
constexpr int kSaveWithFilesOffset = 921;
constexpr int kStopOffset = 970;
constexpr int kPortLostOffset = 950;
constexpr int kUnknownCodePageOffset = 941;
constexpr int kConvertOfferOffset = 942;
constexpr int kConnectTipOffset = 943;
/// A failed save, a cut-short and an empty wave file, an unwritable trace.
constexpr std::array<int, 4> kFaultOffsets = {920, 930, 940, 960};

}  // namespace

std::optional<std::vector<std::string>> LanguageApplier::readTexts(const std::string& file) const {
    const AppState& app = m_form.app();
    if (app.LngExternal) {
        auto lines = LanguageFile::read(m_form.platform().fs, m_form.platform().codec, file, LanguageFile::kLines);
        if (!lines)
            return std::nullopt;
        return std::vector<std::string>(lines->begin() + LanguageFile::kSplashLines, lines->end());
    }
    std::vector<std::string> texts;
    texts.reserve(kTexts);
    for (int offset = kFirstOffset; offset <= kLastOffset; offset += 10) {
        auto text = m_catalogue.text(app.LngBase, offset);
        if (!text)
            return std::nullopt;
        texts.push_back(std::move(*text));
    }
    return texts;
}

bool LanguageApplier::OpenLng(const std::string& file) {
    const AppState& app = m_form.app();
    int charset = app.LngExternal ? kWestern : charsetOf(app.LngBase);
    // Every text is read before anything changes, so a failure leaves the windows as they were.
    auto texts = readTexts(file);
    if (!texts) {
        Platform& platform = m_form.platform();
        const std::string reason = app.LngExternal ? platform.fs.lastError() : std::string();
        platform.msgBox.Beep();
        platform.msgBox.MsgBox(FileFaults::withFile(m_form.MsgText[kMsgNoLanguageFile], file, reason),
                               IMessageBox::vbQuestion | IMessageBox::vbOKOnly, m_form.Caption);
        return false;
    }
    apply(*texts, charset);
    return true;
}

void LanguageApplier::apply(const std::vector<std::string>& texts, int charset) {
    auto text = [&](int offset) -> const std::string& {
        return texts[static_cast<std::size_t>((offset - kFirstOffset) / 10)];
    };
    Form1& f = m_form;
    MDIKVT3310& mdi = m_mdi;

    // The open file's name stays in the title, after the new language's caption.
    const std::string& oldBase = f.app().strBaseCaption;
    const std::string fileName =
        !oldBase.empty() && mdi.caption().starts_with(oldBase) ? mdi.caption().substr(oldBase.size()) : "";
    f.app().strBaseCaption = text(70) + " ";
    mdi.setCaption(f.app().strBaseCaption + fileName);
    // The program's name titles the editor's message boxes, without the blank and colon the file name follows.
    const std::string& name = text(70);
    f.Caption = name.substr(0, name.find_last_not_of(" :") + 1);

    int offset = 80;
    for (MenuItem* item : {&mdi.File, &mdi.Open, &mdi.Save, &mdi.Save_as, &mdi.Save_as_text_file, &mdi.Exit, &mdi.Setup,
                           &mdi.Comport, &mdi.Com1, &mdi.Com2, &mdi.Language}) {
        item->setCaption(text(offset));
        offset += 10;
    }
    // Texts 190 and 200 name languages the menu does not offer; items 7 to 10 keep their codes.
    for (int i = 0; i <= 6; ++i)
        mdi.LngSel[i].setCaption(text(210 + 10 * i));
    offset = 280;
    for (MenuItem* item :
         {&mdi.other, &mdi.Help, &mdi.Instructions_for_use, &mdi.Contacts, &mdi.About_Tavro_message_manager}) {
        item->setCaption(text(offset));
        offset += 10;
    }

    auto caption = [&](auto& control, int textOffset) {
        control.setCaption(text(textOffset));
        control.setCharset(charset);
    };
    caption(f.Frame1[0], 330);
    caption(f.Frame1[1], 430);
    caption(f.Lb_Message_Play, 340);
    caption(f.Lb_Message_File, 350);
    caption(f.Lb_Message_Time[0], 360);
    caption(f.Lb_Message_Time[1], 370);
    caption(f.Lb_Message_Size[0], 380);
    caption(f.Lb_Message_Size[1], 390);
    caption(f.Lb_Message_Sample[0], 400);
    caption(f.Lb_Message_Sample[1], 410);
    for (int i = 1; i <= Form1::kSlots; ++i)
        caption(f.Bt_Browse[i], 420);
    caption(f.Lb_Trigger_Play, 440);
    caption(f.Lb_Trigger_Ms, 450);
    caption(f.Lb_Trigger_Time[0], 460);
    caption(f.Lb_Trigger_Time[1], 470);
    caption(f.Lb_Trigger_Zones[0], 480);
    caption(f.Lb_Total, 490);
    caption(f.Bt_SendMessage, 500);

    for (std::size_t i = 0; i < f.StatusText.size(); ++i)
        f.StatusText[i] = text(510 + 10 * static_cast<int>(i));
    for (std::size_t i = 0; i < f.MsgText.size(); ++i)
        f.MsgText[i] = text(670 + 10 * static_cast<int>(i));
    // A language file has no lines for these: English stands in for them.
    const int linkBase = m_form.app().LngExternal ? 0 : m_form.app().LngBase;
    for (std::size_t i = 0; i < f.LinkText.size(); ++i) {
        if (auto linkText = m_catalogue.text(linkBase, kLinkFirstOffset + 10 * static_cast<int>(i)))
            f.LinkText[i] = std::move(*linkText);
    }
    if (auto noSound = m_catalogue.text(linkBase, kNoSoundOffset))
        f.NoSoundText = std::move(*noSound);
    if (auto eraseAll = m_catalogue.text(linkBase, kEraseAllOffset))
        f.EraseAllText = std::move(*eraseAll);
    if (auto replaceFile = m_catalogue.text(linkBase, kReplaceFileOffset))
        f.ReplaceFileText = std::move(*replaceFile);
    if (auto question = m_catalogue.text(linkBase, kStopOffset))
        f.StopUploadQuestion = std::move(*question);
    for (std::size_t i = 0; i < f.StoppedText.size(); ++i) {
        if (auto stopped = m_catalogue.text(linkBase, kStopOffset + 10 + 10 * static_cast<int>(i)))
            f.StoppedText[i] = std::move(*stopped);
    }
    for (auto [text, offset] :
         {std::pair{&f.UnknownCodePageText, kUnknownCodePageOffset},
          std::pair{&f.ConvertOfferText[0], kConvertOfferOffset},
          std::pair{&f.ConvertOfferText[1], kConvertOfferOffset + 3}, std::pair{&f.ConnectTipText, kConnectTipOffset},
          std::pair{&f.DisconnectTipText, kConnectTipOffset + 1}}) {
        if (auto found = m_catalogue.text(linkBase, offset))
            *text = std::move(*found);
    }
    if (auto portLost = m_catalogue.text(linkBase, kPortLostOffset))
        f.PortLostText = std::move(*portLost);
    for (std::size_t i = 0; i < f.FileFaultText.size(); ++i) {
        if (auto fault = m_catalogue.text(linkBase, kFaultOffsets[i]))
            f.FileFaultText[i] = std::move(*fault);
    }
    for (std::size_t i = 0; i < f.SetFilesText.size(); ++i) {
        if (auto setFiles = m_catalogue.text(linkBase, kSetFilesFirstOffset + static_cast<int>(i)))
            f.SetFilesText[i] = std::move(*setFiles);
    }
    if (auto saveWithFiles = m_catalogue.text(linkBase, kSaveWithFilesOffset))
        mdi.Save_as_with_its_files.setCaption(*saveWithFiles);
    for (int i = 0; i < kReadBackTexts; ++i) {
        if (auto readBack = m_catalogue.text(linkBase, readBackOffset(i)))
            f.ReadBackText[static_cast<std::size_t>(i)] = std::move(*readBack);
    }
    mdi.Read_from_unit.setCaption(f.ReadBackText[kReadBackMenu]);
    if (auto trace = m_catalogue.text(linkBase, kTraceOffset))
        mdi.Trace.setCaption(*trace);
    // As the system labels them in its own language on a PC set up for it.
    auto button = [&](int index) { return m_catalogue.text(linkBase, kButtonsOffset + 10 * index).value_or(""); };
    f.platform().msgBox.setButtonTexts({button(0), button(1), button(2), button(3)});
    f.MDI_MsgInfo[0].setCaption(f.MsgText[6]);
    f.MDI_MsgInfo[1].setCaption(f.MsgText[7]);

    f.sbrStatus.setPanelText(1, f.StatusText[11] + " ");
    f.sbrStatus.setPanelText(2, f.StatusText[12] + " ");
    f.sbrStatus.setCharset(charset);

    InstanceMarker(f.platform(), f.app(), mdi).WriteTempFile();
    applied.emit();
}
