// Where the controller gets its equation windows from.
#include "app/graphController.h"

void installEquationWindow(graphController &controller)
{
    controller.setEquationWindowFactory(nullptr);
}
