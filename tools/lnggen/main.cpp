// lnggen: writes one language file per built-in language ("de.lng" ...) into a folder, from the catalogue.
#include <cstdio>
#include <string>

#include "platform/StdFileSystem.h"
#include "settings/CodePageCodec.h"
#include "settings/LanguageTemplate.h"
#include "settings/StringCatalogue.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lnggen <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    StdFileSystem fs(folder);
    StringCatalogue catalogue;
    for (const LanguageTable* table : StringCatalogue::tables()) {
        const CodePageCodec codec(LanguageTemplate::codePageOf(table->lngBase));
        const std::string content = LanguageTemplate::content(catalogue, table->lngBase, codec);
        const std::string path = folder + fs.separator() + table->code + ".lng";
        if (content.empty() || !fs.writeFileAtomic(path, content)) {
            std::fprintf(stderr, "lnggen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
