#include "platform/archive/slArchiver.h"

#include "platform/archive/slFileIO.h"
#include "platform/archive/slLargeStack.h"

#include <cstring>
#include <stdexcept>

using namespace slTypedStream;

slArchiver::slArchiver(const slArchiveRegistry &registry) : registry_(registry) {
    out_.byte(kStreamerVersion);
    out_.countedBytes(kSignatureLittleEndian);
    out_.compactInt(kSystemVersion);
}

// A string of the shared table: new strings in full, known ones by their label.
void slArchiver::sharedString(std::string_view text) {
    auto it = sharedStrings_.find(text);
    if (it != sharedStrings_.end()) {
        out_.compactInt(kLabelBase + it->second);
        return;
    }
    const int entry = static_cast<int>(sharedStrings_.size());
    sharedStrings_.emplace(names_.emplace_back(text), entry);
    out_.byte(kTagNew);
    out_.countedBytes(text);
}

// From the class toward NSObject, ending at nil or at a class already written.
void slArchiver::classChain(std::string_view className) {
    std::string_view name = className;
    while (!name.empty()) {
        auto known = classes_.find(name);
        if (known != classes_.end()) {
            out_.compactInt(kLabelBase + known->second);
            return;
        }
        const slArchiveClass *c = registry_.find(std::string(name));
        if (!c) {
            throw std::logic_error("class " + std::string(name) +
                                   " is not registered for archiving");
        }
        classes_.emplace(c->name, newObjectNumber());
        out_.byte(kTagNew);
        sharedString(name);
        out_.compactInt(c->version);
        name = c->superclass;
    }
    out_.byte(kTagNil);
}

void slArchiver::encodeObject(const slCoding *object) {
    sharedString("@");
    if (!object) {
        out_.byte(kTagNil);
        return;
    }
    auto known = objects_.find(object);
    if (known != objects_.end()) {
        out_.compactInt(kLabelBase + known->second);
        return;
    }
    out_.byte(kTagNew);
    objects_.emplace(object, newObjectNumber());  // numbered before its class chain
    classChain(object->archiveClassName());
    object->encodeWithCoder(*this);
    out_.byte(kTagEnd);
}

void slArchiver::beginValueObject(const char *className) {
    sharedString("@");
    out_.byte(kTagNew);
    newObjectNumber();
    classChain(className);
}

void slArchiver::encodeString(const QString &text, const char *className) {
    if (text.isNull()) {  // nil, as opposed to the empty string
        encodeObject(static_cast<const slCoding *>(nullptr));
        return;
    }
    beginValueObject(className);
    sharedString("+");
    out_.countedBytes(text.toUtf8().toStdString());
    out_.byte(kTagEnd);
}

// Always as calibrated RGB with alpha.
void slArchiver::encodeColor(const QColor &color) {
    beginValueObject(kNSColor);
    const char kind = 1;
    encodeValueOfObjCType("c", &kind);
    const QColor rgb = color.toRgb();
    const float r = rgb.redF(), g = rgb.greenF(), b = rgb.blueF(), a = rgb.alphaF();
    encodeValuesOfObjCTypes("ffff", {&r, &g, &b, &a});
    out_.byte(kTagEnd);
}

void slArchiver::writeValue(const char *&type, const void *address) {
    const char code = *type++;
    switch (code) {
        case 'c':
        case 'C': out_.byte(*static_cast<const uint8_t *>(address)); return;
        case 's': out_.compactInt(*static_cast<const int16_t *>(address)); return;
        case 'S': out_.compactInt(*static_cast<const uint16_t *>(address)); return;
        case 'i':
        case 'l': out_.compactInt(*static_cast<const int32_t *>(address)); return;
        case 'I':
        case 'L':  // stored as signed, as the original archiver does
            out_.compactInt(static_cast<int32_t>(*static_cast<const uint32_t *>(address)));
            return;
        case 'f': out_.real(*static_cast<const float *>(address), true); return;
        case 'd': out_.real(*static_cast<const double *>(address), false); return;
        case '[': out_.raw(address, charArrayLength(type)); return;
        default: throw std::logic_error(std::string("unsupported type code ") + code);
    }
}

void slArchiver::encodeValueOfObjCType(const char *type, const void *address) {
    encodeValuesOfObjCTypes(type, {address});
}

void slArchiver::encodeValuesOfObjCTypes(const char *types,
                                         std::initializer_list<const void *> addresses) {
    sharedString(types);
    const char *type = types;
    for (const void *address : addresses) writeValue(type, address);
    if (*type) throw std::logic_error(std::string("no value given for type ") + type);
}

QByteArray slArchiver::archiverData() const {
    const auto &bytes = out_.data();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QByteArray slArchiver::archivedDataWithRootObject(const slCoding &root,
                                                  const slArchiveRegistry &registry) {
    QByteArray data;
    slRunWithLargeStack([&] {
        slArchiver archiver(registry);
        archiver.encodeObject(&root);
        data = archiver.archiverData();
    });
    return data;
}

bool slArchiver::archiveRootObject(const slCoding &root, const QString &path, QString *error,
                                   const slArchiveRegistry &registry) {
    QString reason;
    if (slWriteFileAtomically(path, archivedDataWithRootObject(root, registry), reason))
        return true;
    if (error) *error = reason;
    return false;
}
