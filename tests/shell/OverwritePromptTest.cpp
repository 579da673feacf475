// Save as, an untitled Save and Save as text file ask before they replace an existing file, about the file they
// write; a No brings the dialog back and leaves the file as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "editor/Editor.h"
#include "settings/AppState.h"
#include "shell/FileCommands.h"
#include "shell/MDIKVT3310.h"
#include "shell/Workbench.h"
#include "support/TestPlatform.h"

namespace {

constexpr const char* kOld = "the file of an earlier day";
constexpr int kQuestionFlags = IMessageBox::vbYesNo | IMessageBox::vbExclamation | IMessageBox::vbDefaultButton2;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

/// The file commands over a fresh editor on the fake platform.
struct Desk {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{test.platform, app};
    Form1& form = editor.form();
    Workbench bench{test.platform, app, mdi, form};
    FileCommands commands{test.platform, app, mdi, editor};

    Desk() {
        form.Caption = "KVT3310";
        form.Form_Load();
        for (std::string* f : {&app.strAPPFilePath, &app.strMSGFilePath, &app.strTMPFilePath})
            *f = test.folder.slashed();
    }
};

TEST(Overwrite, existingFile_isReplacedOnlyAfterAYes_aNoBringsTheDialogBack) {
    enum class Command { SaveAs, UntitledSave, Text };
    const struct {
        const char* name;
        Command command;
        const char* existing;
        const char* chosen;
        bool dialogAsks;            ///< the dialog itself asked about the name it returned
        std::optional<int> answer;  ///< the program's question and its answer; none when it must not ask
        bool replaced;
    } cases[] = {
        {"Save as, No", Command::SaveAs, "hall.cfg", "hall.cfg", false, IMessageBox::vbNo, false},
        {"Save as, Yes", Command::SaveAs, "hall.cfg", "hall.cfg", false, IMessageBox::vbYes, true},
        {"Save as, name changed", Command::SaveAs, "hall.cfg", "hall.txt", false, IMessageBox::vbNo, false},
        {"Save as, new file", Command::SaveAs, "lobby.cfg", "hall.cfg", false, std::nullopt, false},
        {"untitled Save, remembered name", Command::UntitledSave, "MessageSetup.cfg", "MessageSetup.cfg", false,
         IMessageBox::vbNo, false},
        {"text file, No", Command::Text, "print.txt", "print.txt", false, IMessageBox::vbNo, false},
        {"text file, Yes", Command::Text, "print.txt", "print.txt", false, IMessageBox::vbYes, true},
        {"dialog asked", Command::SaveAs, "hall.cfg", "hall.cfg", true, std::nullopt, true},
        {"dialog asked, name changed", Command::SaveAs, "hall.cfg", "hall.x.cfg", true, IMessageBox::vbNo, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Desk f;
        const std::string existing = f.test.folder.file(c.existing);
        ASSERT_TRUE(f.test.fs.writeFileAtomic(existing, kOld));
        f.test.fileDialog.confirms = c.dialogAsks;
        f.test.fileDialog.chooseNext(f.test.folder.file(c.chosen));
        if (c.answer)
            f.test.msgBox.answerNext(*c.answer);
        if (c.answer == IMessageBox::vbNo)
            f.test.fileDialog.cancelNext();

        switch (c.command) {
            case Command::SaveAs:
                f.commands.saveAs();
                break;
            case Command::UntitledSave:
                f.commands.save();
                break;
            case Command::Text:
                f.commands.saveAsTextFile();
                break;
        }

        ASSERT_EQ(f.test.fileDialog.requests.size(), c.answer == IMessageBox::vbNo ? 2u : 1u);
        for (const FileDialogRequest& request : f.test.fileDialog.requests)
            EXPECT_TRUE(request.overwritePrompt);
        ASSERT_EQ(f.test.msgBox.shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(f.test.msgBox.shown[0].text,
                      std::string(c.existing) + " already exists. Do you want to replace it?");
            EXPECT_EQ(f.test.msgBox.shown[0].title, "KVT3310");
            EXPECT_EQ(f.test.msgBox.shown[0].flags, kQuestionFlags);
        }
        EXPECT_EQ(readBytes(existing) != kOld, c.replaced);
        if (c.answer == IMessageBox::vbNo) {
            EXPECT_TRUE(f.test.viewer.viewed.empty());
        }
    }
}

}  // namespace
