#include <strings.h>

#include <cstring>
#include <memory>

#include "engine/grExp.h"

grConstantList *grAppendConstantList(const char *name, double value, grConstantList *list) {
    const size_t size = std::strlen(name) + 1;
    auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), name, size);
    auto *node = new grConstantList{copy.get(), value, list};
    copy.release();
    return node;
}

int grLookupConstant(const char *name, double *result, grConstantList *list) {
    for (grConstantList *node = list; node; node = node->next) {
        if (strcasecmp(node->name, name) == 0) {
            *result = node->value;
            return 0;
        }
    }
    *result = 0.0;
    return -1;
}

void grFreeConstantList(grConstantList *list) {
    while (list) {
        grConstantList *next = list->next;
        delete[] list->name;
        delete list;
        list = next;
    }
}
