#include "platform/graphSoundPlayer.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <canberra.h>

graphCanberraPlayer::graphCanberraPlayer() {
    if (ca_context_create(&context) != CA_SUCCESS) context = nullptr;
}

graphCanberraPlayer::~graphCanberraPlayer() {
    if (context != nullptr) ca_context_destroy(context);
}

// libcanberra has no look-up call: the files are searched where freedesktop sound themes
// keep them (the default theme's stereo sounds in any data directory).
bool graphCanberraPlayer::hasSound(const QString &name) {
    for (const QString &dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        for (const char *suffix : {".oga", ".ogg", ".wav"}) {
            if (QFileInfo::exists(dir + QStringLiteral("/sounds/freedesktop/stereo/") + name +
                                  QLatin1String(suffix)))
                return true;
        }
    }
    return false;
}

bool graphCanberraPlayer::play(const QString &name) {
    if (context == nullptr) return false;
    const QByteArray id = name.toUtf8();
    return ca_context_play(context, 0, CA_PROP_EVENT_ID, id.constData(), nullptr) == CA_SUCCESS;
}
