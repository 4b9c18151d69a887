#include "platform/archive/slUnarchiver.h"

#include "platform/archive/slLargeStack.h"

#include <QFile>
#include <QStringDecoder>
#include <cmath>
#include <cstring>

using namespace slTypedStream;

slUnarchiver::slUnarchiver(const QByteArray &data, const slArchiveRegistry &registry)
    : data_(data),
      registry_(registry),
      in_(reinterpret_cast<const uint8_t *>(data_.constData()), static_cast<size_t>(data_.size())) {
    const uint8_t streamer = in_.byte();
    if (streamer != kStreamerVersion) {
        throw slArchiveError(
            "not a typedstream archive (streamer version " + std::to_string(streamer) + ")", 0);
    }
    const std::string signature = in_.countedBytesAfter(in_.byte());
    if (signature == kSignatureBigEndian) {
        in_.setBigEndian(true);
    } else if (signature != kSignatureLittleEndian) {
        throw slArchiveError("not a typedstream archive (bad signature)", 1);
    }
    in_.compactInt();  // the system version; any value is accepted
}

std::string slUnarchiver::sharedString(bool allowNil) {
    const size_t start = in_.offset();
    const uint8_t head = in_.byte();
    if (head == kTagNil) {
        if (!allowNil) throw slArchiveError("missing string", start);
        return {};
    }
    if (head == kTagNew) {
        if (sharedStrings_.size() >= kMaximumObjects) fail("too many strings");
        sharedStrings_.push_back(in_.countedBytesAfter(in_.byte()));
        return sharedStrings_.back();
    }
    const int64_t entry = static_cast<int64_t>(in_.compactIntAfter(head)) - kLabelBase;
    if (entry < 0 || entry >= static_cast<int64_t>(sharedStrings_.size())) {
        throw slArchiveError("reference to unknown string " + std::to_string(entry), start);
    }
    return sharedStrings_[static_cast<size_t>(entry)];
}

void slUnarchiver::expectGroup(const char *type) {
    const size_t start = in_.offset();
    const std::string found = sharedString(false);
    if (found != type) {
        throw slArchiveError(
            "expected a value of type '" + std::string(type) + "', found '" + found + "'", start);
    }
}

int slUnarchiver::addEntry(Entry entry) {
    if (entries_.size() >= kMaximumObjects) fail("too many objects");
    entries_.push_back(std::move(entry));
    return static_cast<int>(entries_.size() - 1);
}

// One link of a class chain, answering its class (null for the nil that ends it). Each
// class must be registered with the version written, and its superclass must be the
// registered one (expected), so a chain can be no longer than the registry's.
const slArchiveClass *slUnarchiver::classLink(const std::string *expected) {
    const size_t start = in_.offset();
    const uint8_t head = in_.byte();
    auto misplaced = [&](const std::string &name) {
        const std::string place = expected->empty() ? std::string("the chain's end") : *expected;
        return slArchiveError("class " + name + " found where " + place + " belongs", start);
    };
    if (head == kTagNil) {
        if (expected && !expected->empty()) {
            throw slArchiveError("class chain ends before " + *expected, start);
        }
        return nullptr;
    }
    if (head == kTagNew) {
        const std::string name = sharedString(false);
        const int version = in_.compactInt();
        const slArchiveClass *c = registry_.find(name);
        if (!c) throw slArchiveError("unknown class '" + name + "'", start);
        if (version != c->version) {
            throw slArchiveError("class " + name + " has version " + std::to_string(version) +
                                     ", expected " + std::to_string(c->version),
                                 start);
        }
        if (expected && name != *expected) throw misplaced(name);
        addEntry({Entry::kClass, c, {}});
        classLink(&c->superclass);
        return c;
    }
    const int64_t entry = static_cast<int64_t>(in_.compactIntAfter(head)) - kLabelBase;
    if (entry < 0 || entry >= static_cast<int64_t>(entries_.size()) ||
        entries_[static_cast<size_t>(entry)].kind != Entry::kClass) {
        throw slArchiveError("reference to unknown class " + std::to_string(entry), start);
    }
    const slArchiveClass *c = entries_[static_cast<size_t>(entry)].archiveClass;
    if (expected && c->name != *expected) throw misplaced(c->name);
    return c;
}

slArchivedObject slUnarchiver::decodeObject() {
    expectGroup("@");
    return readObject();
}

slArchivedObject slUnarchiver::readObject() {
    const size_t start = in_.offset();
    const uint8_t head = in_.byte();
    if (head == kTagNil) return {};
    if (head != kTagNew) {
        const int64_t entry = static_cast<int64_t>(in_.compactIntAfter(head)) - kLabelBase;
        if (entry < 0 || entry >= static_cast<int64_t>(entries_.size()) ||
            entries_[static_cast<size_t>(entry)].kind == Entry::kClass) {
            throw slArchiveError("reference to unknown object " + std::to_string(entry), start);
        }
        const Entry &e = entries_[static_cast<size_t>(entry)];
        if (e.kind == Entry::kObjectInProgress) {
            throw slArchiveError("object refers to itself or to an enclosing object", start);
        }
        if (std::holds_alternative<std::shared_ptr<slCoding>>(e.object)) {
            throw slArchiveError("object " + e.archiveClass->name + " appears twice", start);
        }
        return e.object;  // strings and colours are values
    }

    if (depth_ >= kMaximumDepth) {
        throw slArchiveError(
            "objects nested deeper than " + std::to_string(kMaximumDepth) + " levels", start);
    }
    const int number = addEntry({Entry::kObjectInProgress, nullptr, {}});
    const size_t chainStart = in_.offset();
    if (in_.peek() == kTagNil) throw slArchiveError("object without a class", chainStart);
    const slArchiveClass *c = classLink(nullptr);
    entries_[static_cast<size_t>(number)].archiveClass = c;
    const std::string &className = c->name;

    ++depth_;
    slArchivedObject object;
    if (className == kNSString || className == kNSMutableString || className == kNSColor) {
        object = readValueObject(*c);
    } else {
        if (!c->decode) throw slArchiveError("class " + className + " cannot be read", chainStart);
        std::shared_ptr<slCoding> decoded = c->decode(*this);
        if (!decoded) throw slArchiveError("object of class " + className + " is invalid", start);
        object = std::move(decoded);
    }
    --depth_;

    const size_t end = in_.offset();
    if (in_.byte() != kTagEnd) {
        throw slArchiveError("object of class " + className + " has unexpected contents", end);
    }
    Entry &entry = entries_[static_cast<size_t>(number)];
    entry.kind = Entry::kObject;
    entry.object = object;
    return object;
}

slArchivedObject slUnarchiver::readValueObject(const slArchiveClass &archiveClass) {
    if (archiveClass.name == kNSColor) return readColor();
    const size_t start = in_.offset();
    expectGroup("+");
    const std::string bytes = in_.countedBytesAfter(in_.byte());
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) throw slArchiveError("string is not valid UTF-8", start);
    if (text.isNull()) text = QStringLiteral("");  // empty, which is not nil
    return text;
}

// Calibrated or device RGB, white, or CMYK, each with alpha; components clamped to 0..1.
QColor slUnarchiver::readColor() {
    const size_t start = in_.offset();
    char kind = 0;
    decodeValueOfObjCType("c", &kind);
    float c[5] = {0, 0, 0, 0, 0};
    QColor color;
    auto unit = [&](float v) {
        if (!std::isfinite(v)) throw slArchiveError("colour component is not a number", start);
        return std::clamp(v, 0.0f, 1.0f);
    };
    switch (kind) {
        case 1:
        case 2:
            decodeValuesOfObjCTypes("ffff", {&c[0], &c[1], &c[2], &c[3]});
            color = QColor::fromRgbF(unit(c[0]), unit(c[1]), unit(c[2]), unit(c[3]));
            break;
        case 3:
        case 4:
            decodeValuesOfObjCTypes("ff", {&c[0], &c[1]});
            color = QColor::fromRgbF(unit(c[0]), unit(c[0]), unit(c[0]), unit(c[1]));
            break;
        case 5:
            decodeValuesOfObjCTypes("fffff", {&c[0], &c[1], &c[2], &c[3], &c[4]});
            color = QColor::fromCmykF(unit(c[0]), unit(c[1]), unit(c[2]), unit(c[3]), unit(c[4]))
                        .toRgb();
            break;
        default: throw slArchiveError("unsupported colour kind " + std::to_string(kind), start);
    }
    return color;
}

std::string slUnarchiver::describe(const slArchivedObject &object) {
    if (std::holds_alternative<std::monostate>(object)) return "nil";
    if (std::holds_alternative<QString>(object)) return "a string";
    if (std::holds_alternative<QColor>(object)) return "a colour";
    return std::get<std::shared_ptr<slCoding>>(object)->archiveClassName();
}

std::shared_ptr<slCoding> slUnarchiver::decodeObjectOfClass(const char *className, bool allowNil) {
    const size_t start = in_.offset();
    slArchivedObject object = decodeObject();
    if (std::holds_alternative<std::monostate>(object) && allowNil) return nullptr;
    auto *coded = std::get_if<std::shared_ptr<slCoding>>(&object);
    if (!coded || !registry_.isKindOf((*coded)->archiveClassName(), className)) {
        throw slArchiveError("expected " + std::string(className) + ", found " + describe(object),
                             start);
    }
    return *coded;
}

QString slUnarchiver::decodeString(bool allowNil) {
    const size_t start = in_.offset();
    slArchivedObject object = decodeObject();
    if (std::holds_alternative<std::monostate>(object) && allowNil) return {};
    if (auto *text = std::get_if<QString>(&object)) return *text;
    throw slArchiveError("expected a string, found " + describe(object), start);
}

QColor slUnarchiver::decodeColor() {
    const size_t start = in_.offset();
    slArchivedObject object = decodeObject();
    if (auto *color = std::get_if<QColor>(&object)) return *color;
    throw slArchiveError("expected a colour, found " + describe(object), start);
}

void slUnarchiver::readValue(const char *&type, void *address) {
    const char code = *type++;
    switch (code) {
        case 'c':
        case 'C': *static_cast<uint8_t *>(address) = in_.byte(); return;
        case 's': *static_cast<int16_t *>(address) = static_cast<int16_t>(in_.compactInt()); return;
        case 'S':
            *static_cast<uint16_t *>(address) = static_cast<uint16_t>(in_.compactInt());
            return;
        case 'i':
        case 'l': *static_cast<int32_t *>(address) = in_.compactInt(); return;
        case 'I':
        case 'L':
            *static_cast<uint32_t *>(address) = static_cast<uint32_t>(in_.compactInt());
            return;
        case 'f': *static_cast<float *>(address) = static_cast<float>(in_.real(true)); return;
        case 'd': *static_cast<double *>(address) = in_.real(false); return;
        case '[': in_.rawBytes(address, charArrayLength(type)); return;
        default: throw std::logic_error(std::string("unsupported type code ") + code);
    }
}

void slUnarchiver::decodeValueOfObjCType(const char *type, void *address) {
    decodeValuesOfObjCTypes(type, {address});
}

void slUnarchiver::decodeValuesOfObjCTypes(const char *types,
                                           std::initializer_list<void *> addresses) {
    expectGroup(types);
    const char *type = types;
    for (void *address : addresses) readValue(type, address);
    if (*type) throw std::logic_error(std::string("no address given for type ") + type);
}

slArchivedObject slUnarchiver::decodeRootObject() {
    slArchivedObject root = decodeObject();
    if (!isAtEnd()) fail("unexpected data after the archive's end");
    return root;
}

slArchivedObject slUnarchiver::unarchiveObjectWithData(const QByteArray &data, QString *error,
                                                       const slArchiveRegistry &registry) {
    slArchivedObject root;
    try {
        slRunWithLargeStack([&] { root = slUnarchiver(data, registry).decodeRootObject(); });
    } catch (const slArchiveError &e) {
        if (error) *error = QString::fromStdString(e.what());
        return {};
    }
    return root;
}

slArchivedObject slUnarchiver::unarchiveObjectWithFile(const QString &path, QString *error,
                                                       const slArchiveRegistry &registry) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return {};
    }
    return unarchiveObjectWithData(file.readAll(), error, registry);
}
