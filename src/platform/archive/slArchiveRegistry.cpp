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

// Registering a name again replaces its entry's contents.
void slArchiveRegistry::registerClass(slArchiveClass archiveClass) {
    auto it = classes_.find(archiveClass.name);
    if (it != classes_.end()) {  // the table's key views the entry's name, which stays
        it->second->version = archiveClass.version;
        it->second->superclass = std::move(archiveClass.superclass);
        it->second->decode = std::move(archiveClass.decode);
        return;
    }
    slArchiveClass &entry = entries_.emplace_back(std::move(archiveClass));
    classes_.emplace(entry.name, &entry);
}

const slArchiveClass *slArchiveRegistry::find(std::string_view name) const {
    auto it = classes_.find(name);
    return it == classes_.end() ? nullptr : it->second;
}

bool slArchiveRegistry::isKindOf(std::string_view name, std::string_view ancestor) const {
    // The chain is bounded by the number of classes, so a mistaken cycle cannot hang.
    std::string_view current = name;
    for (size_t steps = 0; steps <= classes_.size() && !current.empty(); ++steps) {
        if (current == ancestor) return true;
        const slArchiveClass *c = find(current);
        if (!c) return false;
        current = c->superclass;
    }
    return false;
}
