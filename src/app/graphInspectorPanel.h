// The graph inspector, a tool window: the 2D page (bounds, grid spacings, zoom buttons),
// the 3D page (focus point, subdivisions, draw mode) and the parameter ranges shown while
// a parametric equation is graphed. It is the view core's graphInspector: the core reads
// and writes the fields through it, and the controls' edits call the core's actions.
#pragma once

#include "view/graphGLView.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class graphDialogs;
namespace Ui {
class graphInspectorPanel;
}

class graphInspectorPanel : public QWidget, public graphInspector {
    Q_OBJECT
public:
    graphInspectorPanel(graphGLView &view, graphDialogs &dialogs, QWidget *parent = nullptr);
    ~graphInspectorPanel() override;

    // The zoom menu items follow the buttons' state.
    void setZoomMenuItems(QAction *zoomIn, QAction *zoomOut);

    QLineEdit *field(graphField which) const { return fields[static_cast<size_t>(which)]; }

    // graphInspector
    double fieldValue(graphField field) const override;
    void setFieldValue(graphField field, double value) override;
    void setZoomInEnabled(bool enabled) override;
    void setZoomOutEnabled(bool enabled) override;
    void showInspectorPage(bool threeD) override;
    void showParametricPanel(bool visible) override;
    void showPolarFields(bool visible) override;
    void showAlert(const graphAlertText &alert) override;

private:
    void connectField(graphField which, void (graphGLView::*action)());

    std::unique_ptr<Ui::graphInspectorPanel> ui;
    graphGLView &view;
    graphDialogs &dialogs;
    std::array<QLineEdit *, graphFieldCount> fields{};
    // The last value of each field, answered while the typed text is not a number.
    std::array<double, graphFieldCount> shown{};
    QAction *zoomInItem = nullptr, *zoomOutItem = nullptr;
};
