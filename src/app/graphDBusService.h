// The application on the session bus: the image and text services for other programs and
// the door through which a second launch hands its files to the running instance.
#pragma once

#include <QByteArray>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

class graphController;

inline constexpr const char *graphServiceName = "org.plotweave.Plotweave";
inline constexpr const char *graphServicePath = "/org/plotweave/Plotweave";

class graphDBusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.plotweave.Plotweave")
public:
    explicit graphDBusService(graphController &controller, QObject *parent = nullptr);
    ~graphDBusService() override;

    // Registers the object and takes the service name; false when another instance owns
    // it or there is no session bus.
    bool registerOnSessionBus();

public slots:
    // TIFF bytes of the graph as currently drawn; an error reply for an empty string.
    QByteArray GraphImage(const QString &text);
    // Reads the string and does nothing more.
    void Graph(const QString &text);
    // Opens each file as the desktop's open request does and brings the windows forward.
    void OpenFiles(const QStringList &paths);

private:
    graphController &controller;
    bool registered = false;
};

// Hands the files to the instance that owns the service name. True when it took them.
bool graphForwardFilesToRunningInstance(const QStringList &paths);
