// Feeds arbitrary clipboard contents to the equation editor's Paste: the first byte picks
// equation data (archive bytes) or plain text, the rest is the data. Paste must insert a
// node or show a message, never crash, leak or hang, and the editor must still calculate.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <cstddef>
#include <cstdint>

#include "app/graphEquationTable.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/graphEquationEditorModel.h"
#include "equationEditor/graphEquationEditorView.h"
#include "platform/archive/slCoding.h"

namespace {

struct editor {
    editor() {
        static int argc = 1;
        static char name[] = "pasteFuzzer";
        static char *argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = new QApplication(argc, argv);
        // The archive classes the window registers: equation sets and editor nodes.
        graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
        view = new graphEquationEditorView;
    }
    QApplication *app;
    graphEquationEditorView *view;
};

editor &theEditor() {
    static editor e;
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    editor &e = theEditor();
    graphEquationEditorModel &model = e.view->model();
    model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    model.selectAll();
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1,
                           static_cast<qsizetype>(size - 1));
    auto *mime = new QMimeData;
    if (data[0] & 1)
        mime->setData(QString::fromLatin1(graphEquationEditorView::pboardType), bytes);
    else
        mime->setText(QString::fromUtf8(bytes));
    QGuiApplication::clipboard()->setMimeData(mime);
    e.view->paste();
    model.calculate();
    return 0;
}
