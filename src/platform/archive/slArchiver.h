// Writes a typedstream archive: the header, then typed groups of values and objects.
//
// Objects are written once; writing the same object again writes a reference to it.
// Strings and colours are written as new value objects each time. A class's chain is
// written the first time the class appears and referred to afterwards.
#pragma once

#include <QByteArray>
#include <QString>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/archive/slCoding.h"
#include "platform/archive/slTypedStreamBytes.h"

class slArchiver {
public:
    explicit slArchiver(const slArchiveRegistry &registry = slArchiveRegistry::shared());

    // One "@" group each.
    void encodeObject(const slCoding *object);  // null writes nil
    template <class T>
    void encodeObject(const std::shared_ptr<T> &object) {
        encodeObject(static_cast<const slCoding *>(object.get()));
    }
    void encodeString(const QString &text, const char *className = kNSString);  // null: nil
    void encodeColor(const QColor &color);

    // One group holding one value of a one-code type ("I", "i", "c", "f", "d", "[16c]", ...).
    // The address points to the matching C type: uint32_t for "I", int32_t for "i", char
    // for "c", float for "f", double for "d", a char array for "[Nc]".
    void encodeValueOfObjCType(const char *type, const void *address);
    // One group of several codes ("ffff"), one address per code.
    void encodeValuesOfObjCTypes(const char *types, std::initializer_list<const void *> addresses);

    QByteArray archiverData() const;

    // A whole archive holding one root object.
    static QByteArray archivedDataWithRootObject(
        const slCoding &root, const slArchiveRegistry &registry = slArchiveRegistry::shared());
    // Writes the archive with slWriteFileAtomically: a failed save leaves the old file as it
    // was and answers the system's reason in error.
    static bool archiveRootObject(const slCoding &root, const QString &path,
                                  QString *error = nullptr,
                                  const slArchiveRegistry &registry = slArchiveRegistry::shared());

private:
    void sharedString(std::string_view text);
    void classChain(std::string_view className);
    int newObjectNumber() { return objectCount_++; }
    void beginValueObject(const char *className);
    void writeValue(const char *&type, const void *address);

    const slArchiveRegistry &registry_;
    slTypedStream::ByteWriter out_;
    // Hash tables keyed by views of the strings kept in names_, so that looking up the
    // type "@" of every object allocates nothing.
    std::deque<std::string> names_;
    std::unordered_map<std::string_view, int> sharedStrings_;
    std::unordered_map<std::string_view, int> classes_;
    std::unordered_map<const slCoding *, int> objects_;
    int objectCount_ = 0;
};
