#include "app/graphPreferences.h"

#include <array>
#include <cmath>

#include "app/graphEquationTable.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"
#include "view/graphGLView.h"

namespace {

// The stored keys, in the order of the colour fields.
const char *const colorKeys[] = {"backgroundColor", "backgroundColor3D", "gridColor",
                                 "graphColor",      "axisColor",         "selectionColor"};

std::array<QColor *, 6> colorFields(graphPreferenceValues &v) {
    return {&v.backgroundColor, &v.backgroundColor3D, &v.gridColor,
            &v.graphColor,      &v.axisColor,         &v.selectionColor};
}

void readInt(QSettings &settings, const char *key, int &field) {
    const QVariant value = settings.value(QLatin1String(key));
    bool ok = false;
    const int read = value.toInt(&ok);
    if (value.isValid() && ok) field = read;
}

// A finite number; older settings stored whole numbers, which read the same.
void readDouble(QSettings &settings, const char *key, double &field) {
    const QVariant value = settings.value(QLatin1String(key));
    bool ok = false;
    const double read = value.toDouble(&ok);
    if (value.isValid() && ok && std::isfinite(read)) field = read;
}

}  // namespace

graphPreferenceValues graphDefaultPreferences() {
    graphPreferenceValues v;
    v.backgroundColor = QColor(255, 255, 255);
    v.backgroundColor3D = QColor(112, 122, 140);
    v.gridColor = QColor(205, 205, 205);
    v.graphColor = QColor(0, 0, 255);
    v.axisColor = QColor(0, 0, 0);
    v.selectionColor = QColor(230, 20, 20);
    return v;
}

QByteArray graphArchivedColor(const QColor &color) {
    slArchiver coder;
    coder.encodeColor(color);
    return coder.archiverData();
}

std::optional<QColor> graphUnarchivedColor(const QByteArray &data) {
    try {
        slUnarchiver coder(data);
        QColor color = coder.decodeColor();
        if (!coder.isAtEnd()) return std::nullopt;
        return color;
    } catch (const slTypedStream::slArchiveError &) {
        return std::nullopt;
    }
}

graphPreferences::graphPreferences() : values(graphDefaultPreferences()) {}

void graphPreferences::loadPreferences(QSettings &settings) {
    const QVariant values_ = settings.value(QStringLiteral("constantValues"));
    if (values_.isValid())
        constants.setConstants(graphConstantTable::fromStrings(
            settings.value(QStringLiteral("constantNames")).toStringList(),
            values_.toStringList()));
    readInt(settings, "drawMode", values.drawMode);
    if (values.drawMode < 0 || values.drawMode > 3)
        values.drawMode = graphDefaultPreferences().drawMode;
    readDouble(settings, "minimumK", values.minimumK);
    readDouble(settings, "maximumK", values.maximumK);
    readInt(settings, "animationSteps", values.animationSteps);
    const auto fields = colorFields(values);
    for (size_t i = 0; i < fields.size(); ++i) {
        const QVariant stored = settings.value(QLatin1String(colorKeys[i]));
        if (!stored.isValid()) continue;
        if (std::optional<QColor> color = graphUnarchivedColor(stored.toByteArray()))
            *fields[i] = *color;
    }
    int sounds = values.playSounds ? 1 : 0;
    readInt(settings, "playSounds", sounds);
    values.playSounds = sounds != 0;
    int byHeight = values.colorByHeight ? 1 : 0;
    readInt(settings, "colorByHeight", byHeight);
    values.colorByHeight = byHeight != 0;
}

void graphPreferences::loadPreferences() {
    QSettings settings;
    loadPreferences(settings);
}

void graphPreferences::savePreferences(QSettings &settings) const {
    graphPreferenceValues copy = values;
    const auto fields = colorFields(copy);
    for (size_t i = 0; i < fields.size(); ++i)
        settings.setValue(QLatin1String(colorKeys[i]), graphArchivedColor(*fields[i]));
    settings.setValue(QStringLiteral("drawMode"), values.drawMode);
    settings.setValue(QStringLiteral("minimumK"), values.minimumK);
    settings.setValue(QStringLiteral("maximumK"), values.maximumK);
    settings.setValue(QStringLiteral("animationSteps"), values.animationSteps);
    settings.setValue(QStringLiteral("playSounds"), values.playSounds ? 1 : 0);
    settings.setValue(QStringLiteral("colorByHeight"), values.colorByHeight ? 1 : 0);
    settings.setValue(QStringLiteral("constantNames"), constants.constantNames());
    settings.setValue(QStringLiteral("constantValues"), constants.constantValues());
}

void graphPreferences::savePreferences() const {
    QSettings settings;
    savePreferences(settings);
}

void graphPreferences::activatePreferences(graphGLView *view, graphEquationTable *table) {
    if (view) {
        view->setBackgroundColor(values.backgroundColor);
        view->setBackgroundColor3D(values.backgroundColor3D);
        view->setAxisColor(values.axisColor);
        view->setGridColor(values.gridColor);
        view->setSelectionColor(values.selectionColor);
        view->setColorByHeight(values.colorByHeight);
        view->set3DDrawMode(values.drawMode);
        view->redraw();
    }
    if (table) table->setDefaultColor(values.graphColor);
    playSounds_ = values.playSounds;
    if (values.animationSteps <= 2) values.animationSteps = 3;
    if (values.maximumK < values.minimumK) {
        if (beep_) beep_();
        values.minimumK = -10;
        values.maximumK = 10;
    }
    minK_ = values.minimumK;
    maxK_ = values.maximumK;
    animationStepSize_ = (maxK_ - minK_) / values.animationSteps;
    // Saved after the mends, so what is stored is what now applies.
    savePreferences();
}
