// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Build-time converter: reads an X11 bitmap font (PCF, optionally gzip-compressed,
// as Debian ships them under /usr/share/fonts/X11) and writes a C++ source file that
// defines one soft::gdi::FontFace: 256 character cells of a Windows code page, each row a
// 32-bit mask with the cell's leftmost pixel in bit 31.
//
// usage: gdi-fontgen FONT.pcf.gz CODEPAGE FONT_CODE_LIMIT SYMBOL FACE_NAME OUT.cpp
//   CODEPAGE         the iconv name of the code page TextOutA's bytes are in (CP1252, IBM437)
//   FONT_CODE_LIMIT  the font's encoding agrees with Unicode below this code (0x110000 for
//                    iso10646-1, 256 for iso8859-1, 128 for iso646)
#include <zlib.h>

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// PCF table types and format bits (from the X11 PCF file layout).
constexpr uint32_t pcfAccelerators = 1u << 1;
constexpr uint32_t pcfMetrics = 1u << 2;
constexpr uint32_t pcfBitmaps = 1u << 3;
constexpr uint32_t pcfEncodings = 1u << 5;
constexpr uint32_t pcfBdfAccelerators = 1u << 8;
constexpr uint32_t formatCompressedMetrics = 0x100;
constexpr uint32_t formatMask = 0xFFFFFF00;
constexpr uint32_t byteOrderMsb = 1u << 2;
constexpr uint32_t bitOrderMsb = 1u << 3;
constexpr uint16_t noGlyph = 0xFFFF;

[[noreturn]] void fail(const std::string& why) { throw std::runtime_error(why); }

std::vector<uint8_t> readWholeFile(const char* path)
{
    gzFile file = gzopen(path, "rb");
    if (!file)
        fail(std::string("cannot open ") + path);
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    int n;
    while ((n = gzread(file, chunk, sizeof chunk)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    gzclose(file);
    if (n < 0)
        fail(std::string("cannot read ") + path);
    return bytes;
}

// Reads one PCF table: every integer in it follows the byte order of its format word,
// which itself is always least significant byte first.
class TableReader {
public:
    TableReader(const std::vector<uint8_t>& file, uint32_t offset, uint32_t size)
        : file_(file), pos(offset), end_(std::min<uint64_t>(uint64_t(offset) + size, file.size()))
    {
        // Some font compilers state table sizes a little past the end of the file; what
        // the table really holds is checked as it is read.
        format_ = u32le();
    }
    uint32_t format() const { return format_; }
    uint32_t u32() { return msb() ? be(4) : le(4); }
    int16_t s16() { return int16_t(msb() ? be(2) : le(2)); }
    uint8_t u8() { return uint8_t(le(1)); }
    void skip(uint32_t n) { need(n), pos += n; }
    size_t position() const { return pos; }

private:
    bool msb() const { return format_ & byteOrderMsb; }
    uint32_t u32le() { return le(4); }
    void need(uint64_t n) const
    {
        if (pos + n > end_)
            fail("a table is shorter than its contents");
    }
    uint32_t le(int n)
    {
        need(n);
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | file_[pos + i];
        pos += n;
        return v;
    }
    uint32_t be(int n)
    {
        need(n);
        uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | file_[pos + i];
        pos += n;
        return v;
    }

    const std::vector<uint8_t>& file_;
    uint64_t pos;
    uint64_t end_;
    uint32_t format_;
};

struct GlyphMetrics {
    int left, right, width, ascent, descent;
};

struct PcfFont {
    int ascent = 0, descent = 0;
    std::vector<GlyphMetrics> metrics;
    std::vector<std::vector<uint32_t>> rows;  // per glyph, per row: bit 31 = leftmost ink column
    std::vector<uint16_t> glyphOfCode;        // code -> glyph index or noGlyph
    uint32_t defaultCode = 0;
};

struct TableEntry {
    uint32_t type, format, size, offset;
};

std::vector<TableEntry> readTableOfContents(const std::vector<uint8_t>& file)
{
    if (file.size() < 8 || std::memcmp(file.data(), "\1fcp", 4) != 0)
        fail("not a PCF font");
    auto le32 = [&](size_t at) {
        if (at + 4 > file.size())
            fail("truncated table of contents");
        return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 |
               uint32_t(file[at + 3]) << 24;
    };
    uint32_t count = le32(4);
    std::vector<TableEntry> tables;
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = 8 + 16 * size_t(i);
        tables.push_back({le32(at), le32(at + 4), le32(at + 8), le32(at + 12)});
    }
    return tables;
}

const TableEntry* findTable(const std::vector<TableEntry>& tables, uint32_t type)
{
    for (const TableEntry& t : tables)
        if (t.type == type)
            return &t;
    return nullptr;
}

void readAccelerators(const std::vector<uint8_t>& file, const TableEntry& t, PcfFont& font)
{
    TableReader r(file, t.offset, t.size);
    r.skip(8);  // noOverlap .. padding: eight one-byte flags
    font.ascent = int(r.u32());
    font.descent = int(r.u32());
}

void readMetrics(const std::vector<uint8_t>& file, const TableEntry& t, PcfFont& font)
{
    TableReader r(file, t.offset, t.size);
    bool compressed = (r.format() & formatMask) == formatCompressedMetrics;
    uint32_t count = compressed ? uint16_t(r.s16()) : r.u32();
    for (uint32_t i = 0; i < count; ++i) {
        GlyphMetrics m;
        if (compressed) {
            m.left = r.u8() - 0x80;
            m.right = r.u8() - 0x80;
            m.width = r.u8() - 0x80;
            m.ascent = r.u8() - 0x80;
            m.descent = r.u8() - 0x80;
        } else {
            m.left = r.s16();
            m.right = r.s16();
            m.width = r.s16();
            m.ascent = r.s16();
            m.descent = r.s16();
            r.s16();  // attributes
        }
        font.metrics.push_back(m);
    }
}

uint8_t reverseBits(uint8_t b)
{
    uint8_t r = 0;
    for (int i = 0; i < 8; ++i)
        r |= ((b >> i) & 1) << (7 - i);
    return r;
}

void readBitmaps(const std::vector<uint8_t>& file, const TableEntry& t, PcfFont& font)
{
    TableReader r(file, t.offset, t.size);
    uint32_t format = r.format();
    uint32_t count = r.u32();
    if (count != font.metrics.size())
        fail("bitmap and metric counts differ");
    std::vector<uint32_t> offsets(count);
    for (uint32_t& o : offsets)
        o = r.u32();
    uint32_t sizes[4];
    for (uint32_t& s : sizes)
        s = r.u32();
    size_t dataStart = r.position();
    int padBytes = 1 << (format & 3);
    int unitBytes = 1 << ((format >> 4) & 3);
    bool msbBits = format & bitOrderMsb;
    bool msbBytes = format & byteOrderMsb;
    uint32_t dataSize = sizes[format & 3];
    if (dataStart + dataSize > file.size())
        fail("glyph bitmaps run past the end of the font file");

    for (uint32_t g = 0; g < count; ++g) {
        const GlyphMetrics& m = font.metrics[g];
        int inkWidth = m.right - m.left;
        int height = m.ascent + m.descent;
        int rowBytes = (inkWidth + 7) / 8;
        rowBytes = (rowBytes + padBytes - 1) / padBytes * padBytes;
        if (inkWidth > 32)
            fail("a glyph is wider than 32 pixels");
        std::vector<uint32_t> rows;
        for (int y = 0; y < height; ++y) {
            size_t rowAt = dataStart + offsets[g] + size_t(y) * rowBytes;
            if (offsets[g] + size_t(y + 1) * rowBytes > dataSize)
                fail("a glyph runs past the bitmap data");
            std::vector<uint8_t> row(file.begin() + rowAt, file.begin() + rowAt + rowBytes);
            // Bring the bytes into most-significant-bit-first order, one after the other.
            if (msbBytes != msbBits && unitBytes > 1)
                for (int u = 0; u + unitBytes <= rowBytes; u += unitBytes)
                    std::reverse(row.begin() + u, row.begin() + u + unitBytes);
            if (!msbBits)
                for (uint8_t& b : row)
                    b = reverseBits(b);
            uint32_t mask = 0;
            for (int x = 0; x < inkWidth; ++x)
                if (row[x / 8] & (0x80 >> (x % 8)))
                    mask |= 0x80000000u >> x;
            rows.push_back(mask);
        }
        font.rows.push_back(rows);
    }
}

void readEncodings(const std::vector<uint8_t>& file, const TableEntry& t, PcfFont& font)
{
    TableReader r(file, t.offset, t.size);
    int minByte2 = r.s16(), maxByte2 = r.s16(), minByte1 = r.s16(), maxByte1 = r.s16();
    font.defaultCode = uint16_t(r.s16());
    font.glyphOfCode.assign(65536, noGlyph);
    for (int b1 = minByte1; b1 <= maxByte1; ++b1)
        for (int b2 = minByte2; b2 <= maxByte2; ++b2) {
            uint16_t glyph = uint16_t(r.s16());
            if (glyph < font.metrics.size())
                font.glyphOfCode[(b1 << 8 | b2) & 0xFFFF] = glyph;
        }
}

PcfFont readPcf(const char* path)
{
    std::vector<uint8_t> file = readWholeFile(path);
    std::vector<TableEntry> tables = readTableOfContents(file);
    PcfFont font;
    const TableEntry* accel = findTable(tables, pcfBdfAccelerators);
    if (!accel)
        accel = findTable(tables, pcfAccelerators);
    const TableEntry* metrics = findTable(tables, pcfMetrics);
    const TableEntry* bitmaps = findTable(tables, pcfBitmaps);
    const TableEntry* encodings = findTable(tables, pcfEncodings);
    if (!accel || !metrics || !bitmaps || !encodings)
        fail("the font lacks accelerator, metric, bitmap or encoding tables");
    readAccelerators(file, *accel, font);
    readMetrics(file, *metrics, font);
    readBitmaps(file, *bitmaps, font);
    readEncodings(file, *encodings, font);
    return font;
}

// The Unicode character each byte of the code page stands for, or -1.
std::vector<long> codePageToUnicode(const char* codePage)
{
    std::vector<long> unicode(256, -1);
    iconv_t cd = iconv_open("UTF-32LE", codePage);
    for (int b = 0; b < 256; ++b) {
        if (cd == iconv_t(-1)) {
            unicode[b] = b < 128 ? b : -1;  // without iconv, at least ASCII is certain
            continue;
        }
        char in = char(b);
        uint8_t out[4];
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        size_t inLeft = 1, outLeft = 4;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == 0)
            unicode[b] = long(out[0]) | long(out[1]) << 8 | long(out[2]) << 16 | long(out[3]) << 24;
    }
    if (cd != iconv_t(-1))
        iconv_close(cd);
    return unicode;
}

void writeFace(const PcfFont& font, const std::vector<long>& unicode, long codeLimit, const char* symbol,
               const char* faceName, const char* outPath)
{
    int height = font.ascent + font.descent;
    if (height <= 0 || height > 64)
        fail("unexpected font height");
    auto glyphFor = [&](long code) -> int {
        if (code < 0 || code >= codeLimit || code > 0xFFFF)
            return -1;
        uint16_t g = font.glyphOfCode[code];
        return g == noGlyph ? -1 : g;
    };
    int fallback = glyphFor(font.defaultCode);
    if (fallback < 0)
        fallback = glyphFor(' ');

    std::vector<int> advance(256, 0);
    std::vector<uint32_t> cells(256 * size_t(height), 0);
    int maxWidth = 0, inkChars = 0;
    long widthSum = 0;
    for (int b = 0; b < 256; ++b) {
        int g = glyphFor(unicode[b]);
        if (g < 0)
            g = fallback;
        if (g < 0)
            continue;
        const GlyphMetrics& m = font.metrics[g];
        advance[b] = std::clamp(m.width, 0, 32);
        maxWidth = std::max(maxWidth, advance[b]);
        if (b >= 'a' && b <= 'z') {  // Windows' average width is that of the lower-case letters
            widthSum += advance[b];
            ++inkChars;
        }
        for (int y = 0; y < m.ascent + m.descent; ++y) {
            int cellRow = font.ascent - m.ascent + y;
            if (cellRow < 0 || cellRow >= height)
                continue;
            uint32_t mask = font.rows[g][y];
            mask = m.left >= 0 ? mask >> m.left : mask << -m.left;
            cells[size_t(b) * height + cellRow] = mask;
        }
    }
    bool fixedPitch = true;
    for (int b = 32; b < 127; ++b)
        fixedPitch = fixedPitch && advance[b] == advance[' '];
    int averageWidth = inkChars ? int((widthSum + inkChars / 2) / inkChars) : maxWidth;

    FILE* out = std::fopen(outPath, "w");
    if (!out)
        fail(std::string("cannot write ") + outPath);
    std::fprintf(out, "// Generated at build time by gdi-fontgen; do not edit.\n");
    std::fprintf(out, "#include \"font_face.h\"\n\nnamespace soft::gdi {\nnamespace {\n");
    std::fprintf(out, "const uint8_t advances[256] = {");
    for (int b = 0; b < 256; ++b)
        std::fprintf(out, "%s%d,", b % 16 ? " " : "\n    ", advance[b]);
    std::fprintf(out, "\n};\nconst uint32_t rows[%zu] = {", cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
        std::fprintf(out, "%s0x%08X,", i % 8 ? " " : "\n    ", cells[i]);
    std::fprintf(out, "\n};\n} // namespace\n\n");
    std::fprintf(out, "const FontFace %s = {\"%s\", %d, %d, %d, %d, %d, %s, advances, rows};\n", symbol, faceName,
                 height, font.ascent, font.descent, averageWidth, maxWidth, fixedPitch ? "true" : "false");
    std::fprintf(out, "\n} // namespace soft::gdi\n");
    if (std::fclose(out) != 0)
        fail(std::string("cannot write ") + outPath);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: gdi-fontgen FONT.pcf[.gz] CODEPAGE FONT_CODE_LIMIT SYMBOL FACE_NAME OUT.cpp\n");
        return 64;
    }
    try {
        PcfFont font = readPcf(argv[1]);
        writeFace(font, codePageToUnicode(argv[2]), std::strtol(argv[3], nullptr, 0), argv[4], argv[5], argv[6]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gdi-fontgen: %s: %s\n", argv[1], e.what());
        std::remove(argv[6]);
        return 1;
    }
    return 0;
}
