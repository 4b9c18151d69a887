// Copy, cut and paste through the real clipboard of an X server, and what another program
// pastes from it.
#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QUndoStack>

#include "equationEditor/geTextParser.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"
#include "windowTestSupport.h"

using namespace windowTest;

namespace {

class Clipboard : public WindowTest {
protected:
    Clipboard() { QGuiApplication::clipboard()->clear(); }

    const QMimeData *clip() { return QGuiApplication::clipboard()->mimeData(); }
    // The archived node on the clipboard.
    geEditPtr clipNode() {
        slArchivedObject object = slUnarchiver::unarchiveObjectWithData(
            clip()->data(graphEquationEditorView::pboardType));
        auto *coded = std::get_if<std::shared_ptr<slCoding>>(&object);
        return coded ? std::dynamic_pointer_cast<geEdit>(*coded) : nullptr;
    }
    // What another program gets when it pastes this type.
    QByteArray pastedElsewhere(const char *type) {
        QProcess reader;
        reader.start(QCoreApplication::applicationFilePath(), {"--read-clipboard", type});
        // The reader asks this process for the data: keep serving events until it is done.
        EXPECT_TRUE(QTest::qWaitFor([&] { return reader.state() == QProcess::NotRunning; }, 20000));
        return QByteArray::fromBase64(reader.readAllStandardOutput().trimmed());
    }
    void selectAllKeys() { editor()->action("selectAll")->trigger(); }
    void putOnClipboard(const QByteArray &archive) {
        auto *data = new QMimeData;
        data->setData(graphEquationEditorView::pboardType, archive);
        QGuiApplication::clipboard()->setMimeData(data);
    }
};

// A number copies its selected characters as text; the archive holds the whole number.
TEST_F(Clipboard, CopyOfANumberIsTextAndArchive) {
    type("12+3456");
    auto *number = static_cast<geEditBinaryOp *>(model().equation()->top().get())->rightExp().get();
    drag(pointIn(number, 0.02), pointIn(number, 0.55));
    QTest::keyClick(editor(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clip()->text(), "34");
    EXPECT_FALSE(clip()->hasFormat("application/pdf"));
    geEditPtr node = clipNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->string(), "3456");
    EXPECT_EQ(pastedElsewhere("text/plain"), "34");
}

// Any other node copies as PDF and PNG pictures of its box, without the highlight.
TEST_F(Clipboard, CopyOfAFractionIsPictureAndArchive) {
    type("1/2");
    selectAllKeys();
    editor()->action("copy")->trigger();
    ASSERT_NE(model().selection(), nullptr);
    EXPECT_TRUE(model().selection()->isSelected());  // the selection stays on screen
    const QByteArray pdf = clip()->data("application/pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    const QImage png = QImage::fromData(clip()->data("image/png"), "PNG");
    ASSERT_FALSE(png.isNull());
    // Black glyphs on white: no pixel has the highlight's tint.
    int tinted = 0, dark = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QColor c = png.pixelColor(x, y);
            tinted += std::abs(c.red() - c.blue()) > 8 ? 1 : 0;
            dark += c.value() < 100 ? 1 : 0;
        }
    }
    EXPECT_EQ(tinted, 0);
    EXPECT_GT(dark, 20);
    EXPECT_EQ(clipNode()->string(), "1/2");
    // A text editor pastes the formula.
    EXPECT_EQ(pastedElsewhere("text/plain"), "1/2");
    // Another program gets the same PDF, and a PDF reader accepts it.
    const QByteArray elsewhere = pastedElsewhere("application/pdf");
    EXPECT_EQ(elsewhere, pdf);
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    file.write(elsewhere);
    file.flush();
    QProcess info;
    info.start("pdfinfo", {file.fileName()});
    ASSERT_TRUE(info.waitForFinished(20000));
    EXPECT_EQ(info.exitCode(), 0);
    const QByteArray report = info.readAllStandardOutput();
    EXPECT_TRUE(QString::fromUtf8(report).contains(QRegularExpression("Pages:\\s+1\\n")))
        << report.toStdString();
}

// Paste replaces a "?" or the selection, with the cursor after the pasted node.
TEST_F(Clipboard, PasteIntoAPlaceholderAndIntoASelection) {
    type("x^2");
    selectAllKeys();
    editor()->copyText();
    EXPECT_EQ(clip()->text(), "x^2");
    window.addEquation();
    type("1+");
    QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "1 + x^2");
    type("+3");
    EXPECT_EQ(text(), "1 + x^2 + 3");
    selectAllKeys();
    editor()->paste();
    EXPECT_EQ(text(), "x^2");
    EXPECT_EQ(model().selection(), nullptr);
    EXPECT_NE(model().keyResponder(), nullptr);
    // Cut leaves a placeholder and the cut node on the clipboard.
    selectAllKeys();
    QTest::keyClick(editor(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text(), "?");
    EXPECT_EQ(clipNode()->string(), "x^2");
}

// Refusals leave the tree as it was and say why in the message field.
TEST_F(Clipboard, RefusedPastesChangeNothing) {
    type("x");
    selectAllKeys();
    editor()->copy();
    const QByteArray good = clip()->data(graphEquationEditorView::pboardType);
    // A chain of parentheses too deep for the editor, archived as a subtree.
    geEditPtr deep = geEditVar::varWithChar(u'y');
    for (int i = 0; i < geMaxTreeHeight; ++i) deep = geEditParens::parensWithExpression(deep);
    const QByteArray tooTall = slArchiver::archivedDataWithRootObject(*deep);

    struct Row {
        const char *name;
        QByteArray data;
        const char *message;  // the start of the message
    };
    const Row rows[] = {
        {"no target", good, "Can only paste into selections or \"?\" expressions."},
        {"not an archive", "GREquation? no",
         "Cannot paste: the clipboard's equation data is damaged"},
        {"truncated", good.left(good.size() - 5),
         "Cannot paste: the clipboard's equation data is damaged"},
        {"too deep", tooTall,
         "Cannot paste: the equation would be nested deeper than 2000 levels."},
    };
    window.addEquation();
    type("2+3");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (std::string(row.name) != "no target") type("+");  // a "?" to paste into
        const std::string before = text();
        const int undoCount = window.undoStack()->count();
        putOnClipboard(row.data);
        editor()->paste();
        EXPECT_EQ(text(), before);
        EXPECT_EQ(window.undoStack()->count(), undoCount);
        EXPECT_TRUE(editor()->statusText().startsWith(QString::fromUtf8(row.message)))
            << editor()->statusText().toStdString();
        if (std::string(row.name) != "no target") type("\b");
    }
    EXPECT_EQ(graphEquationEditorView::pasteTargetMessage().size(), 50);
    // Without equation data or text, paste does nothing and says nothing.
    QGuiApplication::clipboard()->setText("");
    editor()->setMessageText("");
    editor()->paste();
    EXPECT_EQ(text(), "2 + 3");
    EXPECT_EQ(editor()->statusText(), "");
}

// Text from another program is read with the text parser and pasted as a tree.
TEST_F(Clipboard, PlainTextPastesThroughTheParser) {
    struct Row {
        const char *text, *after, *message;
    };
    // What texts read as is the parser's test; here one text pasted and one refused.
    const Row rows[] = {
        {"  3/4  ", "1 + 3/4", "= 1.75\n"},
        {"2+", "1 + ?", nullptr},  // the parser's message, whatever its words
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        window.addEquation();
        type("1+");
        editor()->setMessageText("");
        // Set by another process, so the clipboard holds text only.
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {"--write-clipboard-text", row.text});
        ASSERT_TRUE(QTest::qWaitFor([&] { return clip()->text() == row.text; }, 20000));
        EXPECT_FALSE(clip()->hasFormat(graphEquationEditorView::pboardType));
        editor()->paste();
        EXPECT_EQ(text(), row.after);
        const QString message =
            row.message ? QString::fromUtf8(row.message) : geParseText(row.text).error;
        EXPECT_EQ(editor()->statusText(), message);
        if (std::string(row.after) == "1 + ?") {
            EXPECT_FALSE(message.isEmpty());  // a refusal always says why
        }
        writer.kill();
        writer.waitForFinished();
    }
}

}  // namespace
