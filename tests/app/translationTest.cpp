// The German interface: which translation a user's languages choose, and the running
// program's menus as a screen reader reads them through AT-SPI, under LANGUAGE=de. The
// test runs under xvfb-run and dbus-run-session, which starts the accessibility bus.
#include "app/graphMainWindow.h"
#include "app/graphTranslations.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

TEST(graphTranslationLanguage, takesTheFirstPreferredLanguageWithATranslation) {
    struct row {
        QStringList preferred, available;
        QString chosen;
    };
    const row rows[] = {
        {{"de-DE"}, {"de"}, "de"},
        {{"de_AT.UTF-8"}, {"de"}, "de"},
        {{"de_DE@euro"}, {"de"}, "de"},
        {{"fr", "de"}, {"de"}, "de"},
        {{"pt-BR", "pt"}, {"pt", "pt_BR"}, "pt_BR"},
        {{"pt-PT"}, {"pt", "pt_BR"}, "pt"},
        // English, the language of the source texts, wins when it comes first.
        {{"en-US", "de"}, {"de"}, ""},
        {{"C"}, {"de"}, ""},
        {{"fr"}, {"de"}, ""},
        {{}, {"de"}, ""},
        {{"", "de"}, {"de"}, "de"},
    };
    for (const row &r : rows)
        EXPECT_EQ(graphTranslationLanguage(r.preferred, r.available), r.chosen)
            << r.preferred.join(QLatin1Char(',')).toStdString();
}

// An object on the accessibility bus, as AT-SPI lists children: bus name and path.
struct accessibleRef {
    QString service;
    QDBusObjectPath path;
};

const QDBusArgument &operator>>(const QDBusArgument &argument, accessibleRef &ref) {
    argument.beginStructure();
    argument >> ref.service >> ref.path;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const accessibleRef &ref) {
    argument.beginStructure();
    argument << ref.service << ref.path;
    argument.endStructure();
    return argument;
}

}  // namespace

Q_DECLARE_METATYPE(accessibleRef)

namespace {

const QString accessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");

// A client of the accessibility bus, as a screen reader is.
class atspiClient {
public:
    atspiClient() : bus(connect()) { qDBusRegisterMetaType<accessibleRef>(); }

    bool connected() const { return bus.isConnected(); }

    QList<accessibleRef> children(const accessibleRef &object) const {
        const QDBusMessage reply = call(object, accessibleInterface, QStringLiteral("GetChildren"));
        QList<accessibleRef> list;
        if (reply.type() == QDBusMessage::ReplyMessage)
            reply.arguments().value(0).value<QDBusArgument>() >> list;
        return list;
    }

    QString roleName(const accessibleRef &object) const {
        return call(object, accessibleInterface, QStringLiteral("GetRoleName"))
            .arguments()
            .value(0)
            .toString();
    }

    QString name(const accessibleRef &object) const {
        const QDBusMessage reply =
            call(object, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {accessibleInterface, QStringLiteral("Name")});
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    }

    // The first object under `object` (depth first, `depth` levels at most) with the role.
    std::optional<accessibleRef> find(const accessibleRef &object, const QString &role,
                                      int depth) const {
        if (roleName(object) == role) return object;
        if (depth == 0) return std::nullopt;
        for (const accessibleRef &child : children(object))
            if (auto found = find(child, role, depth - 1)) return found;
        return std::nullopt;
    }

    accessibleRef desktop() const {
        return {QStringLiteral("org.a11y.atspi.Registry"),
                QDBusObjectPath(QStringLiteral("/org/a11y/atspi/accessible/root"))};
    }

private:
    // The accessibility bus is a bus of its own; the session bus tells its address.
    static QDBusConnection connect() {
        const QDBusMessage reply =
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
        return QDBusConnection::connectToBus(reply.arguments().value(0).toString(),
                                             QStringLiteral("atspi"));
    }

    QDBusMessage call(const accessibleRef &object, const QString &interface, const QString &method,
                      const QVariantList &arguments = {}) const {
        QDBusMessage message =
            QDBusMessage::createMethodCall(object.service, object.path.path(), interface, method);
        message.setArguments(arguments);
        return bus.call(message, QDBus::Block, 5000);
    }

    QDBusConnection bus;
};

QStringList menuTitles(const QMainWindow &window) {
    QStringList titles;
    for (const QAction *action : window.menuBar()->actions())
        if (!action->isSeparator()) titles << action->text().remove(QLatin1Char('&'));
    return titles;
}

TEST(germanInterface, menuTitlesReadThroughAccessibilityAreGerman) {
    atspiClient client;
    ASSERT_TRUE(client.connected()) << "no accessibility bus";
    // Starts the registry before the program, whose bridge registers with it at start.
    client.children(client.desktop());

    // What the menus say in English, and in German through the installed translation.
    const QStringList english = menuTitles(graphMainWindow());
    QTranslator german;
    ASSERT_TRUE(
        german.load(QStringLiteral("plotweave_de"), QStringLiteral(PLOTWEAVE_BUILD_TRANSLATIONS)));
    QCoreApplication::installTranslator(&german);
    const QStringList expected = menuTitles(graphMainWindow());
    QCoreApplication::removeTranslator(&german);
    ASSERT_NE(expected, english);

    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LC_ALL"));
    environment.remove(QStringLiteral("LC_MESSAGES"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(PLOTWEAVE_BINARY), {});
    ASSERT_TRUE(program.waitForStarted());

    // The program's menu bar, once its window is up.
    std::optional<accessibleRef> menuBar;
    const bool shown = QTest::qWaitFor(
        [&] {
            for (const accessibleRef &app : client.children(client.desktop()))
                if (client.name(app) == QLatin1String("Plotweave") &&
                    (menuBar = client.find(app, QStringLiteral("menu bar"), 4)))
                    return true;
            return false;
        },
        30000);
    QStringList read;
    if (shown)
        for (const accessibleRef &item : client.children(*menuBar)) read << client.name(item);
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(shown) << "the program's menu bar never appeared on the accessibility bus";
    EXPECT_EQ(read.join(QStringLiteral(" | ")).toStdString(),
              expected.join(QStringLiteral(" | ")).toStdString());
}

}  // namespace
