// plotweave-cli new and show: equation-set files written, read back, and refused when damaged.
#include "cliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include "app/graphEquationDocument.h"
#include "damagedSets.h"

using cliTest::run;

namespace {

class setFiles : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void write(const QString &file, const QByteArray &data) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QTemporaryDir dir;
};

TEST_F(setFiles, newWritesEntriesThatShowReadsBack) {
    const QString set = path("set.plw");
    // A colour applies to the entries after it; --keys types the entries after it.
    const auto made = run({"new", "-o", set, "y = sin x", "--color", "ff0000", "y=x^2/10",
                           "--color", "#00a0FF", "--keys", "z=1", "--eq", "x=1, x=2", "--", "-x"});
    ASSERT_EQ(made.status, 0) << made.err.toStdString();
    const auto shown = run({"show", set});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    const QStringList lines = shown.lines();
    EXPECT_EQ(
        lines,
        (QStringList{"0\tEquation 1\t#000000\ty = sin(x)\tgrKindYOfX",
                     "1\tEquation 2\t#FF0000\ty = (x^2)/10\tgrKindYOfX",
                     "2\tEquation 3\t#00A0FF\tz = 1\tgrKindZOfXY",
                     "3\tEquation 4\t#00A0FF\tx = 1 , x = 2\tX redefined in parametric equation.",
                     "4\tEquation 5\t#00A0FF\t(- x)\tgrKindYOfX"}));

    // The texts show prints make the same set again.
    QStringList again{"new", "-o", path("again.plw"), "--"};
    for (const QString &line : lines) again << line.section('\t', 3, 3);
    ASSERT_EQ(run(again).status, 0);
    const QStringList reread = run({"show", path("again.plw")}).lines();
    ASSERT_EQ(reread.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); i++)
        EXPECT_EQ(reread[i].section('\t', 3), lines[i].section('\t', 3));
}

// The same damaged files as the window's, refused with the same reasons.
TEST_F(setFiles, damagedOrSpecialFilesAreRefusedAsTheWindowRefusesThem) {
    const QString good = path("good.plw");
    ASSERT_EQ(run({"new", "-o", good, "y=x", "y=2x"}).status, 0);
    const QByteArray bytes = cliTest::readFile(good);
    ASSERT_GT(bytes.size(), 40);
    graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
    for (const damagedSets::damagedFile &file : damagedSets::make(dir, bytes)) {
        SCOPED_TRACE(file.name);
        const QString reason = graphEquationDocument::readFile(file.path).reason;
        EXPECT_TRUE(reason.contains(QString::fromLatin1(file.reason))) << reason.toStdString();
        const auto r = run({"show", file.path});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "plotweave-cli: " + file.path + ": " + reason + "\n");
    }
}

// Every write goes through a symbolic link and keeps it. (Writes that cannot complete are
// the file layer's test; a refused target's status is in newRefusesWithoutTouchingWhatIsThere.)
TEST_F(setFiles, writesGoThroughLinks) {
    const QString set = path("old.plw");
    ASSERT_EQ(run({"new", "-o", set, "y=x"}).status, 0);
    const QByteArray before = cliTest::readFile(set);

    ASSERT_EQ(symlink("old.plw", QFile::encodeName(path("link.plw")).constData()), 0);
    ASSERT_EQ(symlink("old.png", QFile::encodeName(path("link.png")).constData()), 0);
    ASSERT_EQ(symlink("old.gif", QFile::encodeName(path("link.gif")).constData()), 0);
    const QStringList writes[] = {
        {"new", "-o", path("link.plw"), "y=2x"},
        {"render", "--eq", "y=x", "--size", "40x30", "-o", path("link.png")},
        {"movie", "--eq", "y=x", "--size", "40x30", "--steps", "3", "--quiet", "-o",
         path("link.gif")},
    };
    for (const QStringList &args : writes) {
        const auto r = run(args);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
    }
    EXPECT_TRUE(QFileInfo(path("link.plw")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("link.png")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("link.gif")).isSymLink());
    EXPECT_TRUE(cliTest::readFile(path("old.gif")).startsWith("GIF8"));
    EXPECT_NE(cliTest::readFile(set), before);
    EXPECT_TRUE(cliTest::readFile(path("old.png")).startsWith("\x89PNG"));
}

TEST_F(setFiles, namesFromAFilePrintEscapedAndWhole) {
    const QString set = path("set.plw");
    ASSERT_EQ(run({"new", "-o", set, "y=x"}).status, 0);
    QByteArray bytes = cliTest::readFile(set);
    // The same length keeps the archive sound: a terminal escape, a tab and a NUL.
    ASSERT_TRUE(bytes.contains("Equation 1"));
    bytes.replace("Equation 1", QByteArray("Eq\x1b[\t\0on 1", 10));
    write(set, bytes);
    const auto r = run({"show", set});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "0\tEq\\x1B[\\t\\x00on 1\t#000000\ty = x\tgrKindYOfX\n");
}

TEST_F(setFiles, newRefusesWithoutTouchingWhatIsThere) {
    const QString set = path("set.plw");
    ASSERT_EQ(run({"new", "-o", set, "y=x"}).status, 0);
    const QByteArray before = cliTest::readFile(set);

    const std::pair<QStringList, int> cases[] = {
        {{"new", "-o", set, "--color", "red", "y=2x"}, 1},
        {{"new", "-o", set, "y = 2 floor(x)"}, 1},
        {{"new", "-o", set, "--keys", "y=2\\x"}, 1},
        {{"new", "-o", set}, 2},
        {{"new", "y=2x"}, 2},
        {{"new", "-o", set, "y=2x", "--color"}, 2},
        {{"new", "-o", path("missing/set.plw"), "y=x"}, 1},
    };
    for (const auto &[args, status] : cases) {
        const auto r = run(args);
        EXPECT_EQ(r.status, status) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), status == 2 ? 2 : 1) << r.err.toStdString();
    }
    EXPECT_EQ(cliTest::readFile(set), before);
}

// The bundled examples are what scripts/run renders: each must read and graph.
TEST(examples, everyBundledSetReadsAndGraphs) {
    const QStringList files =
        QDir(QStringLiteral(PLOTWEAVE_EXAMPLES)).entryList({"*.plw"}, QDir::Files);
    ASSERT_GE(files.size(), 3);
    for (const QString &name : files) {
        const QString file = QStringLiteral(PLOTWEAVE_EXAMPLES "/") + name;
        const auto shown = run({"show", file});
        ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
        for (const QString &line : shown.lines())
            EXPECT_TRUE(line.section('\t', 4).startsWith("grKind")) << line.toStdString();
        const auto geometry = run({"geometry", file});
        EXPECT_EQ(geometry.status, 0) << geometry.err.toStdString();
        EXPECT_TRUE(geometry.out.startsWith("renderer 0 ")) << name.toStdString();
    }
}

}  // namespace
