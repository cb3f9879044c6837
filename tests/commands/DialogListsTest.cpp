#include <gtest/gtest.h>

#include <memory>

#include "commands/DialogLists.h"

using namespace zq;

namespace {
// Counts what the list does with it: closed (settings given back), then freed.
struct FakeDialog : IOperationDialog {
    bool* finished;
    int* closed;
    int* freed;
    FakeDialog(bool* f, int* c, int* d) : finished(f), closed(c), freed(d) {}
    ~FakeDialog() override { ++*freed; }
    bool Finished() const override { return *finished; }
    void Close() override { ++*closed; }
};
}  // namespace

TEST(DialogLists, PurgeClosesAndFreesOnlyFinishedDialogsOfThatList) {
    DialogLists lists;
    int closed = 0, freed = 0;
    bool done[4] = {};
    for (int i = 0; i < 3; ++i) lists.Add(DialogList::Copy, std::make_unique<FakeDialog>(&done[i], &closed, &freed));
    lists.Add(DialogList::Unpack, std::make_unique<FakeDialog>(&done[3], &closed, &freed));
    done[0] = done[2] = true;
    EXPECT_FALSE(lists.PurgeAndTestEmpty(DialogList::Copy));
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(lists.Count(DialogList::Copy), 1u);
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Delete));
    done[3] = true;  // the unpack list is purged only when asked
    EXPECT_EQ(lists.Count(DialogList::Unpack), 1u);
    done[1] = true;
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Copy));
    EXPECT_TRUE(lists.PurgeAndTestEmpty(DialogList::Unpack));
    EXPECT_EQ(closed, 4);
    EXPECT_EQ(freed, 4);
}

TEST(DialogLists, WalksLastToFirst) {
    DialogLists lists;
    int closed = 0, freed = 0;
    bool finished = false;
    auto first = std::make_unique<FakeDialog>(&finished, &closed, &freed);
    auto second = std::make_unique<FakeDialog>(&finished, &closed, &freed);
    const IOperationDialog* firstSeen = first.get();
    const IOperationDialog* secondSeen = second.get();
    lists.Add(DialogList::Delete, std::move(first));
    lists.Add(DialogList::Delete, std::move(second));
    std::vector<const IOperationDialog*> order;
    lists.ForEachReverse(DialogList::Delete, [&](const IOperationDialog& d) { order.push_back(&d); });
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], secondSeen);
    EXPECT_EQ(order[1], firstSeen);
}
