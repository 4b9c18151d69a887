// Where the controller gets its equation window from: one panel for the whole run, in the
// main window's equation dock, which shows whichever list is current, and the target of
// the Edit menu.
#include "app/graphController.h"
#include "app/graphEquationWindow.h"
#include "equationEditor/graphEquationEditorView.h"

#include <QPointer>
#include <QUndoStack>

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
            made->leaveShortcutsToMenus();
            *shown = made;
            return made;
        });
    controller.setEditCommand([shown](const QString &command) {
        graphEquationWindow *window = *shown;
        if (window == nullptr) return;
        QUndoStack *stack = window->undoStack();
        if (command == QLatin1String("addEquation")) {
            window->addEquation();
        } else if (command == QLatin1String("undo")) {
            if (stack) stack->undo();
        } else if (command == QLatin1String("redo")) {
            if (stack) stack->redo();
        } else {
            QMetaObject::invokeMethod(window->editor(), command.toLatin1().constData());
        }
    });
}
