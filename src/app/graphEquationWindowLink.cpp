// Where the controller gets its equation window from: one window for the whole run, which
// shows whichever list is current, and the target of the Edit menu.
#include "app/graphController.h"
#include "app/graphEquationWindow.h"
#include "equationEditor/graphEquationEditorView.h"

#include <QCloseEvent>
#include <QPointer>
#include <QUndoStack>

namespace {

// Closing the equation window with unsaved changes asks first; Cancel keeps it open.
class unsavedCloseFilter : public QObject {
public:
    unsavedCloseFilter(graphController &controller, QObject *parent)
        : QObject(parent), controller(controller) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close && !controller.maybeSave()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    graphController &controller;
};

}  // namespace

void installEquationWindow(graphController &controller) {
    auto shown = std::make_shared<QPointer<graphEquationWindow>>();
    controller.setEquationWindowFactory(
        [shown](graphEquationDocument &document, graphController &owner) -> QWidget * {
            if (*shown) {
                (*shown)->setDocument(&document);
                return *shown;
            }
            auto *made = new graphEquationWindow(&document);
            // The calculator line reads user constants as the graph does.
            made->editor()->model().setConstantLookup(
                [&owner](const QString &name) { return owner.constantForString(name); });
            made->installEventFilter(new unsavedCloseFilter(owner, made));
            *shown = made;
            return made;
        });
    controller.setEditCommand([shown](const QString &command) {
        graphEquationWindow *window = *shown;
        if (window == nullptr) return;
        QUndoStack *stack = window->undoStack();
        if (command == QLatin1String("undo")) {
            if (stack) stack->undo();
        } else if (command == QLatin1String("redo")) {
            if (stack) stack->redo();
        } else {
            QMetaObject::invokeMethod(window->editor(), command.toLatin1().constData());
        }
    });
}
