// plotweave-cli type, help and argument errors: what a text or keys read as, and every
// refusal with its reason.
#include <QFile>

#include "cliTestSupport.h"

using cliTest::run;

namespace {

// Each row: the arguments after "type --tree", then the four lines printed, and what
// standard error must contain ("" for nothing). How texts parse, classify and print is
// the parser's, the classifier's and the model's own test; here what the command adds.
struct typeCase {
    QStringList args;
    QStringList lines;
    const char *warning;
};

TEST(typeCommand, printsTextKindCalculatorAndTree) {
    const typeCase cases[] = {
        // Keys: the node with the cursor is marked, escapes are the editor's keys.
        {{"y=x^2"},
         {"text: y = x^2", "kind: grKindYOfX", "calc:",
          "tree: geEditEquals(geEditVar \"y\", geEditPow(geEditVar \"x\", geEditNum \"2\"@1))"},
         ""},
        {{"1+2\\<\\<3"},
         {"text: 1 + 3 * 2", "kind: grKindYOfX", "calc: = 7",
          "tree: geEditAdd(geEditNum \"1\", geEditMul(geEditNum \"3\"@1, geEditNum \"2\"))"},
         ""},
        {{"2+x\\a\\b"},
         {"text: ?", "error: \"?\" must be replaced before graphing.",
          "calc:", "tree: geEditEmpty@0"},
         ""},
        // Text: no cursor; the same tree as the keys that mean it.
        {{"--text", "y = x^2"},
         {"text: y = x^2", "kind: grKindYOfX", "calc:",
          "tree: geEditEquals(geEditVar \"y\", geEditPow(geEditVar \"x\", geEditNum \"2\"))"},
         ""},
        // User constants: given ones count, others are 1.0 with a warning naming them.
        {{"--text", "--const", "a=2.5", "a b + c"},
         {"text: a * b + c", "kind: grKindYOfX", "calc: = 3.5",
          "tree: geEditAdd(geEditMul(geEditVar \"a\", geEditVar \"b\"), geEditVar \"c\")"},
         "warning: b, c taken as 1.0"},
        // A letter without a value in the kind is named.
        {{"--text", "y = x + t"},
         {"text: y = x + t", "kind: grKindYOfX", "calc:",
          "tree: geEditEquals(geEditVar \"y\", geEditAdd(geEditVar \"x\", geEditVar \"t\"))"},
         "warning: t has no value in y = f(x) and is taken as 0"},
        {{"--const", "q=4", "q\\\\2"},
         {"text: q * 2", "kind: grKindYOfX", "calc: = 8",
          "tree: geEditMul(geEditVar \"q\", geEditNum \"2\"@1)"},
         ""},
    };
    for (const typeCase &c : cases) {
        const auto r = run(QStringList{"type", "--tree"} + c.args);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.lines(), c.lines);
        if (*c.warning)
            EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.warning))) << r.err.toStdString();
        else
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
}

// Each row: arguments, exit status and the whole standard error after "plotweave-cli: ",
// or a part of it ending in "...".
TEST(commandFailure, exitsWithOneLineReason) {
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"type", "--text", "y = sgn(x)"},
         1,
         "equation (y = sgn(x)): unknown function sgn at column 5: write u/abs(u) for the sign "
         "of u"},
        {{"type", "--text", "y = 2\x1b[31m"},
         1,
         "equation (y = 2\\x1B[31m): unexpected character U+001B at column 6"},
        {{"type", "1\\q"}, 1, "keys \"1\\q\": unknown escape \\q..."},
        {{"type", "1\\"}, 1, "keys \"1\\\": a backslash at the end escapes nothing"},
        {{"type", "--const", "x=2", "1"}, 1, "--const \"x=2\": expected NAME=VALUE..."},
        {{"type", "--const", "a=b", "1"}, 1, "--const \"b\": expected a finite number"},
        {{"type"}, 2, "type takes one KEYS argument..."},
        {{"type", "--text", "1", "2"}, 2, "type --text takes one EQUATION argument..."},
        {{"type", "--bogus", "1"}, 2, "unknown option --bogus..."},
        {{"help", "frob"}, 2, "help takes one command name..."},
        {{"frob"}, 2, "unknown command frob..."},
        {{}, 2, "usage:..."},
    };
    for (const auto &[args, status, message] : cases) {
        const auto r = run(args);
        EXPECT_EQ(r.status, status) << args.join(' ').toStdString();
        const QString err = r.err.startsWith("plotweave-cli: ") ? r.err.mid(15) : r.err;
        if (message.endsWith("..."))
            EXPECT_TRUE(err.startsWith(message.chopped(3))) << r.err.toStdString();
        else
            EXPECT_EQ(err, message + "\n");
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
}

TEST(help, everyCommandHasUsageBothWays) {
    for (const char *command : {"type", "new", "show", "render", "geometry", "typeset"}) {
        const auto asked = run({"help", command});
        EXPECT_EQ(asked.status, 0) << command;
        EXPECT_TRUE(asked.out.startsWith(QStringLiteral("usage: plotweave-cli ") + command))
            << asked.out.toStdString();
        EXPECT_EQ(run({command, "--help"}).out, asked.out);
    }
    const auto general = run({"--help"});
    EXPECT_EQ(general.status, 0);
    EXPECT_TRUE(general.out.contains("after --"));
    EXPECT_TRUE(run({"--version"}).out.startsWith("plotweave-cli "));
}

// --eq-file: one equation per line of a file or of standard input, blank lines and
// comments skipped, a refused line named by its number.
TEST(equationFile, readsOneEquationPerLine) {
    QTemporaryDir dir;
    const QString list = dir.filePath("curves.txt");
    const QByteArray text = "# two curves\n\ny = sin 2x\n   \r\nx = 3 sin 2t, y = 3 sin 3t\r\n";
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const QStringList expected{"0\tEquation 1\t#000000\ty = sin(2 * x)\tgrKindYOfX",
                               "1\tEquation 2\t#000000\tx = 3 * sin(2 * t) , y = 3 * sin(3 * t)"
                               "\tgrKind2DParametricCurve"};
    for (const auto &[source, input] :
         {std::pair{list, QByteArray()}, std::pair{QString("-"), text}}) {
        const QString set = dir.filePath("curves.plw");
        const auto made = run({"new", "-o", set, "--eq-file", source}, {}, input);
        ASSERT_EQ(made.status, 0) << made.err.toStdString();
        EXPECT_EQ(run({"show", set}).lines(), expected);
    }
    const auto refused = run({"geometry", "--eq-file", "-"}, {}, "y = x\n# fine so far\ny = (x\n");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "plotweave-cli: standard input line 3 (y = (x): missing ) at column 7\n");
    EXPECT_EQ(run({"geometry", "--eq-file", "-"}, {}, "# nothing\n").err,
              "plotweave-cli: standard input: no equations\n");
}

}  // namespace
