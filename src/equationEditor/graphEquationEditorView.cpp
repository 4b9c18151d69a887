#include "equationEditor/graphEquationEditorView.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <limits>

#include "equationEditor/geBezierPath.h"
#include "equationEditor/geEditArchive.h"
#include "equationEditor/geEditLatex.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEquationPicture.h"
#include "equationEditor/geFont.h"
#include "equationEditor/graphEquationEditorAccessible.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

const char *const graphEquationEditorView::pboardType = "GREquationPboardType";

QString graphEquationEditorView::pasteTargetMessage() {
    return tr("Can only paste into selections or \"?\" expressions.");
}

namespace {

constexpr double zoomSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0};
// Pixels between the scroll area's left edge and the equation, so glyphs do not touch it.
constexpr double leftMargin = 6;

}  // namespace

// One change of a tree: the state before and after it. The first redo is the edit itself,
// already made when the command is pushed.
class geTreeEditCommand : public QUndoCommand {
public:
    geTreeEditCommand(const QString &label, graphEquationEditorView *view, geEditorSnapshot before,
                      geEditorSnapshot after)
        : QUndoCommand(label), view_(view), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { view_->restore(before_); }
    void redo() override {
        if (first_)
            first_ = false;
        else
            view_->restore(after_);
    }

private:
    graphEquationEditorView *view_;
    geEditorSnapshot before_;
    geEditorSnapshot after_;
    bool first_ = true;
};

graphEquationEditorView::graphEquationEditorView(QWidget *parent)
    : QWidget(parent),
      font_(QString::fromLatin1(geDefaultFontFamily), int(geDefaultFontSize)),
      rawFont_(geRawFont::defaultFont()) {
    geEditRegisterArchiveClasses(slArchiveRegistry::shared());
    graphEquationEditorAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Equation editor"));
    model_.setGraphAction([this] { pressGraphButton(); });
    model_.setBeepAction([] { QApplication::beep(); });
    model_.setStatusChanged([this](const QString &text) {
        emit statusTextChanged(text);
        if (QAccessible::isActive()) {
            QAccessibleEvent event(this, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
    });
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("caretBlink"));
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &graphEquationEditorView::updateView);
    createActions();
    setMinimumSize(1, 1);
}

graphEquationEditorView::~graphEquationEditorView() = default;

void graphEquationEditorView::createActions() {
    struct ActionRow {
        const char *name;
        QString text;
        QKeySequence keys;
        void (graphEquationEditorView::*slot)();
    };
    const ActionRow rows[] = {
        {"cut", tr("Cu&t"), QKeySequence::Cut, &graphEquationEditorView::cut},
        {"copy", tr("&Copy"), QKeySequence::Copy, &graphEquationEditorView::copy},
        {"copyText", tr("Copy &Text"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
         &graphEquationEditorView::copyText},
        {"copyLatex", tr("Copy as &LaTeX"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C),
         &graphEquationEditorView::copyLatex},
        {"paste", tr("&Paste"), QKeySequence::Paste, &graphEquationEditorView::paste},
        {"selectAll", tr("Select &All"), QKeySequence::SelectAll,
         &graphEquationEditorView::selectAll},
        {"zoomIn", tr("Zoom &In"), QKeySequence::ZoomIn, &graphEquationEditorView::zoomIn},
        {"zoomOut", tr("Zoom &Out"), QKeySequence::ZoomOut, &graphEquationEditorView::zoomOut},
        {"actualSize", tr("Actual &Size"), QKeySequence(Qt::CTRL | Qt::Key_0),
         &graphEquationEditorView::resetZoom},
        {"font", tr("&Font..."), QKeySequence(), &graphEquationEditorView::chooseFont},
    };
    for (const ActionRow &row : rows) {
        auto *a = new QAction(row.text, this);
        a->setObjectName(QString::fromLatin1(row.name));
        a->setShortcut(row.keys);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, row.slot);
        addAction(a);
    }
}

QAction *graphEquationEditorView::action(const char *name) const {
    return findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void graphEquationEditorView::setEquation(geEditPtr root) {
    model_.setEquation(std::move(root));
    current_.reset();
    if (QScrollArea *area = scrollArea()) area->ensureVisible(0, 0, 0, 0);
    refresh();
}

// --- layout and drawing ---

QScrollArea *graphEquationEditorView::scrollArea() const {
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(w)) return area;
    }
    return nullptr;
}

QSize graphEquationEditorView::visibleSize() const {
    if (QScrollArea *area = scrollArea()) return area->viewport()->size();
    return size();
}

std::unique_ptr<geBezierPath> graphEquationEditorView::renderWithSelection(bool flag) {
    // 1-3. The equation's path after a move to the origin, so the box holds the origin.
    auto q = geBezierPath::bezierPath();
    q->moveToPoint({0, 0});
    if (model_.equation())
        q->appendBezierPath(model_.equation()->renderWithFont(*rawFont_, drawCursor_, flag));
    q->computeBounds();
    // 4. Zoom.
    q->transformUsingAffineTransform(QTransform::fromScale(scale_, scale_));
    // 5. An equation lower than the visible area stands at its top.
    const QRectF b = q->bounds();
    if (QScrollArea *area = scrollArea(); area && !watchingViewport_) {
        area->viewport()->installEventFilter(this);
        watchingViewport_ = true;
    }
    const double visibleHeight = visibleSize().height();
    if (visibleHeight > b.height())
        q->transformUsingAffineTransform(QTransform::fromTranslate(0, visibleHeight - b.height()));
    // 6. The frame reaches down to the origin and is at least as high as the visible area.
    QRectF f = q->bounds();
    if (f.y() >= 0) f = QRectF(f.x(), 0, f.width(), f.height() + f.y());
    frame_ = f;
    const QSize wanted(std::max(int(std::ceil(f.width() + 2 * leftMargin)), visibleSize().width()),
                       int(std::ceil(f.height())));
    if (size() != wanted) setFixedSize(wanted);
    return q;
}

QPointF graphEquationEditorView::toPlane(QPointF p) const {
    return {p.x() + frame_.x() - leftMargin, frame_.y() + frame_.height() - p.y()};
}

QRectF graphEquationEditorView::toWidget(const QRectF &r) const {
    const double top = frame_.y() + frame_.height();
    return {r.x() - frame_.x() + leftMargin, top - (r.y() + r.height()), r.width(), r.height()};
}

QRectF graphEquationEditorView::widgetRectOf(const geEdit *node) {
    painted_ = renderWithSelection(true);
    const geBezierPath *path = node ? painted_->pathForData(node) : nullptr;
    return path ? toWidget(path->bounds()) : QRectF();
}

void graphEquationEditorView::refresh() {
    painted_ = renderWithSelection(true);
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent value(
            this, model_.equation() ? model_.equation()->string() : QString());
        QAccessible::updateAccessibility(&value);
        if (QAccessibleInterface *face = QAccessible::queryAccessibleInterface(this);
            face && face->textInterface()) {
            QAccessibleTextCursorEvent caret(this, face->textInterface()->cursorPosition());
            QAccessible::updateAccessibility(&caret);
        }
    }
}

void graphEquationEditorView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!painted_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const double top = frame_.y() + frame_.height();
    painter.setWorldTransform(QTransform(1, 0, 0, -1, leftMargin - frame_.x(), top));
    painted_->fill(painter);
}

bool graphEquationEditorView::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Resize) refresh();
    return QWidget::eventFilter(watched, event);
}

void graphEquationEditorView::ensureCaretVisible() {
    QScrollArea *area = scrollArea();
    if (!area || !painted_) return;
    const geEdit *target =
        model_.keyResponder() ? model_.keyResponder().get() : model_.selection().get();
    const geBezierPath *path = target ? painted_->pathForData(target) : nullptr;
    if (!path) return;
    const QRectF r = toWidget(path->bounds());
    area->ensureVisible(int(r.center().x()), int(r.center().y()), int(r.width() / 2) + 4,
                        int(r.height() / 2) + 4);
}

// --- keyboard ---

void graphEquationEditorView::keyPressEvent(QKeyEvent *event) {
    // Shortcuts (and keys with Control) are not text.
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: pressGraphButton(); return;
        case Qt::Key_Left: handleArrow(geKeyLeftArrow); return;
        case Qt::Key_Right: handleArrow(geKeyRightArrow); return;
        case Qt::Key_Backspace: deleteBackward(); return;
        default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        insertText(text);
        return;
    }
    QWidget::keyPressEvent(event);
}

void graphEquationEditorView::inputMethodEvent(QInputMethodEvent *event) {
    // Composed input arrives as committed text; each of its characters is typed.
    for (QChar c : event->commitString()) {
        if (c.isPrint()) insertText(QString(c));
    }
    event->accept();
}

QVariant graphEquationEditorView::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled: return true;
        case Qt::ImHints: return int(Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
        default: return QWidget::inputMethodQuery(query);
    }
}

void graphEquationEditorView::insertText(const QString &text) {
    if (text.isEmpty()) return;
    const QChar k = text.at(0);
    if (k == u'\r' || k == u'\n') {
        pressGraphButton();
        return;
    }
    edit(tr("Typing"), [&] { model_.insertText(text); });
    ensureCaretVisible();
}

void graphEquationEditorView::deleteBackward() {
    edit(tr("Delete"), [&] { model_.deleteBackward(); });
    ensureCaretVisible();
}

void graphEquationEditorView::handleArrow(char16_t key) {
    edit(tr("Typing"), [&] { model_.handleKey(key); });
    ensureCaretVisible();
}

void graphEquationEditorView::pressGraphButton() {
    if (graphButton_ && graphButton_->isEnabled()) graphButton_->click();
}

// --- undo ---

geEditorSnapshot graphEquationEditorView::snapshotBefore() {
    // The tree has not changed since the last edit's snapshot: only the marks may have.
    if (current_ && current_->root() == model_.equation()) return current_->withMarksOf(model_);
    return geEditorSnapshot::capture(model_);
}

void graphEquationEditorView::edit(const QString &label, const std::function<void()> &change) {
    if (!undoStack_) {
        change();
        refresh();
        emit equationEdited();
        return;
    }
    geEditorSnapshot before = snapshotBefore();
    change();
    geEditorSnapshot after = geEditorSnapshot::capture(model_);
    const bool changed = !before.sameTreeAs(after);
    current_ = after;
    if (changed)
        undoStack_->push(new geTreeEditCommand(label, this, std::move(before), std::move(after)));
    refresh();
    if (changed) emit equationEdited();
}

void graphEquationEditorView::restore(const geEditorSnapshot &snapshot) {
    if (model_.equation() != snapshot.root() && showRoot_) showRoot_(snapshot.root());
    if (model_.equation() != snapshot.root()) model_.setEquation(snapshot.root());
    snapshot.restore(model_);
    current_ = snapshot;
    model_.calculate();
    refresh();
    ensureCaretVisible();
    emit equationEdited();
}

// --- mouse ---

namespace {

// The path of a node nearest p (distance to its box), the innermost of equally near ones.
geBezierPath *nearestPathBelow(geBezierPath &path, QPointF p, double &best) {
    geBezierPath *found = nullptr;
    for (const auto &child : path.pathlist()) {
        if (geBezierPath *inner = nearestPathBelow(*child, p, best)) found = inner;
    }
    if (found || !path.data() || path.isEmpty()) return found;
    const QRectF b = path.bounds();
    const double dx = std::max({b.left() - p.x(), 0.0, p.x() - b.right()});
    const double dy = std::max({b.top() - p.y(), 0.0, p.y() - b.bottom()});
    const double distance = std::hypot(dx, dy);
    if (distance >= best) return nullptr;
    best = distance;
    return &path;
}

}  // namespace

geBezierPath *graphEquationEditorView::nearestPath(geBezierPath &tree, QPointF p) {
    double best = std::numeric_limits<double>::infinity();
    return nearestPathBelow(tree, p, best);
}

void graphEquationEditorView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    // 1. Leave the caret and the selection.
    model_.clearMarks();
    model_.restoreState(nullptr, nullptr);
    // 2-4. The node under the pointer in a fresh layout takes the cursor.
    QPointF p = toPlane(event->position());
    std::unique_ptr<geBezierPath> q = renderWithSelection(false);
    geBezierPath *h = q->pathAtPoint(p);
    if (!h || !h->data()) {
        // Empty space: right of the equation the caret goes to its end, elsewhere into
        // the nearest node, as though the click had landed on its edge.
        const QRectF whole = q->bounds();
        h = p.x() < whole.right() ? nearestPath(*q, p) : nullptr;
        if (h) {
            const QRectF b = h->bounds();
            p = {std::clamp(p.x(), b.left(), b.right()), std::clamp(p.y(), b.top(), b.bottom())};
        }
    }
    geEdit *node = h ? h->data() : nullptr;
    if (node)
        model_.setKeyResponder(node->expForClick());
    else if (model_.equation())
        model_.setKeyResponder(model_.equation()->cursorEnterFromRight());
    // 5. In a number, the character position under the pointer.
    if (auto *number = dynamic_cast<geEditNum *>(model_.keyResponder().get());
        number && h && h->data() == number) {
        const QRectF b = h->bounds();
        number->clickOnPoint({(p.x() - b.x()) / b.width(), (p.y() - b.y()) / b.height()},
                             *rawFont_);
        number->setHasCursor(true);
    }
    refresh();
}

void graphEquationEditorView::mouseMoveEvent(QMouseEvent *event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    // 1. The anchor keeps its place but loses its caret while the drag selects.
    model_.clearMarks();
    // 2. The node under the pointer.
    const QPointF p = toPlane(event->position());
    std::unique_ptr<geBezierPath> q = renderWithSelection(false);
    geBezierPath *h = q->pathAtPoint(p);
    geEdit *node = h ? h->data() : nullptr;
    // 3. With an anchor, the smallest subtree holding both; without, the whole equation.
    geEditPtr selection;
    if (const geEditPtr &anchor = model_.keyResponder()) {
        selection = node ? anchor->commonAncestorOf(node) : nullptr;
        h = selection ? q->pathForData(selection.get()) : nullptr;
    } else if (model_.equation()) {
        selection = model_.equation()->top();
        h = selection ? q->pathForData(selection.get()) : nullptr;
    }
    if (!selection || (selection->isRoot() && !selection->top())) {
        // Off every node: the caret shows at the anchor again.
        model_.setDragSelection(nullptr);
        if (model_.keyResponder()) model_.keyResponder()->setHasCursor(true);
        refresh();
        return;
    }
    if (selection->isRoot()) selection = selection->top();
    // 4. Inside one number a character range; otherwise the whole subtree.
    auto *number = dynamic_cast<geEditNum *>(selection.get());
    if (number && h) {
        const QRectF b = h->bounds();
        number->dragToPoint({(p.x() - b.x()) / b.width(), (p.y() - b.y()) / b.height()}, *rawFont_);
        if (number->hasCursor()) {
            model_.setDragSelection(selection);
            model_.endDragAtAnchor();
        } else {
            model_.setDragSelection(selection);
        }
    } else {
        selection->setIsSelected(true);
        model_.setDragSelection(selection);
    }
    refresh();
}

void graphEquationEditorView::selectAll() {
    model_.selectAll();
    refresh();
}

// --- caret ---

void graphEquationEditorView::startCursor() {
    timer_->start();
    update();
}

void graphEquationEditorView::stopCursor() {
    if (!timer_->isActive()) return;
    timer_->stop();
    update();
}

bool graphEquationEditorView::isBlinking() const {
    return timer_->isActive();
}

void graphEquationEditorView::updateView() {
    drawCursor_ = !drawCursor_;
    refresh();
}

void graphEquationEditorView::focusInEvent(QFocusEvent *event) {
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) startCursor();
    QWidget::focusInEvent(event);
}

void graphEquationEditorView::focusOutEvent(QFocusEvent *event) {
    stopCursor();
    QWidget::focusOutEvent(event);
}

// --- zoom and font ---

void graphEquationEditorView::setScale(double scale) {
    if (!(scale > 0)) return;
    scale_ = std::clamp(scale, zoomSteps[0], std::end(zoomSteps)[-1]);
    refresh();
    if (QScrollArea *area = scrollArea()) area->ensureVisible(0, 0, 0, 0);
    emit scaleChanged(scale_);
}

void graphEquationEditorView::zoomIn() {
    for (double s : zoomSteps) {
        if (s > scale_ + 1e-9) return setScale(s);
    }
}

void graphEquationEditorView::zoomOut() {
    for (auto it = std::rbegin(zoomSteps); it != std::rend(zoomSteps); ++it) {
        if (*it < scale_ - 1e-9) return setScale(*it);
    }
}

void graphEquationEditorView::resetZoom() {
    setScale(1.0);
}

void graphEquationEditorView::changeFont(const QFont &font) {
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : geDefaultFontSize;
    std::unique_ptr<geRawFont> raw = geRawFont::fromFamily(font.family(), size);
    if (!raw || !raw->isValid()) return;  // keep the font that draws
    rawFont_ = std::move(raw);
    font_ = font;
    refresh();
}

void graphEquationEditorView::chooseFont() {
    std::optional<QFont> chosen;
    if (fontChooser_) {
        chosen = fontChooser_(font_);
    } else {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, font_, this, tr("Equation Font"));
        if (ok) chosen = f;
    }
    if (chosen) changeFont(*chosen);
}

// --- context menu ---

QMenu *graphEquationEditorView::createContextMenu() {
    auto *menu = new QMenu(this);
    for (const char *name : {"cut", "copy", "copyText", "copyLatex", "paste", "", "selectAll", "",
                             "zoomIn", "zoomOut", "actualSize", "font"}) {
        if (!*name)
            menu->addSeparator();
        else
            menu->addAction(action(name));
    }
    return menu;
}

void graphEquationEditorView::contextMenuEvent(QContextMenuEvent *event) {
    std::unique_ptr<QMenu> menu(createContextMenu());
    menu->exec(event->globalPos());
}
