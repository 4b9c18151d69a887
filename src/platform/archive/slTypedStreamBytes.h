// Byte-level pieces of the typedstream archive format: compact integers, reals, counted
// bytes and the tag bytes. The writer always produces the little-endian variant; the
// reader accepts both byte orders and checks every length against the data it has.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace slTypedStream {

constexpr uint8_t kStreamerVersion = 4;
constexpr int kSystemVersion = 1000;
constexpr std::string_view kSignatureLittleEndian = "streamtyped";
constexpr std::string_view kSignatureBigEndian = "typedstream";

// Reserved head bytes (as signed values -127 .. -122).
constexpr uint8_t kTagInt16 = 0x81;
constexpr uint8_t kTagInt32 = 0x82;
constexpr uint8_t kTagReal = 0x83;
constexpr uint8_t kTagNew = 0x84;
constexpr uint8_t kTagNil = 0x85;
constexpr uint8_t kTagEnd = 0x86;
constexpr int kLabelBase = -110;  // table entry n is written as the integer n - 110

inline bool isReservedHead(uint8_t b) {
    return b >= 0x80 && b <= 0x91;
}

// The N of a byte array type "[Nc]" or "[NC]" whose "[" has been read; moves type past "]".
// Our records name their types in code, so any other array type is a programming error.
size_t charArrayLength(const char *&type);

// A damaged or unreadable archive: what is wrong and where.
class slArchiveError : public std::runtime_error {
public:
    slArchiveError(const std::string &what, size_t offset)
        : std::runtime_error(what + " at byte " + std::to_string(offset)), offset_(offset) {}
    size_t offset() const { return offset_; }

private:
    size_t offset_;
};

class ByteWriter {
public:
    void byte(uint8_t b) { data_.push_back(b); }
    void raw(const void *bytes, size_t count);
    void compactInt(int32_t v);
    void real(double v, bool isFloat);  // 'f' (4 bytes) or 'd' (8 bytes)
    void countedBytes(std::string_view bytes);
    const std::vector<uint8_t> &data() const { return data_; }

private:
    std::vector<uint8_t> data_;
};

class ByteReader {
public:
    ByteReader(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    void setBigEndian(bool big) { bigEndian_ = big; }

    size_t offset() const { return offset_; }
    size_t remaining() const { return size_ - offset_; }
    bool atEnd() const { return offset_ == size_; }

    uint8_t byte();
    uint8_t peek() const;
    // A compact integer whose head byte has already been read.
    int32_t compactIntAfter(uint8_t head);
    int32_t compactInt() { return compactIntAfter(byte()); }
    double realAfter(uint8_t head, bool isFloat);
    double real(bool isFloat) { return realAfter(byte(), isFloat); }
    // Counted bytes whose head (the length, or nil) has already been read.
    std::string countedBytesAfter(uint8_t head);
    void rawBytes(void *out, size_t count);

    [[noreturn]] void fail(const std::string &what) const { throw slArchiveError(what, offset_); }

private:
    uint64_t fixed(size_t count);

    const uint8_t *data_;
    size_t size_;
    size_t offset_ = 0;
    bool bigEndian_ = false;
};

}  // namespace slTypedStream
