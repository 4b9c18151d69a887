// The window's languages: our texts and Qt's own (standard dialogs, buttons, undo texts),
// chosen from the user's preferred languages. The command line never loads them, so its
// messages stay English for the scripts that read them.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The first of the preferred languages (as QLocale::uiLanguages() lists them, "de-DE", "en")
// that has one of the translations in `available` ("de", "fr_CA"); empty when English, the
// language of the source texts, comes first or none is available.
QString graphTranslationLanguage(const QStringList &preferred, const QStringList &available);

// Installs the translators for the system locale's preferred languages (LANGUAGE, then
// LC_ALL, LC_MESSAGES, LANG). Returns the language chosen, empty for English.
QString graphInstallTranslations(QCoreApplication &app);

// The engine's reason an equation cannot be graphed, in the interface's language (the
// engine itself has no Qt and answers English).
QString graphTranslatedEngineMessage(const QString &message);
