// The configuration file reader on any bytes, followed by what the editor then does with a set it opened:
// the totals, the printout, a new file for slot 1 and the save. A file that opens must save, and the saved file must
// open to the same set (saved again byte for byte).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzPlatform.h"
#include "editor/ConfigFile.h"
#include "editor/TextPrintout.h"
#include "support/TestFiles.h"

using Bytes = std::vector<std::uint8_t>;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPlatform p;
    p.fs.put("/prog/in.cfg", std::string(reinterpret_cast<const char*>(data), size));
    if (!p.editor.config().OpenConfig("/prog/in.cfg"))
        return 0;
    FUZZ_CHECK(p.form.TFileLength >= 0 && p.form.TFileLength <= Form1::kMemoryBytes, "length within the memory");
    p.form.RecalcTotals();
    FUZZ_CHECK(p.form.TFileLength >= 0 && p.form.TFileLength <= Form1::kMemoryBytes, "totals within the memory");
    p.editor.printout().PrintOutTxt("/prog/PrintSetup.txt");
    // A file chosen for the first slot replaces that slot's size in the totals read from the file.
    const Bytes wave = waveFileBytes(5000, 8000, 1);
    p.fs.put("/prog/new.wav", std::string(wave.begin(), wave.end()));
    p.fileDialog.chooseNext("/prog/new.wav");
    p.form.Bt_Browse[1].click();
    FUZZ_CHECK(p.form.TFileLength >= 0 && p.form.TFileLength <= Form1::kMemoryBytes, "length after a new file");
    FUZZ_CHECK(p.editor.config().SaveConfig("/prog/out.cfg"), "an opened file saves");
    const std::string saved = *p.fs.readFile("/prog/out.cfg");

    FuzzPlatform again;
    again.fs.put("/prog/in.cfg", saved);
    FUZZ_CHECK(again.editor.config().OpenConfig("/prog/in.cfg"), "a saved file opens");
    FUZZ_CHECK(again.editor.config().SaveConfig("/prog/out.cfg"), "and saves again");
    FUZZ_CHECK(*again.fs.readFile("/prog/out.cfg") == saved, "to the same bytes");
    return 0;
}
