#include "windowTestSupport.h"
#include <QScrollBar>
#include "equationEditor/geBezierPath.h"
using namespace windowTest;
namespace {
class Shot : public WindowTest {};
TEST_F(Shot, Take) {
    // x = (-b + sqrt(b^2-4ac))/(2a)
    type("x=(-b+sqrtb^2\u2192-4ac\u2192)/2a");
    window.grab().save("/tmp/x/shot0.png");
    window.grab().save("/tmp/x/shot1.png");
    auto *eq = static_cast<geEditBinaryOp *>(model().equation()->top().get());
    auto *div = static_cast<geEditBinaryOp *>(eq->rightExp().get());
    drag(pointIn(div->leftExp().get(), 0.3, 0.5), pointIn(div->leftExp().get(), 0.9, 0.5));
    window.grab().save("/tmp/x/shot2.png");
    editor()->setScale(2.0);
    window.grab().save("/tmp/x/shot3.png");
    auto *area = child<QScrollArea>("editorScroll");
    { auto q = editor()->renderWithSelection(true); auto b = q->bounds(); printf("q %g %g %g %g\n", b.x(), b.y(), b.width(), b.height()); auto r = editor()->widgetRectOf(model().equation()->top().get()); printf("top %g %g %g %g\n", r.x(), r.y(), r.width(), r.height()); }
    printf("editor %d x %d viewport %d x %d hbar %d max %d\n", editor()->width(), editor()->height(), area->viewport()->width(), area->viewport()->height(), area->horizontalScrollBar()->isVisible(), area->horizontalScrollBar()->maximum());
    printf("%s\n", text().c_str());
}
}
