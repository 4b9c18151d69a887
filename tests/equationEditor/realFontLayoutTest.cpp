// Layout with the editor's real font, DejaVu Serif at 24 points, loaded from its files.
#include <QImage>
#include <cstdlib>

#include "editorTestSupport.h"
#include "equationEditor/geEquationPicture.h"
#include "layoutTestSupport.h"

namespace layoutTest {
namespace {

const char *const uprightFile = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
const char *const italicFile = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf";

std::unique_ptr<geRawFont> realFont() {
    return geRawFont::fromFiles(uprightFile, italicFile, geDefaultFontSize);
}

// Every sub-path lies within its parent's box.
void expectNested(const geBezierPath &p) {
    for (const auto &sub : p.pathlist()) {
        const QRectF inner = sub->bounds(), outer = p.bounds().adjusted(-1e-6, -1e-6, 1e-6, 1e-6);
        EXPECT_TRUE(inner.left() >= outer.left() && inner.top() >= outer.top() &&
                    inner.right() <= outer.right() && inner.bottom() <= outer.bottom());
        expectNested(*sub);
    }
}

TEST(RealFontLayoutTest, MetricsAndOutlinesAreYUp) {
    auto font = realFont();
    ASSERT_TRUE(font->isValid());
    EXPECT_NEAR(font->ascender(), 22.28, 0.01);
    EXPECT_NEAR(font->descender(), -5.66, 0.01);
    const quint32 x = font->glyphForChar(u'x'), g = font->glyphForChar(u'g');
    EXPECT_NE(x, 0u);
    EXPECT_NE(font->glyphForChar(u'\u2022'), 0u) << "the multiplication dot";
    EXPECT_NE(font->glyphForChar(u'\u03c0'), 0u);
    const QRectF xBox = font->glyphOutline(x).boundingRect();
    EXPECT_NEAR(xBox.y(), 0, 0.01) << "sits on the baseline";
    EXPECT_NEAR(xBox.bottom(), 12.45, 0.05) << "the x-height, upward";
    EXPECT_LT(font->glyphOutline(g).boundingRect().y(), -4) << "a descender reaches down";
    EXPECT_NEAR(font->advance(x), 13.53, 0.01);
    const geFont &italic = font->italicFont();
    EXPECT_NE(&italic, font.get());
    EXPECT_NE(italic.glyphOutline(italic.glyphForChar(u'x')).boundingRect(), xBox);
    EXPECT_EQ(geRawFont::defaultFont()->rawFont().familyName(), "DejaVu Serif");
}

TEST(RealFontLayoutTest, OperatorGlyphsAreCentredOnTheLine) {
    auto font = realFont();
    auto sum = geEditAdd::addWithLeft(geEditVar::varWithChar(u'a'), geEditVar::varWithChar(u'b'));
    auto p = sum->renderWithFont(*font, false, false);
    const QRectF plus = font->glyphOutline(font->glyphForChar(u'+')).boundingRect();
    // The glyph's origin on the baseline would reach below the glyph into its box.
    EXPECT_NEAR(p->pathlist()[1]->bounds().height(), 0.7 * plus.height() + 6, 1e-9);
    const QRectF a = p->pathlist()[0]->bounds(), op = p->pathlist()[1]->bounds();
    EXPECT_NEAR(a.center().y(), op.center().y(), 1e-9);
}

TEST(RealFontLayoutTest, LettersMissingFromTheFontComeFromAFontThatHasThem) {
    // DejaVu Serif has no Hebrew; DejaVu Sans has.
    const QRawFont serif(QString(uprightFile), geDefaultFontSize);
    const QRawFont sans(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
                        geDefaultFontSize);
    const QChar alef(0x05d0);
    ASSERT_FALSE(serif.supportsCharacter(alef));
    quint32 glyph = 0;
    int count = 1;
    ASSERT_TRUE(sans.glyphIndexesForChars(&alef, 1, &glyph, &count));
    const QTransform yUp(1, 0, 0, -1, 0, 0);
    for (const auto &font : {realFont(), geRawFont::defaultFont()}) {
        EXPECT_EQ(font->glyphOutline(font->glyphForChar(0x05d0)).boundingRect(),
                  yUp.map(sans.pathForGlyph(glyph)).boundingRect());
        const quint32 x = font->glyphForChar(u'x');  // the face's own glyphs are unchanged
        EXPECT_EQ(font->glyphOutline(x).boundingRect(),
                  yUp.map(serif.pathForGlyph(x)).boundingRect());
    }
}

class QuadraticFormulaTest : public editorTest::EditorTest {};

TEST_F(QuadraticFormulaTest, TypedLaidOutAndPainted) {
    type(u"x=(-b+sqrtb^2→-4ac→)/(2a)");
    ASSERT_EQ(tree(),
              "Equals(x, Div(Parens(Add(Neg(b), Root(2, Sub(Pow(b, 2), Mul(4, Mul(a, c)))))), "
              "Parens(Mul(2, a)))|)");
    auto font = realFont();
    const geEditPtr &root = model.equation();
    auto p = root->renderWithFont(*font, true, true);
    ASSERT_NE(p, nullptr);
    expectNested(*p);

    // Every node has its path, and a click in the middle of a letter or number finds it;
    // a root's index lies over the radical sign, which comes first and wins.
    for (const geEditPtr &node : editorTest::subtree(root->top())) {
        geBezierPath *path = p->pathForData(node.get());
        ASSERT_NE(path, nullptr) << node->className();
        const geEdit *parent = node->parent();
        const bool index = parent->isKind(geEditKind::Root) &&
                           static_cast<const geEditBinaryOp *>(parent)->leftExp() == node;
        if (node->isTerminal() && !index) {
            geBezierPath *hit = p->pathAtPoint(path->bounds().center());
            ASSERT_NE(hit, nullptr);
            EXPECT_EQ(hit->data(), node.get()) << node->string().toStdString();
        }
    }

    // "x" stands level with the middle of the fraction.
    auto equals = std::static_pointer_cast<geEditBinaryOp>(root->top());
    const QRectF x = p->pathForData(equals->leftExp().get())->bounds();
    const QRectF fraction = p->pathForData(equals->rightExp().get())->bounds();
    EXPECT_NEAR(x.center().y(), fraction.center().y(), 1e-6);
    EXPECT_GT(fraction.height(), 2 * x.height());

    const QImage image = geEquationImage(*p, 2);
    EXPECT_EQ(image.width(), int(std::ceil(p->bounds().width() * 2 + 8)));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int i = 0; i < image.width(); ++i) dark += qGray(image.pixel(i, y)) < 128;
    EXPECT_GT(dark, image.width() * image.height() / 50) << "ink on the page";
    EXPECT_TRUE(geEquationPdf(*p, 1).startsWith("%PDF-"));
    // PLOTWEAVE_LAYOUT_PICTURE=file.png keeps the picture for a look.
    if (const char *file = std::getenv("PLOTWEAVE_LAYOUT_PICTURE")) {
        EXPECT_TRUE(geWriteEquationPng(*p, 2, QString::fromLocal8Bit(file)));
    }
}

}  // namespace
}  // namespace layoutTest
