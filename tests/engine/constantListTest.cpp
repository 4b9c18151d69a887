#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testSupport.h"

namespace {

struct ListDeleter {
    void operator()(grConstantList *list) const { grFreeConstantList(list); }
};
using List = std::unique_ptr<grConstantList, ListDeleter>;

TEST(ConstantList, AppendPutsTheNewEntryFirstAndCopiesTheName) {
    std::string name = "A";
    List list(grAppendConstantList(name.c_str(), 1.5, nullptr));
    list.reset(grAppendConstantList("b", 2.5, list.release()));
    name = "changed";

    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(list->name, "b");
    ASSERT_NE(list->next, nullptr);
    EXPECT_STREQ(list->next->name, "A");
    EXPECT_EQ(list->next->next, nullptr);
}

TEST(ConstantList, LookupIgnoresCaseAndTheLastAppendedWins) {
    List list(grAppendConstantList("A", 1.5, nullptr));
    list.reset(grAppendConstantList("r", 3.0, list.release()));
    list.reset(grAppendConstantList("a", 7.0, list.release()));

    double value = -1;
    ASSERT_EQ(grLookupConstant("A", &value, list.get()), 0);
    EXPECT_EQ(value, 7.0);
    ASSERT_EQ(grLookupConstant("R", &value, list.get()), 0);
    EXPECT_EQ(value, 3.0);

    value = -1;
    EXPECT_EQ(grLookupConstant("q", &value, list.get()), -1);
    EXPECT_EQ(value, 0.0);
    value = -1;
    EXPECT_EQ(grLookupConstant("a", &value, nullptr), -1);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(grLookupConstant("", &value, list.get()), -1);
}

}  // namespace
