#include "engine/cell.h"

#include <gtest/gtest.h>

namespace {

using engine::CommentData;

TEST(Cell, ACopiedCommentIsTheCopysOwnAndOutlivesTheOriginal) {
    engine::Cell original;
    original.comment = CommentData{u"note", u"me"};
    engine::Cell copy = original;
    original.comment = CommentData{u"changed", u""};
    ASSERT_TRUE(copy.comment);
    EXPECT_EQ(copy.comment->text, u"note");
    EXPECT_EQ(copy.comment->author, u"me");
    original = engine::Cell();
    EXPECT_EQ(copy.comment->text, u"note");
    EXPECT_TRUE(original.comment == nullptr);
}

TEST(Cell, ACommentMovedOrResetLeavesNone) {
    engine::Cell cell;
    cell.comment = CommentData{u"note", u""};
    engine::Cell moved = std::move(cell);
    EXPECT_EQ(moved.comment->text, u"note");
    moved.comment = moved.comment;  // assigning to itself keeps it
    EXPECT_EQ(moved.comment->text, u"note");
    moved.comment.reset();
    EXPECT_FALSE(moved.comment);
    EXPECT_TRUE(moved.isVoid());
}

}  // namespace
