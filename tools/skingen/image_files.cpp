#include "tools/skingen/image_files.h"

#include <cstdint>
#include <fstream>
#include <string>

namespace skingen {

namespace {

class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void U16(uint16_t v) { U8(v & 0xFF), U8(v >> 8); }
    void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Zeros(size_t n) { bytes_.append(n, '\0'); }
    size_t Size() const { return bytes_.size(); }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

constexpr uint32_t kInfoHeaderSize = 40;

void InfoHeader(ByteWriter& w, int width, int height, uint16_t bits, uint32_t imageSize) {
    w.U32(kInfoHeaderSize);
    w.I32(width);
    w.I32(height);
    w.U16(1);     // planes
    w.U16(bits);
    w.U32(0);     // BI_RGB
    w.U32(imageSize);
    w.I32(2835);  // 72 dpi
    w.I32(2835);
    w.U32(0);
    w.U32(0);
}

size_t RowStride(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

bool WriteBmp(const std::filesystem::path& path, const Canvas& image) {
    const size_t stride = RowStride(image.Width(), 24);
    const size_t pixelBytes = stride * image.Height();
    const uint32_t offset = 14 + kInfoHeaderSize;
    ByteWriter w;
    w.U8('B'), w.U8('M');
    w.U32(static_cast<uint32_t>(offset + pixelBytes));
    w.U32(0);
    w.U32(offset);
    InfoHeader(w, image.Width(), image.Height(), 24, static_cast<uint32_t>(pixelBytes));
    for (int y = image.Height() - 1; y >= 0; --y) {  // bottom-up
        for (int x = 0; x < image.Width(); ++x) {
            Colour c = image.At(x, y);
            w.U8(c.b), w.U8(c.g), w.U8(c.r);
        }
        w.Zeros(stride - static_cast<size_t>(image.Width()) * 3);
    }
    return WriteBytes(path, w.Bytes());
}

bool WriteIco(const std::filesystem::path& path, const std::vector<Canvas>& images) {
    ByteWriter w;
    w.U16(0), w.U16(1), w.U16(static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    std::vector<ByteWriter> bodies;
    for (const Canvas& image : images) {
        ByteWriter body;
        const size_t maskStride = RowStride(image.Width(), 1);
        const uint32_t colourBytes = static_cast<uint32_t>(image.Width() * image.Height() * 4);
        InfoHeader(body, image.Width(), image.Height() * 2, 32,
                   colourBytes + static_cast<uint32_t>(maskStride * image.Height()));
        for (int y = image.Height() - 1; y >= 0; --y)
            for (int x = 0; x < image.Width(); ++x) {
                Colour c = image.At(x, y);
                body.U8(c.b), body.U8(c.g), body.U8(c.r), body.U8(c.a);
            }
        for (int y = image.Height() - 1; y >= 0; --y) {  // AND mask: 1 = transparent
            std::string row(maskStride, '\0');
            for (int x = 0; x < image.Width(); ++x)
                if (image.At(x, y).a == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            for (char b : row) body.U8(static_cast<uint8_t>(b));
        }
        w.U8(static_cast<uint8_t>(image.Width() >= 256 ? 0 : image.Width()));
        w.U8(static_cast<uint8_t>(image.Height() >= 256 ? 0 : image.Height()));
        w.U8(0), w.U8(0);
        w.U16(1), w.U16(32);
        w.U32(static_cast<uint32_t>(body.Size()));
        w.U32(offset);
        offset += static_cast<uint32_t>(body.Size());
        bodies.push_back(std::move(body));
    }
    std::string bytes = w.Bytes();
    for (const ByteWriter& body : bodies) bytes += body.Bytes();
    return WriteBytes(path, bytes);
}

bool WriteTextFile(const std::filesystem::path& path, std::string_view text) {
    return WriteBytes(path, std::string(text));
}

}  // namespace skingen
