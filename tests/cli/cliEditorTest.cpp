// plotweave-cli type: the editor's text, classification, calculator line and tree after keys.
#include "cliTestSupport.h"

using cliTest::run;

namespace {

struct typeCase {
    const char *name, *keys, *text, *kindOrError, *calc, *tree;
};

// Each row: the keys, then the four lines type --tree prints after their labels.
const typeCase typeCases[] = {
    {"power", "y=x^2", "y = x^2", "kind: grKindYOfX", "",
     "geEditEquals(geEditVar \"y\", geEditPow(geEditVar \"x\", geEditNum \"2\"@1))"},
    {"function name typed as letters", "12+sinx", "12 + sin(x)", "kind: grKindYOfX", "",
     "geEditAdd(geEditNum \"12\", geEditFunc \"sin\"(geEditVar \"x\"@0))"},
    {"constant sum shows its value", "1+2/3", "1 + 2/3", "kind: grKindYOfX", "= 1.6666666",
     "geEditAdd(geEditNum \"1\", geEditDiv(geEditNum \"2\", geEditNum \"3\"@1))"},
    {"backspace removes a digit", "12\\b", "1", "kind: grKindYOfX", "= 1", "geEditNum \"1\"@1"},
    {"pi", "\u03c0", "pi", "kind: grKindYOfX", "= 3.1415927", "geEditVar \"\u03c0\"@0"},
    {"right arrow leaves the argument", "z=sinx\\>*cosy", "z = sin(x) * cos(y)", "kind: grKindZOfXY", "",
     "geEditEquals(geEditVar \"z\", geEditMul(geEditFunc \"sin\"(geEditVar \"x\"), "
     "geEditFunc \"cos\"(geEditVar \"y\"@0)))"},
    {"left arrows move back into the sum", "1+2\\<\\<3", "1 + 3 * 2", "kind: grKindYOfX", "= 7",
     "geEditAdd(geEditNum \"1\", geEditMul(geEditNum \"3\"@1, geEditNum \"2\"))"},
    {"select-all then backspace empties", "2+x\\a\\b", "?",
     "error: \"?\" must be replaced before graphing.", "", "geEditEmpty@0"},
    {"planar parametric curve", "x=cost,y=sint", "x = cos(t) , y = sin(t)",
     "kind: grKind2DParametricCurve", "",
     "geEditEquals(geEditVar \"x\", geEditComma(geEditFunc \"cos\"(geEditVar \"t\"), "
     "geEditEquals(geEditVar \"y\", geEditFunc \"sin\"(geEditVar \"t\"@0))))"},
    {"parametric surface", "x=s,y=t,z=st", "x = s , y = t , z = s * t",
     "kind: grKind3DParametricSurface", "", nullptr},
    {"space curve", "x=cost,y=sint,z=t", "x = cos(t) , y = sin(t) , z = t",
     "kind: grKind3DParametricCurve", "", nullptr},
    {"x of y", "x=y^2", "x = y^2", "kind: grKindXOfY", "", nullptr},
    {"redefined component", "x=1,x=2", "x = 1 , x = 2", "error: X redefined in parametric equation.",
     "", nullptr},
    {"z on the right", "z", "z", "error: cannot graph functions containing Z.", "", nullptr},
    {"division by zero shows no value", "1/0", "1/0", "kind: grKindYOfX", "", nullptr},
    {"escaped backslash is a refused key", "a\\\\b", "a * b", "kind: grKindYOfX", "= 0", nullptr},
};

void PrintTo(const typeCase &c, std::ostream *os) { *os << c.name; }

class typeCommand : public ::testing::TestWithParam<typeCase> {};

TEST_P(typeCommand, printsTextKindCalculatorAndTree)
{
    const typeCase &c = GetParam();
    const auto r = run({QStringLiteral("type"), QStringLiteral("--tree"), QString::fromUtf8(c.keys)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("text: ") + QString::fromUtf8(c.text));
    EXPECT_EQ(lines[1], QString::fromUtf8(c.kindOrError));
    EXPECT_EQ(lines[2], *c.calc ? QStringLiteral("calc: ") + QString::fromUtf8(c.calc) : QStringLiteral("calc:"));
    if (c.tree) {
        EXPECT_EQ(lines[3], QStringLiteral("tree: ") + QString::fromUtf8(c.tree));
    }
}

INSTANTIATE_TEST_SUITE_P(keys, typeCommand, ::testing::ValuesIn(typeCases),
                         [](const auto &info) {
                             std::string name = info.param.name;
                             for (char &ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(typeCommand, withoutTreePrintsThreeLines)
{
    const auto r = run({QStringLiteral("type"), QStringLiteral("y=x")});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.lines(), (QStringList{QStringLiteral("text: y = x"), QStringLiteral("kind: grKindYOfX"),
                                      QStringLiteral("calc:")}));
}

struct failureCase {
    const char *name;
    QStringList args;
    int status;
    const char *errorContains;
};

void PrintTo(const failureCase &c, std::ostream *os) { *os << c.name; }

class commandFailure : public ::testing::TestWithParam<failureCase> {};

TEST_P(commandFailure, exitsWithOneLineReason)
{
    const failureCase &c = GetParam();
    const auto r = run(c.args);
    EXPECT_EQ(r.status, c.status) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.errorContains))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
}

const failureCase failureCases[] = {
    {"unknownEscape", {"type", "1\\q"}, 1, "unknown escape \\q"},
    {"trailingBackslash", {"type", "1\\"}, 1, "backslash at the end"},
    {"noKeys", {"type"}, 2, "one KEYS argument"},
    {"twoKeys", {"type", "1", "2"}, 2, "one KEYS argument"},
    {"unknownOption", {"type", "--bogus", "1"}, 2, "unknown option --bogus"},
    {"unknownCommand", {"frob"}, 2, "unknown command frob"},
    {"noCommand", {}, 2, "usage:"},
};

INSTANTIATE_TEST_SUITE_P(arguments, commandFailure, ::testing::ValuesIn(failureCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(help, everyCommandHasUsageAndSucceeds)
{
    for (const char *command : {"type", "new", "show", "render", "geometry", "typeset"}) {
        const auto r = run({QString::fromUtf8(command), QStringLiteral("--help")});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("usage: plotweave-cli ") + QString::fromUtf8(command)))
            << r.out.toStdString();
    }
    const auto general = run({QStringLiteral("--help")});
    EXPECT_EQ(general.status, 0);
    EXPECT_TRUE(general.out.contains(QStringLiteral("geometry")));
}

}  // namespace
