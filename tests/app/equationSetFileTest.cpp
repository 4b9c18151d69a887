// Equation-set files: whole lists through a file, as an independent reader sees them, and
// damaged files.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "app/graphEquationDocument.h"
#include "appTestSupport.h"

using namespace appTest;

namespace {

class EquationSetFile : public AppTest {
protected:
    // A list of three entries with their own names, colours and trees.
    std::shared_ptr<graphEquationTable> sampleList() {
        auto list = std::make_shared<graphEquationTable>();
        const struct {
            const char *name;
            QColor color;
            const char16_t *keys;
        } entries[] = {
            {"Parabola", QColor(200, 10, 10), u"y=x^2"},
            {"Circle", QColor(0, 128, 255, 200), u"x=cos(t),y=sin(t)"},
            {"Saddle \u2014 z", QColor(Qt::black), u"z=xy"},
        };
        for (const auto &e : entries) {
            auto entry = list->addEmptyEquation();
            entry->setEquationName(QString::fromUtf8(e.name));
            entry->setEquationColor(e.color);
            entry->setEquation(typed(QString::fromUtf16(e.keys)));
        }
        return list;
    }
    QTemporaryDir dir;
};

TEST_F(EquationSetFile, SaveAndOpenRestoresEveryEntryInOrder) {
    auto list = sampleList();
    list->setName(dir.filePath("set.plw"));
    ASSERT_EQ(graphEquationDocument::writeFile(*list, list->name()), "");

    QString error;
    slArchivedObject root = slUnarchiver::unarchiveObjectWithFile(list->name(), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    auto opened =
        std::dynamic_pointer_cast<graphEquationTable>(std::get<std::shared_ptr<slCoding>>(root));
    ASSERT_NE(opened, nullptr);
    ASSERT_EQ(opened->equationCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const auto &a = list->equations()[static_cast<size_t>(i)];
        const auto &b = opened->equations()[static_cast<size_t>(i)];
        EXPECT_EQ(b->name(), a->name());
        EXPECT_EQ(b->color(), a->color());
        EXPECT_EQ(b->equation()->string(), a->equation()->string());
        EXPECT_EQ(editorTest::checkLinks(b->equation().get()), "");
    }
    EXPECT_EQ(opened->selectedRow(), 0);
    EXPECT_TRUE(opened->isDeleteEnabled());
    // The counter is not stored: new entries are numbered from 1 again.
    opened->addEquation();
    EXPECT_EQ(opened->equations().back()->name(), "Equation 1");
}

TEST_F(EquationSetFile, EmptyListRoundTrip) {
    graphEquationTable empty;
    auto opened = readBack<graphEquationTable>(slArchiver::archivedDataWithRootObject(empty));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->equationCount(), 0);
    EXPECT_EQ(opened->selectedRow(), -1);
    EXPECT_EQ(opened->equationAtIndex(0), nullptr);
}

TEST_F(EquationSetFile, ReadsAsTheIndependentDecoderSeesIt) {
    graphEquationTable list;
    auto entry = list.addEmptyEquation();
    entry->setEquationName("E");
    entry->setEquation(typed("2+x"));
    const QString path = dir.filePath("set.plw");
    ASSERT_EQ(graphEquationDocument::writeFile(list, path), "");

    QProcess node;
    node.start("node", {QString(PLOTWEAVE_SOURCE_DIR) + "/tests/tools/decode.js", path});
    ASSERT_TRUE(node.waitForFinished(60000));
    ASSERT_EQ(node.exitCode(), 0) << node.readAllStandardError().toStdString();
    const QJsonObject root = QJsonDocument::fromJson(node.readAllStandardOutput()).object();

    EXPECT_EQ(root["class"].toArray(), QJsonArray({"graphEquationTable", 0, "NSObject", 0}));
    EXPECT_EQ(root["contents"][0]["types"], "I");
    EXPECT_EQ(root["contents"][0]["values"][0], 1);
    const QJsonObject container = root["contents"][1]["values"][0].toObject();
    EXPECT_EQ(container["class"].toArray(),
              QJsonArray({"graphEquationContainer", 0, "NSObject", 0}));
    EXPECT_EQ(container["contents"][0]["values"][0]["string"], "E");
    EXPECT_EQ(container["contents"][1]["values"][0]["class"].toArray(),
              QJsonArray({"NSColor", 0, "NSObject", 0}));

    const QJsonObject equation = container["contents"][2]["values"][0].toObject();
    EXPECT_EQ(equation["class"].toArray(), QJsonArray({"geEdit", 0, "NSObject", 0}));
    const QJsonObject add = equation["contents"][0]["values"][0].toObject();
    EXPECT_EQ(add["class"].toArray(),
              QJsonArray({"geEditAdd", 0, "geEditBasicBinaryOp", 0, "geEditBinaryOp", 0, "geEdit",
                          0, "NSObject", 0}));
    // The geEdit record (nil), then the right operand, then the left.
    const QJsonArray parts = add["contents"].toArray();
    ASSERT_EQ(parts.size(), 3);
    EXPECT_TRUE(parts[0]["values"][0].isNull());
    const QJsonObject right = parts[1]["values"][0].toObject();
    const QJsonObject left = parts[2]["values"][0].toObject();
    EXPECT_EQ(right["class"].toArray()[0], "geEditVar");
    EXPECT_EQ(right["contents"][1]["values"][0].toObject(),
              QJsonObject({{"class", "NSString"}, {"string", "x"}}));
    EXPECT_EQ(left["class"].toArray()[0], "geEditNum");
    EXPECT_EQ(left["contents"][1]["values"][0].toObject(),
              QJsonObject({{"class", "NSMutableString"}, {"string", "2"}}));
}

TEST_F(EquationSetFile, DamagedFilesGiveAnErrorAndNoList) {
    auto list = sampleList();
    const QByteArray data = slArchiver::archivedDataWithRootObject(*list);

    // (Truncation is the archive reader's test and the damaged-set table's "cut short".)
    // A count larger than the file can hold is refused before anything is read.
    QByteArray huge = data;
    const QByteArray count = QByteArray::fromHex("8401490392");  // "I" 3, then the first "@"
    const qsizetype at = huge.indexOf(count);
    ASSERT_GT(at, 0);
    huge.replace(at + 3, 1, QByteArray::fromHex("82ffffff7f"));
    QString error;
    EXPECT_EQ(readBack<graphEquationTable>(huge, &error), nullptr);
    EXPECT_NE(error.toStdString().find("entry count 2147483647 exceeds the data"),
              std::string::npos)
        << error.toStdString();

    // A colour where an entry's tree belongs.
    graphEquationContainer entry;
    struct swapped : slCoding {
        const char *archiveClassName() const override { return "graphEquationContainer"; }
        void encodeWithCoder(slArchiver &coder) const override {
            coder.encodeString("name");
            coder.encodeColor(Qt::red);
            coder.encodeColor(Qt::blue);
        }
    } colourForTree;
    EXPECT_EQ(readBack<graphEquationContainer>(
                  slArchiver::archivedDataWithRootObject(colourForTree), &error),
              nullptr);
    EXPECT_NE(error.toStdString().find("expected geEdit, found a colour"), std::string::npos)
        << error.toStdString();

    // A tree that is a node, not a root.
    struct bareNode : slCoding {
        geEditPtr node = geEditVar::varWithChar(u'x');
        const char *archiveClassName() const override { return "graphEquationContainer"; }
        void encodeWithCoder(slArchiver &coder) const override {
            coder.encodeString("name");
            coder.encodeColor(Qt::red);
            coder.encodeObject(node);
        }
    } nodeForRoot;
    EXPECT_EQ(readBack<graphEquationContainer>(slArchiver::archivedDataWithRootObject(nodeForRoot),
                                               &error),
              nullptr);
    EXPECT_NE(error.toStdString().find("an equation's tree is not a root"), std::string::npos)
        << error.toStdString();
}

}  // namespace
