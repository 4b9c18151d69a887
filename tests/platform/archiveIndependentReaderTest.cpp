// Our archives as an independent decoder (node-typedstream) reads them. It misreads 4-byte
// integers and tagged doubles, so the values here stay within what it reads correctly;
// the byte-layout tests cover the rest.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "archiveTestSupport.h"

namespace {

QJsonValue decodeWithNode(const QByteArray &archive) {
    QTemporaryDir dir;
    const QString path = dir.filePath("archive.bin");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size()) return {};
    file.close();
    QProcess node;
    node.start("node", {QString(PLOTWEAVE_SOURCE_DIR) + "/tests/tools/decode.js", path});
    if (!node.waitForFinished(60000) || node.exitCode() != 0) {
        ADD_FAILURE() << "node-typedstream failed: " << node.readAllStandardError().toStdString()
                      << " (scripts/setup installs it)";
        return {};
    }
    return QJsonDocument::fromJson(node.readAllStandardOutput()).object();
}

QJsonArray chain(std::initializer_list<QJsonValue> items) {
    return QJsonArray(items);
}

TEST(ArchiveIndependentReader, ReadsClassesVersionsStringsAndValues) {
    testColoredObject object;
    object.number = 31000;  // within the 2-byte form
    object.name = QString::fromUtf8("\xcf\x80 \xc3\xa9t\xc3\xa9");
    object.color = QColor::fromRgbF(0.25f, 0.5f, 1.0f, 0.75f);
    auto child = std::make_shared<testObject>();
    child->number = 3;
    child->name = "leaf";
    object.child = child;

    const QJsonObject root =
        decodeWithNode(slArchiver::archivedDataWithRootObject(object, testRegistry())).toObject();
    ASSERT_FALSE(root.isEmpty());
    EXPECT_EQ(root["class"].toArray(),
              chain({"testColoredObject", 0, "testObject", 0, "NSObject", 0}));
    const QJsonArray contents = root["contents"].toArray();
    ASSERT_EQ(contents.size(), 4);
    EXPECT_EQ(contents[0]["types"], "I");
    EXPECT_EQ(contents[0]["values"][0], 31000);
    EXPECT_EQ(contents[1]["values"][0]["class"], "NSString");
    EXPECT_EQ(contents[1]["values"][0]["string"], object.name);

    const QJsonObject leaf = contents[2]["values"][0].toObject();
    EXPECT_EQ(leaf["class"].toArray(), chain({"testObject", 0, "NSObject", 0}));
    EXPECT_EQ(leaf["contents"][0]["values"][0], 3);
    EXPECT_EQ(leaf["contents"][1]["values"][0]["string"], "leaf");
    EXPECT_TRUE(leaf["contents"][2]["values"][0].isNull());

    const QJsonObject color = contents[3]["values"][0].toObject();
    EXPECT_EQ(color["class"].toArray(), chain({"NSColor", 0, "NSObject", 0}));
    EXPECT_EQ(color["contents"][0]["types"], "c");
    EXPECT_EQ(color["contents"][0]["values"][0], 1);
    EXPECT_EQ(color["contents"][1]["types"], "ffff");
    const QJsonArray components = color["contents"][1]["values"].toArray();
    const float expected[] = {
        static_cast<float>(object.color.redF()), static_cast<float>(object.color.greenF()),
        static_cast<float>(object.color.blueF()), static_cast<float>(object.color.alphaF())};
    ASSERT_EQ(components.size(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(components[i].toDouble(), expected[i]) << i;
}

}  // namespace
