// Implicit curves, polar curves and inequalities on the command line: a set file holding
// each saves, reopens and draws the same; geometry --points; the θ range.
#include "cliTestSupport.h"

#include <QTemporaryDir>

using cliTest::run;

namespace {

const QStringList kEquations{"x^2 + y^2 = 25",    "(x^2 + y^2)^2 = 2 (x^2 - y^2)",
                             "r = 1 + cos theta", "y < x^2",
                             "x^2 + y^2 <= 9",    "x y > 1"};

TEST(cliNewKinds, aSetWithEachKindSavesReopensAndDrawsTheSame) {
    QTemporaryDir dir;
    const QString set = dir.filePath("kinds.plw");
    QStringList made{"new", "-o", set};
    made << kEquations;
    const auto written = run(made);
    ASSERT_EQ(written.status, 0) << written.err.toStdString();

    const QStringList shown = run({"show", set}).lines();
    const char *kinds[] = {"grKind2DImplicit",   "grKind2DImplicit",   "grKindPolar",
                           "grKind2DInequality", "grKind2DInequality", "grKind2DInequality"};
    ASSERT_EQ(shown.size(), kEquations.size());
    for (qsizetype i = 0; i < shown.size(); i++)
        EXPECT_EQ(shown[i].section('\t', 4), kinds[i]) << shown[i].toStdString();

    // The same primitives from the file and from the texts it shows.
    QStringList fromText{"geometry", "--region", "-5,5,-5,5", "--eq"};
    for (const QString &line : shown) fromText << line.section('\t', 3, 3);
    const auto a = run({"geometry", set, "--region", "-5,5,-5,5"}), b = run(fromText);
    ASSERT_EQ(a.status, 0) << a.err.toStdString();
    ASSERT_EQ(b.status, 0) << b.err.toStdString();
    EXPECT_EQ(a.out, b.out);
    EXPECT_TRUE(a.out.contains("renderer 5 graph2DInequalityRender\nfill 5\n"))
        << a.out.toStdString();
}

// Every vertex as "x y", strips apart by a blank line, with --theta-range reaching the
// renderer: half a turn of a cardioid ends on the negative x axis. (That the points satisfy
// the equation is the renderer's test.)
TEST(cliNewKinds, geometryPointsListEveryVertex) {
    const auto points = run({"geometry", "--points", "--region", "-3,3,-3,3", "--theta-range",
                             "0,3.14159265", "--eq", "r = 1 + cos theta"});
    ASSERT_EQ(points.status, 0) << points.err.toStdString();
    const QStringList lines = points.lines();
    ASSERT_GT(lines.size(), 100);
    EXPECT_EQ(lines.indexOf(QString()), lines.size() - 1);  // one strip, then its blank line
    for (const QString &line : lines.mid(0, lines.size() - 1))
        EXPECT_EQ(line.split(' ').size(), 2) << line.toStdString();
    const QStringList last = lines[lines.size() - 2].split(' ');
    EXPECT_NEAR(last[0].toDouble(), 0.0, 1e-4);
    EXPECT_NEAR(last[1].toDouble(), 0.0, 1e-4);
}

}  // namespace
