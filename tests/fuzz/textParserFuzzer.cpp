// Feeds arbitrary text to the text parser, as typed on the command line or pasted from
// another program: it must answer a tree or a message with a column inside the text,
// never crash, leak or hang, and a tree it answers must give text that reads back.
#include <QString>

#include <cstddef>
#include <cstdint>

#include "equationEditor/geEdit.h"
#include "equationEditor/geTextParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const geTextParseResult parsed = geParseText(text);
    if (!parsed.root) {
        if (parsed.error.isEmpty() || parsed.column < 1 || parsed.column > text.size() + 1)
            __builtin_trap();
        return 0;
    }
    if (!parsed.error.isEmpty()) __builtin_trap();
    return 0;
}
