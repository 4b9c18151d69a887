// Feeds arbitrary bytes to the archive reader, as an equation-set file or clipboard data
// and as the coder's own test classes: it must answer an object or an error, never crash,
// leak or hang, and what it reads must write and read again. Runs on the fuzzer's own
// thread, whose stack ctest raises, because a thread per input would slow the search
// forty-fold.
#include <cstddef>
#include <cstdint>

#include "app/graphEquationTable.h"
#include "archiveTestSupport.h"

namespace {

const slArchiveRegistry &equationRegistry() {
    static slArchiveRegistry registry = [] {
        slArchiveRegistry r;
        graphEquationTableRegisterArchiveClasses(r);
        return r;
    }();
    return registry;
}

void readAndRewrite(const QByteArray &bytes, const slArchiveRegistry &registry) {
    slArchivedObject root;
    try {
        root = slUnarchiver(bytes, registry).decodeRootObject();
    } catch (const slTypedStream::slArchiveError &) {
        return;
    }
    auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root);
    if (!coded) return;
    slArchiver archiver(registry);
    archiver.encodeObject(*coded);
    slArchivedObject copy = slUnarchiver(archiver.archiverData(), registry).decodeRootObject();
    if (!std::holds_alternative<std::shared_ptr<slCoding>>(copy)) __builtin_trap();
    // Test chains may be long; release them without deep recursion.
    releaseChain(std::dynamic_pointer_cast<testObject>(*coded));
    releaseChain(std::dynamic_pointer_cast<testObject>(std::get<std::shared_ptr<slCoding>>(copy)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    readAndRewrite(bytes, equationRegistry());
    readAndRewrite(bytes, testRegistry());
    return 0;
}
