#include "app/graphInspectorPanel.h"

#include <functional>

#include "app/graphDialogs.h"
#include "ui_graphInspectorPanel.h"

#include <QAction>
#include <QDoubleValidator>

graphInspectorPanel::graphInspectorPanel(graphGLView &view, graphDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Tool),
      ui(std::make_unique<Ui::graphInspectorPanel>()),
      view(view),
      dialogs(dialogs) {
    ui->setupUi(this);
    fields = {ui->minXText,     ui->minYText, ui->maxXText, ui->maxYText,     ui->gridXSpacing,
              ui->gridYSpacing, ui->minSText, ui->maxSText, ui->minTText,     ui->maxTText,
              ui->xBox,         ui->yBox,     ui->zBox,     ui->minThetaText, ui->maxThetaText};
    for (QLineEdit *edit : fields) {
        auto *validator = new QDoubleValidator(edit);
        validator->setLocale(QLocale::c());
        edit->setValidator(validator);
    }
    setFieldValue(graphField::maxS, 20.0);
    setFieldValue(graphField::maxT, 40.0);
    setFieldValue(graphField::maxTheta, 2.0 * grPiValue);
    for (graphField f : {graphField::minX, graphField::minY, graphField::maxX, graphField::maxY})
        connectField(f, &graphGLView::updateBoundsFromBoundsText);
    for (graphField f : {graphField::gridXSpacing, graphField::gridYSpacing})
        connectField(f, &graphGLView::updateGridIntervals);
    for (graphField f : {graphField::minS, graphField::maxS, graphField::minT, graphField::maxT,
                         graphField::minTheta, graphField::maxTheta})
        connectField(f, &graphGLView::updateParametricRange);
    for (graphField f : {graphField::xBox, graphField::yBox, graphField::zBox})
        connectField(f, &graphGLView::setCenter);

    connect(ui->zoomInButton, &QPushButton::clicked, this, [this] { this->view.zoomIn(); });
    connect(ui->zoomOutButton, &QPushButton::clicked, this, [this] { this->view.zoomOut(); });
    ui->constrainProportions->setChecked(view.getConstrainProportions());
    ui->resetGraph->setChecked(view.getResetGraph());
    connect(ui->constrainProportions, &QCheckBox::toggled, this,
            [this](bool on) { this->view.setConstrainProportions(on); });
    connect(ui->resetGraph, &QCheckBox::toggled, this,
            [this](bool on) { this->view.setResetGraph(on); });
    ui->divisions3D->setCurrentText(QString::number(view.getDivisions3D()));
    connect(ui->divisions3D, &QComboBox::textActivated, this, [this] {
        this->view.setDivisions3DAction(ui->divisions3D->currentText());
        this->view.redraw();
    });
    ui->drawMode->setCurrentIndex(view.getDrawMode());
    connect(ui->drawMode, &QComboBox::activated, this,
            [this] { this->view.set3DDrawMode(ui->drawMode->currentIndex()); });
    ui->parametricPanel->setVisible(false);
    showPolarFields(false);
}

graphInspectorPanel::~graphInspectorPanel() = default;

void graphInspectorPanel::connectField(graphField which, void (graphGLView::*action)()) {
    connect(field(which), &QLineEdit::editingFinished, this,
            [this, apply = std::mem_fn(action)] { apply(view); });
}

void graphInspectorPanel::setZoomMenuItems(QAction *zoomIn, QAction *zoomOut) {
    zoomInItem = zoomIn;
    zoomOutItem = zoomOut;
}

namespace {

QString fieldText(double value) {
    return QLocale::c().toString(value, 'g', 7);
}

}  // namespace

// An untouched field answers the exact value it shows; typed text that is not a number
// answers the last value.
double graphInspectorPanel::fieldValue(graphField which) const {
    const double last = shown[static_cast<size_t>(which)];
    const QString text = field(which)->text().trimmed();
    if (text == fieldText(last)) return last;
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok ? value : last;
}

void graphInspectorPanel::setFieldValue(graphField which, double value) {
    shown[static_cast<size_t>(which)] = value;
    field(which)->setText(fieldText(value));
}

void graphInspectorPanel::setZoomInEnabled(bool enabled) {
    ui->zoomInButton->setEnabled(enabled);
    if (zoomInItem != nullptr) zoomInItem->setEnabled(enabled);
}

void graphInspectorPanel::setZoomOutEnabled(bool enabled) {
    ui->zoomOutButton->setEnabled(enabled);
    if (zoomOutItem != nullptr) zoomOutItem->setEnabled(enabled);
}

void graphInspectorPanel::showInspectorPage(bool threeD) {
    ui->pages->setCurrentWidget(threeD ? ui->inspectorView3D : ui->inspectorView2D);
    // The settings may have been changed elsewhere (preferences, menus).
    ui->drawMode->setCurrentIndex(view.getDrawMode());
    ui->divisions3D->setCurrentText(QString::number(view.getDivisions3D()));
    ui->constrainProportions->setChecked(view.getConstrainProportions());
    ui->resetGraph->setChecked(view.getResetGraph());
}

void graphInspectorPanel::showParametricPanel(bool visible) {
    ui->parametricPanel->setVisible(visible);
}

void graphInspectorPanel::showPolarFields(bool visible) {
    for (QWidget *w :
         {static_cast<QWidget *>(ui->minThetaTextLabel), static_cast<QWidget *>(ui->minThetaText),
          static_cast<QWidget *>(ui->maxThetaTextLabel), static_cast<QWidget *>(ui->maxThetaText)})
        w->setVisible(visible);
}

void graphInspectorPanel::showAlert(const graphAlertText &alert) {
    dialogs.alert(this, alert);
}
