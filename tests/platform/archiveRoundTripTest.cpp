#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "archiveTestSupport.h"

namespace {

std::shared_ptr<testObject> roundTrip(const testObject &object) {
    const QByteArray data = slArchiver::archivedDataWithRootObject(object, testRegistry());
    QString error;
    slArchivedObject root = slUnarchiver::unarchiveObjectWithData(data, &error, testRegistry());
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root);
    return coded ? std::dynamic_pointer_cast<testObject>(*coded) : nullptr;
}

TEST(ArchiveRoundTrip, ValuesStringsColoursAndSubclasses) {
    testColoredObject object;
    object.number = 4000000000u;  // stored as a negative 32-bit value, read back unsigned
    object.name = QString::fromUtf8("\xcf\x80 r\xc3\xa9sum\xc3\xa9 \xf0\x9f\x93\x88");
    object.color = QColor::fromRgb(12, 200, 255, 77);
    auto child = std::make_shared<testObject>();
    child->number = 7;
    child->name = "";  // empty, not nil
    object.child = child;

    auto decoded = std::dynamic_pointer_cast<testColoredObject>(roundTrip(object));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->number, 4000000000u);
    EXPECT_EQ(decoded->name, object.name);
    EXPECT_EQ(decoded->color, object.color);
    ASSERT_NE(decoded->child, nullptr);
    EXPECT_EQ(decoded->child->number, 7u);
    EXPECT_TRUE(decoded->child->name.isEmpty());
    EXPECT_FALSE(decoded->child->name.isNull());
    EXPECT_EQ(decoded->child->child, nullptr);

    testObject unnamed;  // a nil string stays nil
    auto plain = roundTrip(unnamed);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(plain->name.isNull());
}

TEST(ArchiveRoundTrip, EveryColourChannelSurvives) {
    for (int v = 0; v < 256; v += 5) {
        testColoredObject object;
        object.color = QColor(v, 255 - v, (v * 7) % 256, (v * 3) % 256);
        auto decoded = std::dynamic_pointer_cast<testColoredObject>(roundTrip(object));
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded->color, object.color) << v;
    }
}

// Colours written by other programs as white or CMYK are read as their RGB equivalent.
TEST(ArchiveRoundTrip, ReadsWhiteAndCmykColours) {
    const QByteArray header = QByteArray::fromHex("040b73747265616d747970656481e803");
    const QByteArray white = header + QByteArray::fromHex(
                                          "840140"
                                          "8484840"
                                          "74e53436f6c6f7200"
                                          "84840"
                                          "84e534f626a656374"
                                          "0085"
                                          "840163"
                                          "04"
                                          "84026666"
                                          "83 0000003f"
                                          "01"
                                          "86");
    QString error;
    slArchivedObject root = slUnarchiver::unarchiveObjectWithData(white, &error);
    ASSERT_TRUE(std::holds_alternative<QColor>(root)) << error.toStdString();
    EXPECT_EQ(std::get<QColor>(root), QColor::fromRgbF(0.5, 0.5, 0.5, 1));
}

TEST(ArchiveRoundTrip, FilesRoundTripAndFailuresSayWhy) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("set.plw");
    testObject first;
    first.name = "first";
    QString error;
    ASSERT_TRUE(slArchiver::archiveRootObject(first, path, &error, testRegistry()));

    slArchivedObject root = slUnarchiver::unarchiveObjectWithFile(path, &error, testRegistry());
    ASSERT_TRUE(std::holds_alternative<std::shared_ptr<slCoding>>(root));
    EXPECT_EQ(
        std::dynamic_pointer_cast<testObject>(std::get<std::shared_ptr<slCoding>>(root))->name,
        "first");

    // Failures carry the file layer's reason (whose atomic write keeps an old file).
    testObject second;
    EXPECT_FALSE(slArchiver::archiveRootObject(second, dir.filePath("missing/set.plw"), &error,
                                               testRegistry()));
    EXPECT_FALSE(error.isEmpty());

    root =
        slUnarchiver::unarchiveObjectWithFile(dir.filePath("absent.plw"), &error, testRegistry());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(root));
    EXPECT_FALSE(error.isEmpty());
}

// Nesting up to the limit reads back, one level more is refused; the chains are released
// without deep recursion.
TEST(ArchiveRoundTrip, NestingUpToTheLimit) {
    auto root = chainOf(slUnarchiver::kMaximumDepth);
    const QByteArray data = slArchiver::archivedDataWithRootObject(*root, testRegistry());
    releaseChain(root);
    QString error;
    slArchivedObject decoded = slUnarchiver::unarchiveObjectWithData(data, &error, testRegistry());
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    auto head = std::dynamic_pointer_cast<testObject>(std::get<std::shared_ptr<slCoding>>(decoded));
    decoded = {};
    int depth = 0;
    for (auto node = head; node; node = node->child) ++depth;
    EXPECT_EQ(depth, slUnarchiver::kMaximumDepth);
    releaseChain(head);

    // One level more is refused.
    root = chainOf(slUnarchiver::kMaximumDepth + 1);
    const QByteArray deeper = slArchiver::archivedDataWithRootObject(*root, testRegistry());
    releaseChain(root);
    decoded = slUnarchiver::unarchiveObjectWithData(deeper, &error, testRegistry());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(decoded));
    EXPECT_NE(error.toStdString().find("objects nested deeper than 10000 levels"),
              std::string::npos);
}

}  // namespace
