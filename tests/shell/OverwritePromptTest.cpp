// Save as, an untitled Save and Save as text file ask before they replace an existing file, about the file they
// write; a No brings the dialog back and leaves the file as it was.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "editor/Editor.h"
#include "settings/AppState.h"
#include "shell/FileCommands.h"
#include "shell/MDIKVT3310.h"
#include "support/TestPlatform.h"

namespace {

constexpr const char* kOld = "the file of an earlier day";
constexpr int kQuestionFlags = IMessageBox::vbYesNo | IMessageBox::vbExclamation | IMessageBox::vbDefaultButton2;

/// The file commands over a fresh editor on the fake platform.
struct Desk {
    TestPlatform test;
    AppState app;
    MDIKVT3310 mdi;
    Editor editor{test.platform, app};
    FileCommands commands{test.platform, app, mdi, editor};

    Desk() {
        editor.form().Form_Load();
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

        if (c.command == Command::SaveAs)
            f.commands.saveAs();
        else if (c.command == Command::UntitledSave)
            f.commands.save();
        else
            f.commands.saveAsTextFile();

        ASSERT_EQ(f.test.fileDialog.requests.size(), c.answer == IMessageBox::vbNo ? 2u : 1u);
        for (const FileDialogRequest& request : f.test.fileDialog.requests)
            EXPECT_TRUE(request.overwritePrompt);
        ASSERT_EQ(f.test.msgBox.shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(f.test.msgBox.shown[0].text,
                      std::string(c.existing) + " already exists. Do you want to replace it?");
            EXPECT_EQ(f.test.msgBox.shown[0].flags, kQuestionFlags);
        }
        EXPECT_EQ(f.test.fs.readFile(existing) != kOld, c.replaced);
    }
}

}  // namespace
