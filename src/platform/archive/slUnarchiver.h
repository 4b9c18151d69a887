// Reads a typedstream archive written by slArchiver or by the original platform archiver.
//
// Every read is checked: a damaged, truncated or hostile archive raises slArchiveError
// (what is wrong and at which byte) and never crashes or hangs. Classes must be
// registered, with the registered version and superclass chain. References may only
// point to objects already read completely, and only to value objects (strings, colours):
// our objects form trees, so one of them appearing twice is refused. Nesting depth and the
// number of objects are capped so that memory stays bounded.
#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/archive/slCoding.h"
#include "platform/archive/slTypedStreamBytes.h"

class slUnarchiver {
public:
    static constexpr int kMaximumDepth = 10000;
    static constexpr size_t kMaximumObjects = 1000000;

    // Reads the header; raises slArchiveError when it is not a typedstream archive.
    explicit slUnarchiver(const QByteArray &data,
                          const slArchiveRegistry &registry = slArchiveRegistry::shared());

    // The next "@" group: nil, a string, a colour or one of our objects.
    slArchivedObject decodeObject();
    // The next "@" group as an object of the given registered class or a subclass of it.
    std::shared_ptr<slCoding> decodeObjectOfClass(const char *className, bool allowNil);
    template <class T>
    std::shared_ptr<T> decodeObjectOfClass(const char *className, bool allowNil) {
        return std::dynamic_pointer_cast<T>(decodeObjectOfClass(className, allowNil));
    }
    QString decodeString(bool allowNil = true);  // an empty QString for nil
    QColor decodeColor();

    // The next group must have exactly this type; see slArchiver for the C types.
    void decodeValueOfObjCType(const char *type, void *address);
    void decodeValuesOfObjCTypes(const char *types, std::initializer_list<void *> addresses);

    size_t offset() const { return in_.offset(); }
    size_t remaining() const { return in_.remaining(); }
    bool isAtEnd() const { return in_.atEnd(); }
    [[noreturn]] void fail(const std::string &what) const { in_.fail(what); }

    // The one object of a whole archive, on the calling thread's stack; raises slArchiveError.
    slArchivedObject decodeRootObject();

    // The root object of a whole archive, read on a large stack; nil with error set when
    // it cannot be read.
    static slArchivedObject unarchiveObjectWithData(
        const QByteArray &data, QString *error = nullptr,
        const slArchiveRegistry &registry = slArchiveRegistry::shared());
    static slArchivedObject unarchiveObjectWithFile(
        const QString &path, QString *error = nullptr,
        const slArchiveRegistry &registry = slArchiveRegistry::shared());

private:
    struct Entry {
        enum Kind { kClass, kObjectInProgress, kObject } kind;
        const slArchiveClass *archiveClass;  // of the class, or of the object
        slArchivedObject object;
    };

    std::string sharedString(bool allowNil);
    void expectGroup(const char *type);
    const slArchiveClass *classLink(const std::string *expected);
    int addEntry(Entry entry);
    slArchivedObject readObject();
    slArchivedObject readValueObject(const slArchiveClass &archiveClass);
    QColor readColor();
    void readValue(const char *&type, void *address);
    static std::string describe(const slArchivedObject &object);

    QByteArray data_;  // keeps the bytes alive for in_
    const slArchiveRegistry &registry_;
    slTypedStream::ByteReader in_;
    std::vector<std::string> sharedStrings_;
    std::vector<Entry> entries_;
    int depth_ = 0;
};
