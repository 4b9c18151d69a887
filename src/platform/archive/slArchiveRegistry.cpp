#include "platform/archive/slCoding.h"

slArchiveRegistry::slArchiveRegistry() {
    registerClass({kNSObject, 0, "", nullptr});
    registerClass({kNSString, 1, kNSObject, nullptr});
    registerClass({kNSMutableString, 1, kNSString, nullptr});
    registerClass({kNSColor, 0, kNSObject, nullptr});
}

slArchiveRegistry &slArchiveRegistry::shared() {
    static slArchiveRegistry registry;
    return registry;
}

void slArchiveRegistry::registerClass(slArchiveClass archiveClass) {
    std::string name = archiveClass.name;
    classes_[name] = std::move(archiveClass);
}

const slArchiveClass *slArchiveRegistry::find(const std::string &name) const {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : &it->second;
}

bool slArchiveRegistry::isKindOf(const std::string &name, const std::string &ancestor) const {
    // The chain is bounded by the number of classes, so a mistaken cycle cannot hang.
    std::string current = name;
    for (size_t steps = 0; steps <= classes_.size() && !current.empty(); ++steps) {
        if (current == ancestor) return true;
        const slArchiveClass *c = find(current);
        if (!c) return false;
        current = c->superclass;
    }
    return false;
}
