// Short event sounds by freedesktop sound-theme name, played through libcanberra.
#pragma once

#include <QString>

class graphSoundPlayer {
public:
    virtual ~graphSoundPlayer() = default;
    // True when the current sound theme has a sound of that name.
    virtual bool hasSound(const QString &name) = 0;
    // Starts the sound and returns at once; false when it could not be played.
    virtual bool play(const QString &name) = 0;
};

// libcanberra on the desktop's sound theme; without a sound server every play fails.
class graphCanberraPlayer : public graphSoundPlayer {
public:
    graphCanberraPlayer();
    ~graphCanberraPlayer() override;
    graphCanberraPlayer(const graphCanberraPlayer &) = delete;
    graphCanberraPlayer &operator=(const graphCanberraPlayer &) = delete;

    bool hasSound(const QString &name) override;
    bool play(const QString &name) override;

private:
    struct ca_context *context = nullptr;
};
