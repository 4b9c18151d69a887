#include "app/graphPreferences.h"

#include <QLockFile>
#include <QtDebug>

#include <array>
#include <cmath>

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

// The stored file is data from outside: a value that cannot be read or lies outside what
// the preferences window accepts is replaced, with one line on standard error.
void warnSetting(const char *key, const QString &stored, const QString &used) {
    qWarning().noquote() << QStringLiteral(
                                "Plotweave: stored setting %1 = \"%2\" is not valid; "
                                "using %3")
                                .arg(QLatin1String(key), stored.left(40), used);
}

QString shown(const QVariant &value) {
    return value.canConvert<QString>() ? value.toString() : QString::fromLatin1(value.typeName());
}

// An integer between low and high; outside them the field becomes fallback, or the nearer
// bound when clamp is set.
void readInt(QSettings &settings, const char *key, int &field, int low, int high, int fallback,
             bool clamp = false) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid()) return;
    bool ok = false;
    const qlonglong read = value.toLongLong(&ok);
    if (ok && read >= low && read <= high) {
        field = static_cast<int>(read);
        return;
    }
    field = ok && clamp ? (read < low ? low : high) : fallback;
    warnSetting(key, shown(value), QString::number(field));
}

// A colour's archive is a few dozen bytes; anything longer is not one.
constexpr qsizetype maximumColorBytes = 1024;
// Constants as the preferences window keeps them: a short name and a finite value.
constexpr qsizetype maximumConstants = 1000, maximumConstantName = 64;

void readConstants(QSettings &settings, graphConstantTable &constants) {
    const QVariant values = settings.value(QStringLiteral("constantValues"));
    if (!values.isValid()) return;
    const QStringList names = settings.value(QStringLiteral("constantNames")).toStringList();
    std::vector<graphConstant> rows =
        graphConstantTable::fromStrings(names, values.toStringList().mid(0, maximumConstants + 1));
    if (static_cast<qsizetype>(rows.size()) > maximumConstants) {
        rows.resize(static_cast<size_t>(maximumConstants));
        warnSetting("constantValues",
                    QStringLiteral("more than %1 constants").arg(maximumConstants),
                    QStringLiteral("the first %1").arg(maximumConstants));
    }
    std::vector<graphConstant> kept;
    for (graphConstant &row : rows) {
        if (std::isfinite(row.constantValue()) && row.constantName().size() <= maximumConstantName)
            kept.push_back(std::move(row));
        else
            warnSetting(
                "constantValues",
                row.constantName() + QLatin1Char('=') + QString::number(row.constantValue()),
                QStringLiteral("no such constant"));
    }
    constants.setConstants(std::move(kept));
}

// A finite number between low and high, else fallback; older settings stored whole
// numbers, which read the same.
void readDouble(QSettings &settings, const char *key, double &field, double low, double high,
                double fallback) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid()) return;
    bool ok = false;
    const double read = value.toDouble(&ok);
    if (ok && std::isfinite(read) && read >= low && read <= high) {
        field = read;
        return;
    }
    field = fallback;
    warnSetting(key, shown(value), QString::number(field));
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
    graphPreferenceValues defaults = graphDefaultPreferences();
    readConstants(settings, constants);
    readInt(settings, "drawMode", values.drawMode, 0, 3, defaults.drawMode);
    readDouble(settings, "minimumK", values.minimumK, -graphMaximumKBound, graphMaximumKBound,
               defaults.minimumK);
    readDouble(settings, "maximumK", values.maximumK, -graphMaximumKBound, graphMaximumKBound,
               defaults.maximumK);
    if (values.maximumK < values.minimumK) {
        warnSetting(
            "maximumK",
            QStringLiteral("%1, below minimumK %2").arg(values.maximumK).arg(values.minimumK),
            QStringLiteral("%1 to %2").arg(defaults.minimumK).arg(defaults.maximumK));
        values.minimumK = defaults.minimumK;
        values.maximumK = defaults.maximumK;
    }
    readInt(settings, "animationSteps", values.animationSteps, 0, graphMaximumAnimationSteps,
            defaults.animationSteps, true);
    const auto fields = colorFields(values);
    const auto defaultFields = colorFields(defaults);
    for (size_t i = 0; i < fields.size(); ++i) {
        const QVariant stored = settings.value(QLatin1String(colorKeys[i]));
        if (!stored.isValid()) continue;
        const QByteArray bytes = stored.toByteArray();
        std::optional<QColor> color;
        if (bytes.size() <= maximumColorBytes) color = graphUnarchivedColor(bytes);
        *fields[i] = color ? *color : *defaultFields[i];
        if (!color)
            warnSetting(colorKeys[i], QStringLiteral("%1 bytes").arg(bytes.size()),
                        fields[i]->name());
    }
    int sounds = values.playSounds ? 1 : 0;
    readInt(settings, "playSounds", sounds, 0, 1, defaults.playSounds ? 1 : 0);
    values.playSounds = sounds != 0;
    int byHeight = values.colorByHeight ? 1 : 0;
    readInt(settings, "colorByHeight", byHeight, 0, 1, defaults.colorByHeight ? 1 : 0);
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
    // QSettings waits for its lock file without a limit when writing; a lock left by a live
    // process (a hung instance, a reused process id) would hold the program up for half a
    // minute at each save, start-up included. Such a save is skipped instead.
    QLockFile lock(settings.fileName() + QStringLiteral(".lock"));
    // A lock that cannot even be made (a folder not there yet on a first run) is left to
    // QSettings, which makes the folder.
    if (!lock.tryLock(graphSettingsLockWait) && lock.error() == QLockFile::LockFailedError) {
        qWarning().noquote() << QStringLiteral(
                                    "Plotweave: %1 is locked by another process; "
                                    "the settings were not saved")
                                    .arg(settings.fileName());
        return;
    }
    lock.unlock();
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
        values.minimumK = graphDefaults::minimumK;
        values.maximumK = graphDefaults::maximumK;
    }
    minK_ = values.minimumK;
    maxK_ = values.maximumK;
    animationStepSize_ = (maxK_ - minK_) / values.animationSteps;
    // Saved after the mends, so what is stored is what now applies.
    savePreferences();
}
