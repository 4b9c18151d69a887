#include "platform/archive/slTypedStreamBytes.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace slTypedStream {

size_t charArrayLength(const char *&type) {
    char *end = nullptr;
    const long count = std::strtol(type, &end, 10);
    if (count < 0 || end == type || (end[0] != 'c' && end[0] != 'C') || end[1] != ']') {
        throw std::logic_error("unsupported array type");
    }
    type = end + 2;
    return static_cast<size_t>(count);
}

void ByteWriter::raw(const void *bytes, size_t count) {
    const auto *p = static_cast<const uint8_t *>(bytes);
    data_.insert(data_.end(), p, p + count);
}

// One byte for -110..127, else a 2-byte or 4-byte little-endian form after its tag.
void ByteWriter::compactInt(int32_t v) {
    if (v >= -110 && v <= 127) {
        byte(static_cast<uint8_t>(static_cast<int8_t>(v)));
    } else if (v >= -32767 && v <= 32767) {
        byte(kTagInt16);
        const auto u = static_cast<uint16_t>(static_cast<int16_t>(v));
        byte(u & 0xff);
        byte(u >> 8);
    } else {
        byte(kTagInt32);
        const auto u = static_cast<uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) byte((u >> shift) & 0xff);
    }
}

// Integral values within the 32-bit range are written as compact integers, like the
// original archiver does; anything else as a tagged IEEE value.
void ByteWriter::real(double v, bool isFloat) {
    if (std::isfinite(v) && v == std::trunc(v) && v >= -2147483647.0 && v <= 2147483647.0) {
        compactInt(static_cast<int32_t>(v));
        return;
    }
    byte(kTagReal);
    if (isFloat) {
        const float f = static_cast<float>(v);
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        for (int shift = 0; shift < 32; shift += 8) byte((bits >> shift) & 0xff);
    } else {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int shift = 0; shift < 64; shift += 8) byte((bits >> shift) & 0xff);
    }
}

void ByteWriter::countedBytes(std::string_view bytes) {
    compactInt(static_cast<int32_t>(bytes.size()));
    raw(bytes.data(), bytes.size());
}

uint8_t ByteReader::byte() {
    if (offset_ >= size_) fail("unexpected end of data");
    return data_[offset_++];
}

uint8_t ByteReader::peek() const {
    if (offset_ >= size_) fail("unexpected end of data");
    return data_[offset_];
}

uint64_t ByteReader::fixed(size_t count) {
    if (remaining() < count) fail("unexpected end of data");
    uint64_t v = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint64_t b = data_[offset_ + i];
        v |= bigEndian_ ? b << (8 * (count - 1 - i)) : b << (8 * i);
    }
    offset_ += count;
    return v;
}

int32_t ByteReader::compactIntAfter(uint8_t head) {
    if (head == kTagInt16) return static_cast<int16_t>(fixed(2));
    if (head == kTagInt32) return static_cast<int32_t>(fixed(4));
    if (isReservedHead(head)) {
        --offset_;
        fail("expected an integer, found tag " + std::to_string(head));
    }
    return static_cast<int8_t>(head);
}

double ByteReader::realAfter(uint8_t head, bool isFloat) {
    if (head != kTagReal) return compactIntAfter(head);
    if (isFloat) {
        const auto bits = static_cast<uint32_t>(fixed(4));
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    const uint64_t bits = fixed(8);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::string ByteReader::countedBytesAfter(uint8_t head) {
    const size_t start = offset_ - 1;
    const int32_t length = compactIntAfter(head);
    if (length < 0) throw slArchiveError("negative length " + std::to_string(length), start);
    if (static_cast<size_t>(length) > remaining()) {
        throw slArchiveError("length " + std::to_string(length) + " exceeds the remaining " +
                                 std::to_string(remaining()) + " bytes",
                             start);
    }
    std::string bytes(reinterpret_cast<const char *>(data_ + offset_), static_cast<size_t>(length));
    offset_ += static_cast<size_t>(length);
    return bytes;
}

void ByteReader::rawBytes(void *out, size_t count) {
    if (remaining() < count) fail("unexpected end of data");
    std::memcpy(out, data_ + offset_, count);
    offset_ += count;
}

}  // namespace slTypedStream
