// Editor trees through the archive: every node class, the record order, and strict reading.
#include <functional>

#include "appTestSupport.h"

using namespace appTest;
using editorTest::checkLinks;
using editorTest::picture;

namespace {

class NodeArchive : public AppTest {};

// Every node class in one tree: y = (-x)^3/2 + root(2, 9) - (k) sin(x), z < 1.5, t > ?
geEditPtr everyClass() {
    auto var = [](char16_t c) { return geEditVar::varWithChar(c); };
    auto num = [](const char *text) { return geEditNum::numWithString(text); };
    geEditPtr sum = geEditAdd::addWithLeft(
        geEditDiv::divWithLeft(
            geEditPow::powWithLeft(geEditNegative::negativeWithExpression(var(u'x')), num("3")),
            num("2")),
        geEditSub::subWithLeft(
            geEditRoot::rootWithLeft(num("2"), num("9")),
            geEditMul::mulWithLeft(geEditParens::parensWithExpression(var(u'k')),
                                   geEditFunc::funcWithExpression(var(u'x'), "sin"))));
    geEditPtr relations = geEditComma::commaWithLeft(
        geEditLessThan::lessThanWithLeft(var(u'z'), num("1.5")),
        geEditGreaterThan::greaterThanWithLeft(var(u't'), geEditEmpty::emptyExpression()));
    return geEdit::rootWithExpression(
        geEditComma::commaWithLeft(geEditEquals::equalsWithLeft(var(u'y'), sum), relations));
}

TEST_F(NodeArchive, EveryClassSurvivesARoundTrip) {
    std::vector<geEditPtr> equations = {everyClass()};
    // Typed ones too ("\uF703" is the right arrow, leaving a template).
    for (const char16_t *keys :
         {u"x=cos(t),y=sin(t),z=t", u"\u03c0r^2\uF703+sqrt9", u"?", u"-(.5)", u"abs(x)+erfc(y)=0",
          u"y<x^2", u"y<=sinx", u"xy>1", u"x>=y^2", u"r=1+theta"}) {
        equations.push_back(typed(QString::fromUtf16(keys)));
    }
    for (const geEditPtr &root : equations) {
        const QByteArray data = slArchiver::archivedDataWithRootObject(*root);
        QString error;
        geEditPtr decoded = readBack<geEdit>(data, &error);
        ASSERT_NE(decoded, nullptr) << root->string().toStdString() << ": " << error.toStdString();
        EXPECT_TRUE(decoded->isRoot());
        EXPECT_EQ(decoded->string(), root->string());
        EXPECT_STREQ(decoded->top()->className(), root->top()->className());
        EXPECT_EQ(picture(decoded.get()), picture(root->copy().get()));
        EXPECT_EQ(checkLinks(decoded.get()), "");
        EXPECT_EQ(editorTest::countCursors(decoded.get()), 0);
        EXPECT_EQ(editorTest::countSelected(decoded.get()), 0);
    }
    EXPECT_EQ(equations[0]->string().toStdString(),
              "y = ((- x)^3)/2 + sqrt(9) - (k) * sin(x) , z < 1.5 , t > ?");
}

// Defaults come from each class's init; a variable's letter and a number's cursor are not
// archived.
TEST_F(NodeArchive, DecodedNodesStartFromTheirClassDefaults) {
    geEditPtr root = geEdit::rootWithExpression(
        geEditAdd::addWithLeft(geEditNum::numWithString("2"), geEditVar::varWithChar(u'x')));
    geEditPtr decoded = readBack<geEdit>(slArchiver::archivedDataWithRootObject(*root));
    ASSERT_NE(decoded, nullptr);
    auto add = std::dynamic_pointer_cast<geEditAdd>(decoded->top());
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->glyphString(), "+");
    EXPECT_EQ(add->op(), grOpAdd);
    EXPECT_EQ(add->parent(), decoded.get());
    auto number = std::dynamic_pointer_cast<geEditNum>(add->leftExp());
    auto variable = std::dynamic_pointer_cast<geEditVar>(add->rightExp());
    ASSERT_NE(number, nullptr);
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(number->text(), "2");
    EXPECT_EQ(number->cursorPosition(), 0);
    EXPECT_EQ(variable->string(), "x");
    EXPECT_EQ(variable->letter(), 0);
    EXPECT_EQ(number->parent(), add.get());
}

// root(Empty), byte for byte: the root's chain, then the placeholder's, which refers back
// to geEdit; every node's first group is the geEdit record's object.
TEST_F(NodeArchive, ByteLayoutOfTheSmallestEquation) {
    geEditPtr root = geEdit::rootWithExpression(geEditEmpty::emptyExpression());
    const QByteArray expected = QByteArray::fromHex(
        "040b73747265616d747970656481e803"  // header
        "840140"                            // group "@" (string 0)
        "84"                                // object 0, the root
        "848406676545646974"
        "00"  // class geEdit v0 (object 1)
        "8484084e534f626a656374"
        "00"
        "85"  // class NSObject v0 (object 2), end of chain
        "92"
        "84"  // group "@": object 3, the top node
        "84840b676545646974456d707479"
        "00"  // class geEditEmpty v0 (object 4)
        "93"  // superclass: object 1, geEdit
        "92"
        "85"    // the placeholder's geEdit record: nil
        "86"    // end of the placeholder
        "86");  // end of the root
    EXPECT_EQ(slArchiver::archivedDataWithRootObject(*root).toHex(' ').toStdString(),
              expected.toHex(' ').toStdString());
}

// Writes a record under a node class's name with whatever objects a test gives it.
struct fakeRecord : slCoding {
    const char *className;
    std::function<void(slArchiver &)> write;
    fakeRecord(const char *name, std::function<void(slArchiver &)> writer)
        : className(name), write(std::move(writer)) {}
    const char *archiveClassName() const override { return className; }
    void encodeWithCoder(slArchiver &coder) const override { write(coder); }
};

QByteArray withText(const char *className, const char *stringClass, const QString &text) {
    fakeRecord record(className, [&](slArchiver &coder) {
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeString(text, stringClass);
    });
    return slArchiver::archivedDataWithRootObject(record);
}

// Archives our writer never makes are refused with the reason.
TEST_F(NodeArchive, TreesTheEditorCannotHoldAreRefused) {
    geEditPtr root = typed("x");
    geEditPtr leaf = geEditVar::varWithChar(u'x');
    fakeRecord rootInParens("geEditParens", [&](slArchiver &coder) {
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeObject(root);
    });
    fakeRecord leafWithTop("geEditEmpty", [&](slArchiver &coder) { coder.encodeObject(leaf); });
    fakeRecord rootWithoutTop("geEdit", [&](slArchiver &coder) {
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
    });
    fakeRecord colourAsChild("geEditNegative", [&](slArchiver &coder) {
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeColor(Qt::red);
    });
    fakeRecord missingRightChild("geEditAdd", [&](slArchiver &coder) {
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeObject(leaf);
    });
    auto archive = [](const slCoding &record) {
        return slArchiver::archivedDataWithRootObject(record);
    };
    const struct {
        const char *name;
        QByteArray data;
        const char *message;
    } rows[] = {
        {"number with a letter", withText("geEditNum", kNSMutableString, "1a"), "invalid number"},
        {"number with two points", withText("geEditNum", kNSMutableString, "1.2."),
         "invalid number"},
        {"empty number", withText("geEditNum", kNSMutableString, ""), "invalid number"},
        {"variable of two letters", withText("geEditVar", kNSString, "xy"), "invalid variable"},
        {"variable that is a digit", withText("geEditVar", kNSString, "7"), "invalid variable"},
        {"root inside a node", archive(rootInParens), "an equation's root inside another node"},
        {"leaf holding a top node", archive(leafWithTop),
         "only an equation's root holds a top node"},
        {"root without a top node", archive(rootWithoutTop), "expected geEdit, found nil"},
        {"colour as a child", archive(colourAsChild), "expected geEdit, found a colour"},
        {"missing child", archive(missingRightChild), "expected geEdit, found nil"},
    };
    for (const auto &row : rows) {
        QString error;
        EXPECT_EQ(readBack<geEdit>(row.data, &error), nullptr) << row.name;
        EXPECT_NE(error.toStdString().find(row.message), std::string::npos)
            << row.name << ": " << error.toStdString();
    }
    // A function's name must be letters: sin(x) written with a digit in its name.
    fakeRecord badFunction("geEditFunc", [&](slArchiver &coder) {
        coder.encodeObject(static_cast<const slCoding *>(nullptr));
        coder.encodeObject(leaf);
        coder.encodeString("s1n", kNSMutableString);
    });
    QString error;
    EXPECT_EQ(readBack<geEdit>(archive(badFunction), &error), nullptr);
    EXPECT_NE(error.toStdString().find("invalid function name"), std::string::npos);
}

// A tree taller than typing can build is refused, not handed to the editor's recursion.
TEST_F(NodeArchive, TreesTallerThanTheEditorAllowsAreRefused) {
    geEditPtr node = geEditVar::varWithChar(u'x');
    for (int i = 0; i < geMaxTreeHeight + 5; ++i) node = geEditParens::parensWithExpression(node);
    geEditPtr root = geEdit::rootWithExpression(node);
    QString error;
    EXPECT_EQ(readBack<geEdit>(slArchiver::archivedDataWithRootObject(*root), &error), nullptr);
    EXPECT_NE(error.toStdString().find("equation nested deeper than 2000 levels"),
              std::string::npos)
        << error.toStdString();
}

}  // namespace
