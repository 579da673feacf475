#include "support/TestFiles.h"

#include <fstream>
#include <iterator>

std::vector<std::uint8_t> waveFileBytes(std::uint32_t length, std::uint32_t rate, int seed) {
    const std::uint32_t data = length - 44;
    std::vector<std::uint8_t> b{'R', 'I', 'F', 'F'};
    b.reserve(length);
    auto put = [&b](std::uint32_t v, int n) {
        for (int k = 0; k < n; ++k)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
    };
    put(36 + data, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put(data, 4);
    for (std::uint32_t i = 0; i < data; ++i)
        b.push_back(static_cast<std::uint8_t>((i * 13 + static_cast<std::uint32_t>(seed) * 29) % 251));
    return b;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> storedFormOf(std::vector<std::uint8_t> file) {
    if (file.size() % 2)
        file.push_back(0xFF);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < file.size(); i += 2)
        sum += file[i] * 256u + file[i + 1] + 1;
    const auto check = static_cast<std::uint16_t>(0xFFFF - (sum & 0xFFFF));
    file.push_back(static_cast<std::uint8_t>(check >> 8));
    file.push_back(static_cast<std::uint8_t>(check));
    return file;
}
