#pragma once
// PNG output without a compression library: 8-bit RGB, filter 0 on every row, the image data in
// zlib stored (uncompressed) blocks. Larger than a compressed file but read by every viewer.
#include "common/Status.h"
#include "explain/RgbImage.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace trakmora {

// CRC-32 of PNG chunks (polynomial 0xEDB88320), and the zlib Adler-32 checksum.
std::uint32_t crc32(std::string_view data);
std::uint32_t adler32(std::string_view data);

// The whole PNG file.
std::string pngBytes(const RgbImage& image);

Status writePng(const RgbImage& image, const std::filesystem::path& file);

} // namespace trakmora
