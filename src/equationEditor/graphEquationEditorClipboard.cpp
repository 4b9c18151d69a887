// The editor view's clipboard: copies of the selection as an archive, text, PDF and PNG,
// LaTeX, and paste of archived subtrees.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "equationEditor/geBezierPath.h"
#include "equationEditor/geEditLatex.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEquationPicture.h"
#include "equationEditor/geFont.h"
#include "equationEditor/geTextParser.h"
#include "equationEditor/graphEquationEditorView.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

namespace {

QByteArray pngBytes(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

void graphEquationEditorView::putOnClipboard(const geEditPtr &node, bool text) {
    auto *data = new QMimeData;
    auto *number = dynamic_cast<geEditNum *>(node.get());
    if (number) {
        data->setText(number->selectedString());
    } else if (text) {
        data->setText(node->string());
    } else {
        // A picture of the node's box at actual size, without the selection's highlight.
        node->setIsSelected(false);
        std::unique_ptr<geBezierPath> q =
            model_.equation()->renderWithFont(*rawFont_, false, false);
        const geBezierPath *path = q ? q->pathForData(node.get()) : nullptr;
        if (path) {
            data->setData(QStringLiteral("application/pdf"), geEquationPdf(*path, 1.0));
            const QImage image = geEquationImage(*path, 2.0);
            data->setData(QStringLiteral("image/png"), pngBytes(image));
            data->setImageData(image);
        }
        node->setIsSelected(true);
        // Text editors paste the formula.
        data->setText(node->string());
    }
    data->setData(QString::fromLatin1(pboardType), slArchiver::archivedDataWithRootObject(*node));
    QGuiApplication::clipboard()->setMimeData(data);
}

void graphEquationEditorView::copy() {
    if (geEditPtr s = model_.selectedNode()) putOnClipboard(s, false);
}

void graphEquationEditorView::copyText() {
    if (geEditPtr s = model_.selectedNode()) putOnClipboard(s, true);
}

QString graphEquationEditorView::latexText() const {
    if (geEditPtr s = model_.selectedNode()) return geLatexString(s.get());
    return model_.equation() ? geLatexString(model_.equation().get()) : QString();
}

void graphEquationEditorView::copyLatex() {
    if (!model_.equation()) return;
    QGuiApplication::clipboard()->setText(latexText());
}

void graphEquationEditorView::cut() {
    geEditPtr s = model_.selectedNode();
    if (!s || !s->parent()) return;
    copy();
    edit(tr("Cut"), [&] {
        model_.cut();
        model_.calculate();
    });
    ensureCaretVisible();
}

geEditPtr graphEquationEditorView::nodeFromClipboard(const QMimeData &data,
                                                     QString &message) const {
    QString error;
    const slArchivedObject object =
        slUnarchiver::unarchiveObjectWithData(data.data(QString::fromLatin1(pboardType)), &error);
    const auto *coded = std::get_if<std::shared_ptr<slCoding>>(&object);
    geEditPtr node = coded ? std::dynamic_pointer_cast<geEdit>(*coded) : nullptr;
    // A whole equation pastes as its top node.
    if (node && node->isRoot()) node = node->top() ? node->top()->copy() : nullptr;
    if (!node) {
        message =
            error.isEmpty()
                ? tr("Cannot paste: the clipboard holds no equation.")
                : tr("Cannot paste: the clipboard's equation data is damaged (%1).").arg(error);
    }
    return node;
}

// A formula copied as text from another program (no equation data beside it) is read with
// the text parser and pasted as its tree; text that does not parse shows the parser's
// message and changes nothing.
void graphEquationEditorView::paste() {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data) return;
    QString message;
    geEditPtr node;
    if (data->hasFormat(QString::fromLatin1(pboardType))) {
        node = nodeFromClipboard(*data, message);
    } else if (data->hasText() && !data->text().trimmed().isEmpty()) {
        const geTextParseResult parsed = geParseText(data->text().trimmed());
        if (parsed.root && parsed.root->top())
            node = parsed.root->top()->copy();
        else
            message = parsed.error;
    } else {
        return;
    }
    if (!node) {
        model_.setMessageText(message);
        return;
    }
    pasteNode(node);
}

void graphEquationEditorView::pasteNode(const geEditPtr &node) {
    graphEquationEditorModel::PasteResult result = graphEquationEditorModel::PasteResult::NoTarget;
    edit(tr("Paste"), [&] {
        result = model_.pasteNode(node);
        if (result == graphEquationEditorModel::PasteResult::Pasted) model_.calculate();
    });
    if (result == graphEquationEditorModel::PasteResult::NoTarget)
        model_.setMessageText(pasteTargetMessage());
    if (result == graphEquationEditorModel::PasteResult::TooTall)
        model_.setMessageText(
            tr("Cannot paste: the equation would be nested deeper than %1 levels.")
                .arg(geMaxTreeHeight));
    ensureCaretVisible();
}
