#include "explain/PngWriter.h"

#include "common/FileIo.h"

#include <algorithm>
#include <array>

namespace trakmora {
namespace {

std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void putBigEndian(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

void appendChunk(std::string& out, std::string_view type, std::string_view data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string typed(type);
    typed += data;
    out += typed;
    putBigEndian(out, crc32(typed));
}

} // namespace

std::uint32_t crc32(std::string_view data) {
    static const auto table = crcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : data)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(std::string_view data) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::string pngBytes(const RgbImage& image) {
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width()));
    putBigEndian(header, static_cast<std::uint32_t>(image.height()));
    header += std::string{8, 2, 0, 0, 0}; // 8 bits, RGB, deflate, no filter method, no interlace
    appendChunk(out, "IHDR", header);

    // The raw scanlines, each after its filter byte 0.
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * 3;
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(image.height()));
    const auto& px = image.bytes();
    for (std::size_t y = 0; y < static_cast<std::size_t>(image.height()); ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(px.data()) + y * rowBytes, rowBytes);
    }
    std::string zlib = "\x78\x01"; // deflate, 32 K window, no dictionary; 0x7801 is a multiple of 31
    for (std::size_t pos = 0;;) {
        const std::size_t len = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + len == raw.size();
        zlib += static_cast<char>(last ? 1 : 0);
        zlib += static_cast<char>(len & 0xFF);
        zlib += static_cast<char>(len >> 8);
        zlib += static_cast<char>(~len & 0xFF);
        zlib += static_cast<char>((~len >> 8) & 0xFF);
        zlib.append(raw, pos, len);
        pos += len;
        if (last) break;
    }
    putBigEndian(zlib, adler32(raw));
    appendChunk(out, "IDAT", zlib);
    appendChunk(out, "IEND", "");
    return out;
}

Status writePng(const RgbImage& image, const std::filesystem::path& file) {
    return writeFileAtomically(file, pngBytes(image));
}

} // namespace trakmora
