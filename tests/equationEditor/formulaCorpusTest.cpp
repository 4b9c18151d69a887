// Formulas written as students, teachers, engineers and web pages write them, read and
// evaluated: each must have the value that Python's math module gives it
// (tests/tools/makeFormulaCorpus.py writes the table).
#include <QFile>
#include <QStringList>
#include <cmath>

#include "editorTestSupport.h"
#include "equationEditor/geTextParser.h"

namespace editorTest {
namespace {

// The values of the right sides: one for "y = ...", one per part of "x = ..., y = ...".
std::vector<double> sideValues(const geEdit *node, const grVariables &point, std::string &problem) {
    if (node->isKind(geEditKind::Comma)) {
        const auto *comma = static_cast<const geEditBinaryOp *>(node);
        std::vector<double> values = sideValues(comma->leftExp().get(), point, problem);
        for (double v : sideValues(comma->rightExp().get(), point, problem)) values.push_back(v);
        return values;
    }
    if (!node->isKind(geEditKind::Equals)) {
        problem = "no equation";
        return {};
    }
    grExp *e = static_cast<const geEditBinaryOp *>(node)->rightExp()->makeExp();
    grVariables variables = point;
    double result = 0.0;
    if (!e || grEvalExp(&variables, e, &result) != 0) problem = "evaluation failed";
    grFreeExp(e);
    return {result};
}

TEST(FormulaCorpusTest, EveryFormulaHasItsValue) {
    QFile file(QStringLiteral(PLOTWEAVE_SOURCE_DIR "/tests/equationEditor/formulaCorpus.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int rows = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList fields = line.split(u'\t');
        ASSERT_GE(fields.size(), 4) << line.toStdString();
        ++rows;
        const std::string formula = fields[0].toStdString();
        const auto parsed = geParseText(fields[0]);
        if (!parsed.root) {
            ADD_FAILURE() << formula << ": " << parsed.error.toStdString();
            continue;
        }
        grVariables point{};
        point.k = 1.5;
        (fields[1] == u"t" ? point.t : point.x) = fields[2].toDouble();
        std::string problem;
        const std::vector<double> values = sideValues(parsed.root->top().get(), point, problem);
        ASSERT_EQ(problem, "") << formula;
        ASSERT_EQ(values.size(), size_t(fields.size() - 3)) << formula;
        for (size_t i = 0; i < values.size(); ++i) {
            const double expected = fields[int(i) + 3].toDouble();
            EXPECT_NEAR(values[i], expected, 1e-9 * std::max(1.0, std::fabs(expected)))
                << formula << " read as " << picture(parsed.root.get());
        }
    }
    EXPECT_GE(rows, 300);
}

}  // namespace
}  // namespace editorTest
