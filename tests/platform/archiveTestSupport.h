// A small archivable class for the coder's tests, registered in a registry of its own:
// a test object holds an "I" value, a name string and an optional child object.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

struct testObject : slCoding {
    uint32_t number = 0;
    QString name;
    std::shared_ptr<testObject> child;

    const char *archiveClassName() const override { return "testObject"; }
    void encodeWithCoder(slArchiver &coder) const override {
        coder.encodeValueOfObjCType("I", &number);
        coder.encodeString(name);
        coder.encodeObject(child);
    }
    static std::shared_ptr<slCoding> initWithCoder(slUnarchiver &coder) {
        auto object = std::make_shared<testObject>();
        coder.decodeValueOfObjCType("I", &object->number);
        object->name = coder.decodeString();
        object->child = coder.decodeObjectOfClass<testObject>("testObject", true);
        return object;
    }
};

// A subclass that adds a colour after its base's record.
struct testColoredObject : testObject {
    QColor color;
    const char *archiveClassName() const override { return "testColoredObject"; }
    void encodeWithCoder(slArchiver &coder) const override {
        testObject::encodeWithCoder(coder);
        coder.encodeColor(color);
    }
    static std::shared_ptr<slCoding> initWithCoder(slUnarchiver &coder) {
        auto object = std::make_shared<testColoredObject>();
        coder.decodeValueOfObjCType("I", &object->number);
        object->name = coder.decodeString();
        object->child = coder.decodeObjectOfClass<testObject>("testObject", true);
        object->color = coder.decodeColor();
        return object;
    }
};

inline const slArchiveRegistry &testRegistry() {
    static slArchiveRegistry registry = [] {
        slArchiveRegistry r;
        r.registerClass({"testObject", 0, kNSObject, testObject::initWithCoder});
        r.registerClass({"testColoredObject", 0, "testObject", testColoredObject::initWithCoder});
        return r;
    }();
    return registry;
}

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray data;
    for (int v : values) data.append(static_cast<char>(v));
    return data;
}

inline std::string hex(const QByteArray &data) {
    return data.toHex(' ').toStdString();
}

// A chain of depth objects, each holding the next.
inline std::shared_ptr<testObject> chainOf(int depth) {
    std::shared_ptr<testObject> head;
    for (int i = depth; i > 0; --i) {
        auto node = std::make_shared<testObject>();
        node->number = static_cast<uint32_t>(i);
        node->child = head;
        head = node;
    }
    return head;
}

// Releases a long chain iteratively, so that tearing it down cannot exhaust the stack.
inline void releaseChain(std::shared_ptr<testObject> head) {
    while (head) head = std::move(head->child);
}
