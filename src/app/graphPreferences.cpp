#include "app/graphPreferences.h"

#include <array>

#include "app/graphEquationTable.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"
#include "view/graphDefaults.h"
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

}  // namespace

graphPreferenceValues graphDefaultPreferences() {
    graphPreferenceValues v;
    v.backgroundColor = graphDefaults::backgroundColor;
    v.backgroundColor3D = graphDefaults::backgroundColor3D;
    v.gridColor = graphDefaults::gridColor;
    v.graphColor = graphDefaults::graphColor;
    v.axisColor = graphDefaults::axisColor;
    v.selectionColor = graphDefaults::selectionColor;
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
    readInt(settings, "minimumK", values.minimumK);
    readInt(settings, "maximumK", values.maximumK);
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
        view->set3DDrawMode(values.drawMode);
        view->redraw();
    }
    if (table) table->setDefaultColor(values.graphColor);
    playSounds_ = values.playSounds;
    if (values.animationSteps <= 2) values.animationSteps = 3;
    if (values.maximumK < values.minimumK) {
        if (beep_) beep_();
        values.minimumK = graphDefaults::minimumK;
        values.maximumK = graphDefaults::maximumK;
    }
    minK_ = values.minimumK;
    maxK_ = values.maximumK;
    animationStepSize_ = (maxK_ - minK_) / values.animationSteps;
    // Saved after the mends, so what is stored is what now applies.
    savePreferences();
}
