#include "app/graphTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Installed beside the program under ../share, else where the build wrote them.
QString translationFolder() {
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/plotweave/translations");
    if (QDir(installed).exists()) return QDir::cleanPath(installed);
    return QStringLiteral(PLOTWEAVE_BUILD_TRANSLATIONS);
}

QStringList availableLanguages(const QString &folder) {
    QStringList languages;
    const QStringList files = QDir(folder).entryList({QStringLiteral("plotweave_*.qm")});
    for (const QString &file : files)
        languages << file.mid(10, file.size() - 10 - 3);  // "plotweave_" ... ".qm"
    return languages;
}

}  // namespace

QString graphTranslationLanguage(const QStringList &preferred, const QStringList &available) {
    for (const QString &entry : preferred) {
        // "de-DE", "de_DE.UTF-8" and "de" all ask for German; a region-specific
        // translation is taken before the general one.
        QString name = entry.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString language = name.section(QLatin1Char('_'), 0, 0);
        if (language.isEmpty()) continue;
        if (language == QLatin1String("en") || language == QLatin1String("C")) return {};
        if (available.contains(name)) return name;
        if (available.contains(language)) return language;
    }
    return {};
}

QString graphInstallTranslations(QCoreApplication &app) {
    const QString folder = translationFolder();
    const QString language =
        graphTranslationLanguage(QLocale::system().uiLanguages(), availableLanguages(folder));
    if (language.isEmpty()) return {};
    auto *own = new QTranslator(&app);
    if (!own->load(QStringLiteral("plotweave_") + language, folder)) {
        delete own;
        return {};
    }
    QCoreApplication::installTranslator(own);
    // Qt's texts in the same language, where Qt's translations are installed.
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

QString graphTranslatedEngineMessage(const QString &message) {
    // The engine's messages, listed here for the translators.
    [[maybe_unused]] static const char *const engineMessages[] = {
        QT_TRANSLATE_NOOP("grEquation", "\"?\" must be replaced before graphing."),
        QT_TRANSLATE_NOOP("grEquation", "incorrect syntax for parametric graph."),
        QT_TRANSLATE_NOOP("grEquation", "left hand side of '=' must be X, Y or Z."),
        QT_TRANSLATE_NOOP("grEquation", "X redefined in parametric equation."),
        QT_TRANSLATE_NOOP("grEquation", "Y redefined in parametric equation."),
        QT_TRANSLATE_NOOP("grEquation", "Z redefined in parametric equation."),
        QT_TRANSLATE_NOOP("grEquation", "cannot graph functions containing Z."),
        QT_TRANSLATE_NOOP("grEquation", "Cannot graph this type of equation."),
    };
    return QCoreApplication::translate("grEquation", message.toUtf8().constData());
}
