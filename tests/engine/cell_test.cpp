#include "engine/cell.h"

#include <gtest/gtest.h>

namespace {

using engine::CommentData;

TEST(Cell, ACopysFormulaAndCommentAreItsOwnAndOutliveTheOriginal) {
    engine::Cell original;
    original.setFormula(u"=A1");
    original.setComment(CommentData{u"note", u"me"});
    engine::Cell copy = original;
    original.setFormula(u"=B2");
    original.setComment(CommentData{u"changed", u""});
    EXPECT_EQ(copy.formula(), u"=A1");
    ASSERT_TRUE(copy.comment());
    EXPECT_EQ(copy.comment()->text, u"note");
    EXPECT_EQ(copy.comment()->author, u"me");
    original = engine::Cell();
    EXPECT_EQ(copy.comment()->text, u"note");
    EXPECT_EQ(original.comment(), nullptr);
    EXPECT_EQ(original.formula(), u"");
}

TEST(Cell, AFormulaAndACommentComeAndGoEachWithoutTheOther) {
    engine::Cell cell;
    cell.setComment(CommentData{u"note", u""});
    cell.setFormula(u"=1+1");
    cell.setFormula(u"");  // the comment stays
    ASSERT_TRUE(cell.comment());
    EXPECT_EQ(cell.comment()->text, u"note");
    EXPECT_FALSE(cell.hasContent());
    EXPECT_FALSE(cell.isVoid());
    cell.setFormula(u"=2");
    cell.clearComment();  // the formula stays
    EXPECT_EQ(cell.formula(), u"=2");
    EXPECT_TRUE(cell.hasContent());
    engine::Cell moved = std::move(cell);
    EXPECT_EQ(moved.formula(), u"=2");
    moved = moved;  // assigning to itself keeps it
    EXPECT_EQ(moved.formula(), u"=2");
    moved.clearFormula();
    EXPECT_TRUE(moved.isVoid());
}

}  // namespace
