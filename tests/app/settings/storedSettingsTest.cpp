// The settings file is data from outside: values another program or an older version
// wrote, out of range or of the wrong type, start the program with their defaults (the
// step count clamped) and one warning each; a lock left on the file does not hold a save.
#include <gtest/gtest.h>

#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

#include "app/graphPreferences.h"

namespace {

QStringList warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (type == QtWarningMsg) warnings << text;
}

class StoredSettings : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        warnings.clear();
        previous = qInstallMessageHandler(keepWarnings);
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        QSettings().clear();
    }
    QtMessageHandler previous = nullptr;
};

struct hostileCase {
    const char *name;
    std::vector<std::pair<const char *, QVariant>> stored;
    std::function<void(graphPreferenceValues &)> expect;  // the defaults, changed as read
    int warnings;
};

const QByteArray hugeBytes(1 << 20, 'x');

const hostileCase hostileCases[] = {
    {"a billion animation steps",
     {{"animationSteps", 1000000000}},
     [](graphPreferenceValues &v) { v.animationSteps = graphMaximumAnimationSteps; },
     1},
    {"negative steps",
     {{"animationSteps", -5}},
     [](graphPreferenceValues &v) { v.animationSteps = 0; },
     1},
    {"steps beyond an int", {{"animationSteps", "99999999999999999999"}}, {}, 1},
    {"k bounds beyond the window's", {{"minimumK", -2000000000}, {"maximumK", 2000000000}}, {}, 2},
    {"k bounds reversed", {{"minimumK", 5}, {"maximumK", -5}}, {}, 1},
    {"k as text", {{"minimumK", "inf"}, {"maximumK", "nan"}}, {}, 2},
    {"draw mode out of range", {{"drawMode", 9}}, {}, 1},
    {"sounds neither on nor off", {{"playSounds", 7}}, {}, 1},
    {"a colour of a megabyte", {{"gridColor", hugeBytes}}, {}, 1},
    {"a colour that is not an archive", {{"axisColor", QByteArray("\x04\x0bstreamtyped")}}, {}, 1},
    {"a colour cut short", {{"gridColor", graphArchivedColor(Qt::red).left(12)}}, {}, 1},
    {"good values beside bad",
     {{"animationSteps", 50}, {"drawMode", -1}, {"minimumK", -3}},
     [](graphPreferenceValues &v) { v.animationSteps = 50, v.minimumK = -3; },
     1},
};

TEST_F(StoredSettings, BadValuesStartWithTheirDefaultsAndOneWarningEach) {
    for (const hostileCase &c : hostileCases) {
        SCOPED_TRACE(c.name);
        QSettings settings;
        settings.clear();
        for (const auto &[key, value] : c.stored) settings.setValue(QLatin1String(key), value);
        warnings.clear();
        graphPreferences loaded;
        loaded.loadPreferences(settings);
        graphPreferenceValues expected = graphDefaultPreferences();
        if (c.expect) c.expect(expected);
        EXPECT_EQ(loaded.values, expected);
        EXPECT_EQ(warnings.size(), c.warnings) << warnings.join(QLatin1Char('\n')).toStdString();
        for (const QString &line : warnings) EXPECT_FALSE(line.contains(QLatin1Char('\n')));
        // What is applied is what a movie or an animation can use.
        loaded.activatePreferences(nullptr, nullptr);
        EXPECT_TRUE(std::isfinite(loaded.animationStepSize()));
        EXPECT_LE(loaded.minK(), loaded.maxK());
    }
}

TEST_F(StoredSettings, ConstantsAreBoundedInNumberAndFinite) {
    QStringList names, values;
    for (int i = 0; i < 5000; i++)
        names << QStringLiteral("c%1").arg(i), values << QStringLiteral("%1").arg(i);
    values[1] = QStringLiteral("inf");
    values[2] = QStringLiteral("nan");
    names[3] = QString(100000, QLatin1Char('a'));
    QSettings settings;
    settings.setValue("constantNames", names);
    settings.setValue("constantValues", values);
    graphPreferences loaded;
    loaded.loadPreferences(settings);
    const std::vector<graphConstant> &kept = loaded.constants.constants();
    ASSERT_EQ(kept.size(), 997u);  // the first thousand, less three
    EXPECT_EQ(kept.front().constantName(), "c0");
    EXPECT_EQ(kept[1].constantName(), "c4");
    EXPECT_EQ(kept.back().constantName(), "c999");
    for (const graphConstant &c : kept) EXPECT_TRUE(std::isfinite(c.constantValue()));
    EXPECT_EQ(warnings.size(), 4);
}

// The lock is held by this very process, as a live process that never lets go.
TEST_F(StoredSettings, ALockHeldByAnotherWriterSkipsTheSaveInsteadOfWaiting) {
    graphPreferences first;
    first.values.animationSteps = 40;
    first.savePreferences();
    ASSERT_TRUE(warnings.isEmpty());
    {
        QLockFile held(QSettings().fileName() + QStringLiteral(".lock"));
        held.setStaleLockTime(0);
        ASSERT_TRUE(held.lock());
        graphPreferences second;
        second.values.animationSteps = 60;
        second.savePreferences();
        EXPECT_EQ(warnings.size(), 1);
    }
    EXPECT_EQ(QSettings().value("animationSteps").toInt(), 40);
    graphPreferences third;
    third.values.animationSteps = 70;
    third.savePreferences();
    EXPECT_EQ(QSettings().value("animationSteps").toInt(), 70);
}

// On a first run the settings folder does not exist yet, so neither can its lock file.
TEST_F(StoredSettings, AFirstRunWithoutASettingsFolderSaves) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       dir.filePath(QStringLiteral("not/yet")));
    graphPreferences first;
    first.values.animationSteps = 40;
    first.savePreferences();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(QSettings().value("animationSteps").toInt(), 40);
    EXPECT_TRUE(QSettings().fileName().startsWith(dir.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace
