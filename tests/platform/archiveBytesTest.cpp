// The archive's bytes, checked against a verified example and the format's number rules.
#include <gtest/gtest.h>

#include "archiveTestSupport.h"

namespace {

struct Foo : slCoding {
    const char *archiveClassName() const override { return "Foo"; }
    void encodeWithCoder(slArchiver &coder) const override {
        const uint32_t two = 2;
        coder.encodeValueOfObjCType("I", &two);
        coder.encodeString("2", kNSMutableString);
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeString("x", kNSString);
        coder.encodeColor(QColor::fromRgbF(1, 0, 0, 1));
    }
};

const slArchiveRegistry &fooRegistry() {
    static slArchiveRegistry registry = [] {
        slArchiveRegistry r;
        r.registerClass({"Foo", 0, kNSObject, [](slUnarchiver &coder) -> std::shared_ptr<slCoding> {
                             uint32_t two = 0;
                             coder.decodeValueOfObjCType("I", &two);
                             if (two != 2 || coder.decodeString() != "2" ||
                                 !coder.decodeString().isNull() || coder.decodeString() != "x" ||
                                 coder.decodeColor() != QColor(Qt::red)) {
                                 coder.fail("unexpected Foo");
                             }
                             return std::make_shared<Foo>();
                         }});
        return r;
    }();
    return registry;
}

const QByteArray kFooArchive = QByteArray::fromHex(
    "040b73747265616d747970656481e803"
    "84014084848403466f6f008484084e53"
    "4f626a65637400858401490292848484"
    "0f4e534d757461626c65537472696e67"
    "018484084e53537472696e6701948401"
    "2b013286928592849798017886928484"
    "84074e53436f6c6f7200948401630184"
    "0466666666010000018686");

TEST(ArchiveBytes, WorkedExampleByteForByte) {
    ASSERT_EQ(kFooArchive.size(), 123);
    Foo foo;
    const QByteArray written = slArchiver::archivedDataWithRootObject(foo, fooRegistry());
    EXPECT_EQ(hex(written), hex(kFooArchive));

    QString error;
    slArchivedObject root =
        slUnarchiver::unarchiveObjectWithData(kFooArchive, &error, fooRegistry());
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_TRUE(std::holds_alternative<std::shared_ptr<slCoding>>(root));
    EXPECT_STREQ(std::get<std::shared_ptr<slCoding>>(root)->archiveClassName(), "Foo");
}

// Integers of every size class, and reals that are stored as integers when integral.
TEST(ArchiveBytes, CompactIntegersAndReals) {
    const struct {
        int32_t value;
        const char *bytes;
    } integers[] = {
        {2, "02"},
        {127, "7f"},
        {-110, "92"},
        {-111, "81 91 ff"},
        {128, "81 80 00"},
        {1000, "81 e8 03"},
        {32767, "81 ff 7f"},
        {-32767, "81 01 80"},
        {-32768, "82 00 80 ff ff"},
        {40000, "82 40 9c 00 00"},
    };
    for (const auto &row : integers) {
        slTypedStream::ByteWriter out;
        out.compactInt(row.value);
        const auto &data = out.data();
        EXPECT_EQ(hex(QByteArray(reinterpret_cast<const char *>(data.data()), data.size())),
                  row.bytes)
            << row.value;
        slTypedStream::ByteReader in(data.data(), data.size());
        EXPECT_EQ(in.compactInt(), row.value);
        EXPECT_TRUE(in.atEnd());
    }
    const struct {
        double value;
        bool isFloat;
        const char *bytes;
    } reals[] = {
        {1.0, true, "01"},
        {0.0, true, "00"},
        {200.0, true, "81 c8 00"},
        {0.5, true, "83 00 00 00 3f"},
        {-0.25, false, "83 00 00 00 00 00 00 d0 bf"},
        {3e9, false, "83 00 00 00 c0 0b 5a e6 41"},  // integral but beyond 32 bits
    };
    for (const auto &row : reals) {
        slTypedStream::ByteWriter out;
        out.real(row.value, row.isFloat);
        const auto &data = out.data();
        EXPECT_EQ(hex(QByteArray(reinterpret_cast<const char *>(data.data()), data.size())),
                  row.bytes)
            << row.value;
        slTypedStream::ByteReader in(data.data(), data.size());
        EXPECT_EQ(in.real(row.isFloat), row.value);
    }
}

// Past 238 entries, shared strings and objects are referred to with the 2-byte form.
TEST(ArchiveBytes, LargeTablesUseLongLabels) {
    slArchiver archiver(testRegistry());
    for (uint32_t i = 0; i < 300; ++i) {
        const std::string type = "[" + std::to_string(i + 1) + "c]";
        std::vector<char> raw(i + 1, 'a');
        archiver.encodeValueOfObjCType(type.c_str(), raw.data());
    }
    auto root = chainOf(300);
    archiver.encodeObject(root);
    archiver.encodeValueOfObjCType("[240c]", std::string(240, 'b').data());
    const QByteArray data = archiver.archiverData();
    // The last group reuses shared-string entry 239 ("[240c]"): label 129 = 81 81 00.
    EXPECT_EQ(hex(data.right(3 + 240).left(3)), "81 81 00");

    slUnarchiver reader(data, testRegistry());
    for (uint32_t i = 0; i < 300; ++i) {
        std::vector<char> raw(i + 1);
        reader.decodeValueOfObjCType(("[" + std::to_string(i + 1) + "c]").c_str(), raw.data());
        ASSERT_EQ(std::string(raw.begin(), raw.end()), std::string(i + 1, 'a'));
    }
    auto decoded = reader.decodeObjectOfClass<testObject>("testObject", false);
    int length = 0;
    for (auto node = decoded; node; node = node->child) ASSERT_EQ(node->number, ++length);
    EXPECT_EQ(length, 300);
    std::vector<char> last(240);
    reader.decodeValueOfObjCType("[240c]", last.data());
    EXPECT_TRUE(reader.isAtEnd());
    releaseChain(root);
    releaseChain(decoded);
}

// Archives from a big-endian machine carry the other signature and swapped numbers.
TEST(ArchiveBytes, ReadsBigEndianArchives) {
    const QByteArray data = QByteArray::fromHex(
        "040b747970656473747265616d8103e8"  // header, "typedstream", 1000 big-endian
        "840149829abcdef0"                  // "I" 0x9abcdef0 as a 4-byte integer
        "8401648340091eb851eb851f"          // "d" 3.14
        "8401668101c8");                    // "f" 456 as a 2-byte integer
    slUnarchiver reader(data);
    uint32_t number = 0;
    double pi = 0;
    float f = 0;
    reader.decodeValueOfObjCType("I", &number);
    reader.decodeValueOfObjCType("d", &pi);
    reader.decodeValueOfObjCType("f", &f);
    EXPECT_EQ(number, 0x9abcdef0u);
    EXPECT_EQ(pi, 3.14);
    EXPECT_EQ(f, 456.0f);
    EXPECT_TRUE(reader.isAtEnd());
}

}  // namespace
