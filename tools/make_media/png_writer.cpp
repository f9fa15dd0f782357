#include "png_writer.h"

#include "rgba_image.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

void put_chunk(std::ofstream& file, const char* type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> chunk;
    put_u32(chunk, std::uint32_t(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    // The checksum covers the type and the data, not the length.
    put_u32(chunk, std::uint32_t(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4))));
    file.write(reinterpret_cast<const char*>(chunk.data()), std::streamsize(chunk.size()));
}

}

void write_png(const rgba_image& image, const std::string& path)
{
    const std::size_t stride = std::size_t(image.width()) * 4;
    std::vector<std::uint8_t> raw;
    raw.reserve((stride + 1) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0); // no filter on this row
        const auto row = image.bytes().begin() + std::ptrdiff_t(y * stride);
        raw.insert(raw.end(), row, row + std::ptrdiff_t(stride));
    }
    uLongf packed_size = compressBound(uLong(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), uLong(raw.size()), 9) != Z_OK)
        throw std::runtime_error("cannot compress " + path);
    packed.resize(packed_size);

    std::vector<std::uint8_t> header;
    put_u32(header, std::uint32_t(image.width()));
    put_u32(header, std::uint32_t(image.height()));
    // 8 bits a channel, colour type 6 (RGBA), deflate, no filter set, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});

    std::ofstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot write " + path);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    file.write(reinterpret_cast<const char*>(signature), sizeof signature);
    put_chunk(file, "IHDR", header);
    put_chunk(file, "IDAT", packed);
    put_chunk(file, "IEND", {});
    if (!file)
        throw std::runtime_error("cannot write " + path);
}
