// The history of states: steps undone and redone exactly, merging by key,
// and the oldest steps forgotten by count and by bytes.

#include "core/history.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using History = tavelo::History<std::string>;

History::Step step(std::string name, std::string before, std::string after, std::string key = {})
{
    return {std::move(name), std::move(before), std::move(after), false, std::move(key)};
}

History byLength(std::size_t maxSteps, std::size_t maxBytes)
{
    return History(maxSteps, maxBytes,
                   [](const History::Step& s) { return s.before.size() + s.after.size(); });
}

} // namespace

TEST(History, UndoAndRedoWalkTheStepsAndANewStepDropsTheUndone)
{
    History history = byLength(10, 1000);
    EXPECT_FALSE(history.canUndo());
    history.push(step("a", "", "x"));
    history.push(step("b", "x", "xy"));
    ASSERT_EQ(history.nextUndo()->name, "b");
    EXPECT_EQ(history.undo()->before, "x");
    EXPECT_EQ(history.undo()->before, "");
    EXPECT_EQ(history.undo(), nullptr);
    EXPECT_EQ(history.redo()->after, "x");
    EXPECT_EQ(history.nextRedo()->name, "b");
    history.push(step("c", "x", "xz"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.bytes(), 1u + 1u + 2u);
}

TEST(History, StepsOfOneKeyInARowAreOneUntilClosed)
{
    History history = byLength(10, 1000);
    history.push(step("typing", "1", "12", "field"));
    history.push(step("typing", "12", "123", "field"));
    EXPECT_EQ(history.size(), 1u);
    EXPECT_EQ(history.nextUndo()->before, "1");
    EXPECT_EQ(history.nextUndo()->after, "123");
    history.close();
    history.push(step("typing", "123", "1234", "field"));
    EXPECT_EQ(history.size(), 2u);
    history.push(step("other", "1234", "0", "elsewhere"));
    history.push(step("typing", "0", "05", "field"));
    EXPECT_EQ(history.size(), 4u);
    // An undo closes the step it leaves on top.
    history.undo();
    history.push(step("typing", "0", "07", "field"));
    EXPECT_EQ(history.size(), 4u);
    EXPECT_EQ(history.nextUndo()->after, "07");
}

TEST(History, TheOldestStepsAreForgottenByCountAndByBytes)
{
    History counted = byLength(3, 1000);
    for (int i = 0; i < 5; ++i)
        counted.push(step(std::to_string(i), "a", "b"));
    EXPECT_EQ(counted.size(), 3u);
    EXPECT_EQ(counted.undo()->name, "4");
    EXPECT_EQ(counted.undo()->name, "3");
    EXPECT_EQ(counted.undo()->name, "2");
    EXPECT_FALSE(counted.canUndo());

    History weighed = byLength(100, 25);
    for (int i = 0; i < 5; ++i)
        weighed.push(step(std::to_string(i), std::string(5, 'a'), std::string(5, 'b')));
    EXPECT_EQ(weighed.size(), 2u);
    EXPECT_LE(weighed.bytes(), 25u);
    // The newest step stays, whatever it weighs.
    weighed.push(step("huge", std::string(100, 'a'), "b"));
    EXPECT_EQ(weighed.size(), 1u);
    EXPECT_EQ(weighed.nextUndo()->name, "huge");
}
