// Damaged and hostile archives give an error naming the fault and its offset, never a crash.
#include <gtest/gtest.h>

#include <random>

#include "archiveTestSupport.h"

namespace {

// Writes archives by hand, byte by byte, for faults our writer never makes.
struct Assembler {
    slTypedStream::ByteWriter out;
    Assembler() {
        out.byte(4);
        out.countedBytes("streamtyped");
        out.compactInt(1000);
    }
    Assembler &raw(std::initializer_list<int> bytes) {
        for (int b : bytes) out.byte(static_cast<uint8_t>(b));
        return *this;
    }
    Assembler &string(std::string_view text) {  // a new shared string
        out.byte(0x84);
        out.countedBytes(text);
        return *this;
    }
    Assembler &integer(int v) {
        out.compactInt(v);
        return *this;
    }
    // A new class link: name and version.
    Assembler &newClass(std::string_view name, int version) {
        out.byte(0x84);
        return string(name).integer(version);
    }
    QByteArray data() const {
        return QByteArray(reinterpret_cast<const char *>(out.data().data()),
                          static_cast<qsizetype>(out.data().size()));
    }
};

// Object 0 of class testObject (objects 1 and 2 are its classes), up to its child slot.
Assembler testObjectUpToChild() {
    Assembler a;
    a.string("@").raw({0x84}).newClass("testObject", 0).newClass("NSObject", 0).raw({0x85});
    a.string("I").integer(5);
    a.string("@").raw({0x85});  // name: nil
    return a;
}

std::string errorOf(const QByteArray &data) {
    QString error;
    slArchivedObject root = slUnarchiver::unarchiveObjectWithData(data, &error, testRegistry());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(root));
    if (auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root)) {
        releaseChain(std::dynamic_pointer_cast<testObject>(*coded));
    }
    return error.toStdString();
}

TEST(ArchiveDamage, HostileArchivesAreRefusedWithAReason) {
    const struct {
        const char *name;
        QByteArray data;
        const char *message;
    } rows[] = {
        {"empty", QByteArray(), "unexpected end of data at byte 0"},
        {"old streamer", bytes({3, 11}), "not a typedstream archive"},
        {"bad signature", QByteArray::fromHex("040b73747265616d74797065780185"),
         "not a typedstream archive"},
        {"no root", Assembler().data(), "unexpected end of data"},
        {"root is not an object", Assembler().string("I").integer(3).data(),
         "expected a value of type '@', found 'I'"},
        {"unknown class",
         Assembler().string("@").raw({0x84}).newClass("Evil", 0).raw({0x85}).data(),
         "unknown class 'Evil'"},
        {"wrong version", Assembler().string("@").raw({0x84}).newClass("NSString", 2).data(),
         "class NSString has version 2, expected 1"},
        {"wrong superclass",
         Assembler()
             .string("@")
             .raw({0x84})
             .newClass("testObject", 0)
             .newClass("NSString", 1)
             .data(),
         "class NSString found where NSObject belongs"},
        {"chain ends early",
         Assembler().string("@").raw({0x84}).newClass("testColoredObject", 0).raw({0x85}).data(),
         "class chain ends before testObject"},
        {"object without class", Assembler().string("@").raw({0x84, 0x85}).data(),
         "object without a class"},
        {"abstract class",
         Assembler().string("@").raw({0x84}).newClass("NSObject", 0).raw({0x85}).data(),
         "class NSObject cannot be read"},
        {"reference to a later object", Assembler().string("@").raw({0x99}).data(),
         "reference to unknown object"},
        {"reference to an unknown string", Assembler().raw({0x95}).data(),
         "reference to unknown string"},
        {"reference to itself", testObjectUpToChild().raw({0x92, 0x92}).data(),
         "object refers to itself or to an enclosing object"},
        {"wrong class in a slot",
         testObjectUpToChild()
             .raw({0x92, 0x84})
             .newClass("NSColor", 0)
             .raw({0x94})
             .string("c")
             .raw({1})
             .string("ffff")
             .raw({1, 0, 0, 1, 0x86, 0x86})
             .data(),
         "expected testObject, found a colour"},
        {"string longer than the data",
         Assembler()
             .string("@")
             .raw({0x84})
             .newClass("NSString", 1)
             .newClass("NSObject", 0)
             .raw({0x85})
             .string("+")
             .integer(1000)
             .raw({'a', 'b'})
             .data(),
         "length 1000 exceeds the remaining 2 bytes"},
        {"negative length", Assembler().raw({0x84}).integer(-5).data(), "negative length -5"},
        {"invalid UTF-8",
         Assembler()
             .string("@")
             .raw({0x84})
             .newClass("NSString", 1)
             .newClass("NSObject", 0)
             .raw({0x85})
             .string("+")
             .integer(2)
             .raw({0xc3, 0x28, 0x86})
             .data(),
         "string is not valid UTF-8"},
        {"contents left over",
         testObjectUpToChild().raw({0x92, 0x85}).string("I").integer(1).raw({0x86}).data(),
         "object of class testObject has unexpected contents"},
        {"tag instead of a value", testObjectUpToChild().data().left(47) + bytes({0x86}), ""},
        {"data after the root", testObjectUpToChild().raw({0x92, 0x85, 0x86, 0x00}).data(),
         "unexpected data after the archive's end"},
        {"unknown colour kind",
         Assembler()
             .string("@")
             .raw({0x84})
             .newClass("NSColor", 0)
             .newClass("NSObject", 0)
             .raw({0x85})
             .string("c")
             .raw({6})
             .data(),
         "unsupported colour kind 6"},
        {"colour component not a number",
         Assembler()
             .string("@")
             .raw({0x84})
             .newClass("NSColor", 0)
             .newClass("NSObject", 0)
             .raw({0x85})
             .string("c")
             .raw({1})
             .string("ffff")
             .raw({0x83, 0, 0, 0xc0, 0x7f, 0, 0, 1, 0x86})
             .data(),
         "colour component is not a number"},
    };
    for (const auto &row : rows) {
        const std::string error = errorOf(row.data);
        EXPECT_NE(error.find(row.message), std::string::npos) << row.name << ": " << error;
        EXPECT_NE(error.find(" at byte "), std::string::npos) << row.name << ": " << error;
    }
}

// Our objects form trees: one that appears a second time is refused, while a string or
// colour may be shared.
TEST(ArchiveDamage, ObjectsCannotBeShared) {
    testObject object;
    object.name = "shared";
    slArchiver archiver(testRegistry());
    archiver.encodeObject(&object);
    archiver.encodeObject(&object);  // the writer refers back to it
    slUnarchiver reader(archiver.archiverData(), testRegistry());
    EXPECT_NE(reader.decodeObjectOfClass<testObject>("testObject", false), nullptr);
    try {
        reader.decodeObject();
        ADD_FAILURE() << "a second reference to an object was accepted";
    } catch (const slTypedStream::slArchiveError &e) {
        EXPECT_NE(std::string(e.what()).find("object testObject appears twice"), std::string::npos);
    }

    // A string written once and referred to again (as another archiver may do) is a value.
    const QByteArray strings = Assembler()
                                   .string("@")
                                   .raw({0x84})
                                   .newClass("NSString", 1)
                                   .newClass("NSObject", 0)
                                   .raw({0x85})
                                   .string("+")
                                   .integer(1)
                                   .raw({'q', 0x86})
                                   .raw({0x92, 0x92})
                                   .data();
    slUnarchiver stringReader(strings, testRegistry());
    EXPECT_EQ(stringReader.decodeString(), "q");
    EXPECT_EQ(stringReader.decodeString(), "q");
}

// Every prefix of a valid archive is refused; random corruption never crashes.
TEST(ArchiveDamage, TruncationAndCorruption) {
    testColoredObject object;
    object.number = 123456;
    object.name = "name";
    object.color = QColor(10, 20, 30);
    object.child = chainOf(3);
    const QByteArray data = slArchiver::archivedDataWithRootObject(object, testRegistry());
    for (qsizetype size = 0; size < data.size(); ++size) {
        EXPECT_FALSE(errorOf(data.left(size)).empty()) << size;
    }
    std::mt19937 random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        QByteArray damaged = data;
        for (int flips = 1 + trial % 3; flips > 0; --flips) {
            damaged[random() % damaged.size()] = static_cast<char>(random());
        }
        QString error;
        slArchivedObject root =
            slUnarchiver::unarchiveObjectWithData(damaged, &error, testRegistry());
        EXPECT_EQ(std::holds_alternative<std::monostate>(root), !error.isEmpty());
    }
}

}  // namespace
