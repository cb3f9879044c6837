#include <gtest/gtest.h>

#include <memory>

#include "app/DialogLists.h"

using namespace zq;

namespace {
struct FakeDialog : IOperationDialog {
    bool finished = false;
    int* destroyed;
    explicit FakeDialog(int* counter) : destroyed(counter) {}
    bool Finished() const override { return finished; }
    void DestroyFinished() override {
        ++*destroyed;
        delete this;
    }
};
}  // namespace

TEST(DialogLists, PurgeDestroysOnlyFinishedDialogsOfThatList) {
    DialogLists lists;
    int destroyed = 0;
    auto* a = new FakeDialog(&destroyed);
    auto* b = new FakeDialog(&destroyed);
    auto* c = new FakeDialog(&destroyed);
    auto* unpack = new FakeDialog(&destroyed);
    lists.Add(DialogList::Copy, a);
    lists.Add(DialogList::Copy, b);
    lists.Add(DialogList::Copy, c);
    lists.Add(DialogList::Unpack, unpack);
    a->finished = true;
    c->finished = true;
    EXPECT_FALSE(lists.PurgeAndTestEmpty(DialogList::Copy));
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(lists.Count(DialogList::Copy), 1u);
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Delete));
    unpack->finished = true;  // the unpack list is purged only when asked
    EXPECT_EQ(lists.Count(DialogList::Unpack), 1u);
    b->finished = true;
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Copy));
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Unpack));
    EXPECT_EQ(destroyed, 4);
}

TEST(DialogLists, WalksLastToFirst) {
    DialogLists lists;
    int destroyed = 0;
    FakeDialog first(&destroyed);
    FakeDialog second(&destroyed);
    lists.Add(DialogList::Delete, &first);
    lists.Add(DialogList::Delete, &second);
    std::vector<IOperationDialog*> order;
    lists.ForEachReverse(DialogList::Delete, [&](IOperationDialog* d) { order.push_back(d); });
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], &second);
    EXPECT_EQ(order[1], &first);
}
