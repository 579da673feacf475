// Times the wave header check on 8 MB files: a canonical one, one whose data chunk comes last, and one
// without a data chunk (the whole file is searched). Target: under 10 ms each.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/WaveHeader.h"
#include "platform/StdFileSystem.h"

namespace {

constexpr std::uint32_t kFileBytes = 8 * 1024 * 1024;
constexpr int kRuns = 25;

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The first 36 bytes of a 16-bit mono 8000 Hz header, up to the data chunk.
std::string formatPart() {
    std::string out = "RIFF";
    put32(out, kFileBytes - 8);
    out += "WAVEfmt ";
    put32(out, 16);
    out += std::string("\x01\x00\x01\x00", 4);
    put32(out, 8000);
    put32(out, 16000);
    out += std::string("\x02\x00\x10\x00", 4);
    return out;
}

std::string withDataAt(std::uint32_t at, bool withTag) {
    std::string bytes = formatPart();
    bytes.resize(kFileBytes, '\x11');
    if (withTag) {
        bytes.replace(at, 4, "data");
        std::string size;
        put32(size, kFileBytes - at - 8);
        bytes.replace(at + 4, 4, size);
    }
    return bytes;
}

void write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void bench(const char* label, const StdFileSystem& fs, const std::string& path) {
    std::vector<double> ms;
    WaveHeader header;
    for (int run = 0; run < kRuns; ++run) {
        auto start = std::chrono::steady_clock::now();
        header = ReadWaveHeader(fs, path);
        auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s verdict %d  min %7.3f ms  median %7.3f ms  max %7.3f ms\n", label,
                static_cast<int>(header.verdict), ms.front(), ms[ms.size() / 2], ms.back());
}

}  // namespace

int main() {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / "kvt3310-bench-wave";
    fs::create_directories(folder);
    StdFileSystem files(folder.string());
    const std::string canonical = (folder / "canonical.wav").string();
    const std::string lastChunk = (folder / "data-last.wav").string();
    const std::string noChunk = (folder / "no-data.wav").string();
    write(canonical, withDataAt(36, true));
    write(lastChunk, withDataAt(kFileBytes - 8, true));
    write(noChunk, withDataAt(0, false));

    std::printf("wave header check, 8 MB files, %d runs each (target: under 10 ms)\n", kRuns);
    bench("data chunk at 36", files, canonical);
    bench("data chunk at the end", files, lastChunk);
    bench("no data chunk", files, noChunk);

    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
