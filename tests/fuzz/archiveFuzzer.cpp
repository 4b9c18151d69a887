// Feeds arbitrary bytes to the archive reader: it must answer an object or an error, never
// crash, leak or hang. Runs on the fuzzer's own thread, whose stack ctest raises, because a
// thread per input would slow the search forty-fold.
#include <cstddef>
#include <cstdint>

#include "archiveTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<qsizetype>(size));
    slArchivedObject root;
    try {
        root = slUnarchiver(bytes, testRegistry()).decodeRootObject();
    } catch (const slTypedStream::slArchiveError &) {
        return 0;
    }
    if (auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root)) {
        // What was read must write again and read back.
        slArchiver archiver(testRegistry());
        archiver.encodeObject(*coded);
        slArchivedObject copy = slUnarchiver(archiver.archiverData(), testRegistry()).decodeRootObject();
        if (!std::holds_alternative<std::shared_ptr<slCoding>>(copy)) __builtin_trap();
        releaseChain(std::dynamic_pointer_cast<testObject>(*coded));
        releaseChain(std::dynamic_pointer_cast<testObject>(std::get<std::shared_ptr<slCoding>>(copy)));
    }
    return 0;
}
