// plotweave-cli new and show: equation-set files written, read back, and refused when damaged.
#include "cliTestSupport.h"

#include <QDir>
#include <QFile>

using cliTest::run;

namespace {

class setFiles : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    void write(const QString &file, const QByteArray &data)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QTemporaryDir dir;
};

TEST_F(setFiles, newWritesEntriesThatShowReadsBack)
{
    const QString set = path("set.plw");
    // A colour applies to the entries after it; the first entry keeps the list's black.
    const auto made = run({"new", "-o", set, "y=sinx", "--color", "ff0000", "y=x^2\\>/10", "-x",
                           "--color", "#00a0FF", "z=1", "x=1,x=2"});
    ASSERT_EQ(made.status, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.isEmpty());

    const auto shown = run({"show", set});
    ASSERT_EQ(shown.status, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.lines(),
              (QStringList{"0\tEquation 1\t#000000\ty = sin(x)\tgrKindYOfX",
                           "1\tEquation 2\t#FF0000\ty = (x^2)/10\tgrKindYOfX",
                           "2\tEquation 3\t#FF0000\t(- x)\tgrKindYOfX",
                           "3\tEquation 4\t#00A0FF\tz = 1\tgrKindZOfXY",
                           "4\tEquation 5\t#00A0FF\tx = 1 , x = 2\tX redefined in parametric equation."}));
}

TEST_F(setFiles, damagedFilesAreRefusedWithTheirReason)
{
    const QString good = path("good.plw");
    ASSERT_EQ(run({"new", "-o", good, "y=x", "y=2x"}).status, 0);
    const QByteArray bytes = cliTest::readFile(good);
    ASSERT_GT(bytes.size(), 40);

    struct damage {
        const char *name;
        QByteArray data;
        const char *reason;
    };
    QByteArray flipped = bytes;
    flipped[bytes.size() / 2] = static_cast<char>(flipped[bytes.size() / 2] ^ 0x5A);
    const damage cases[] = {
        {"truncated.plw", bytes.left(bytes.size() - 7), "at byte"},
        {"header.plw", QByteArray("not an archive at all"), ""},
        {"empty.plw", QByteArray(), ""},
        {"flipped.plw", flipped, ""},
    };
    for (const damage &d : cases) {
        const QString file = path(d.name);
        write(file, d.data);
        const auto r = run({"show", file});
        // A flipped byte may still read as a set (in a name, say); it must never crash.
        if (QByteArray(d.name) == "flipped.plw" && r.status == 0)
            continue;
        EXPECT_EQ(r.status, 1) << d.name;
        EXPECT_TRUE(r.err.startsWith("plotweave-cli: " + file + ": ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(d.reason))) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(setFiles, missingFilesAndFoldersAreRefused)
{
    for (const QString &file : {path("absent.plw"), dir.path()}) {
        const auto r = run({"show", file});
        EXPECT_EQ(r.status, 1) << file.toStdString();
        EXPECT_TRUE(r.err.contains(file)) << r.err.toStdString();
    }
    EXPECT_EQ(run({"show"}).status, 2);
}

TEST_F(setFiles, newFailsWithoutTouchingAnExistingFile)
{
    const QString set = path("set.plw");
    ASSERT_EQ(run({"new", "-o", set, "y=x"}).status, 0);
    const QByteArray before = cliTest::readFile(set);

    struct failure {
        QStringList args;
        int status;
    };
    const failure cases[] = {
        {{"new", "-o", set, "--color", "red", "y=2x"}, 1},
        {{"new", "-o", set, "--color", "12345", "y=2x"}, 1},
        {{"new", "-o", set, "y=2\\x"}, 1},
        {{"new", "-o", set}, 2},
        {{"new", "y=2x"}, 2},
        {{"new", "-o", set, "y=2x", "--color"}, 2},
    };
    for (const failure &f : cases) {
        const auto r = run(f.args);
        EXPECT_EQ(r.status, f.status) << f.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(cliTest::readFile(set), before);

    // Unwritable places: a missing folder and a folder in the file's place.
    for (const QString &target : {path("missing/set.plw"), dir.path()}) {
        const auto r = run({"new", "-o", target, "y=x"});
        EXPECT_EQ(r.status, 1) << target.toStdString();
        EXPECT_TRUE(r.err.contains("cannot write")) << r.err.toStdString();
    }
}

// The bundled examples are what scripts/run renders: each must read and graph.
TEST(examples, everyBundledSetReadsAndGraphs)
{
    const QStringList files = QDir(QStringLiteral(PLOTWEAVE_EXAMPLES)).entryList({"*.plw"}, QDir::Files);
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
