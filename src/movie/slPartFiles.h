// slPartFiles: the hidden part files of recordings in progress, removed when a signal ends
// the process. Each entry is a folder descriptor and a name in it, so a part file is found
// even after its folder was renamed.
//
// installSignalHandlers takes over HUP, INT, PIPE, ALRM, USR1, USR2, QUIT and TERM where
// they still have their default action (a program's own handler or an ignored signal is
// left alone): the handler removes every registered part file, restores the default action
// and raises the signal again, so the process ends as it would have.
#pragma once

class slPartFiles {
public:
    // The signals whose default action ends the process without a core file worth keeping.
    static constexpr int cleanedSignals[] = {1, 2, 3, 10, 12, 13, 14, 15};

    // Registers name (at most 255 bytes) inside the folder descriptor; the slot, or -1 when
    // every slot is taken or the name is too long (the file is then removed only by its
    // owner).
    static int add(int folder, const char *name);
    static void remove(int slot);

    static void installSignalHandlers();

    // Unlinks every registered file; async-signal-safe.
    static void unlinkAll();
};
