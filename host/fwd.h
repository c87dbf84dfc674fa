#pragma once
// Handles of the host object model. Objects are reference counted, as COM objects are.
#include <memory>

namespace host {

class Application;
class Workbook;
class Workbooks;
class Worksheet;
class Sheets;
class Range;
class Areas;
class Interior;
class Validation;
class Comment;
class Comments;
class Shape;
class Shapes;
class DrawingCollection;
class WorksheetFunction;
class AutoCorrect;

using ApplicationPtr = std::shared_ptr<Application>;
using WorkbookPtr = std::shared_ptr<Workbook>;
using WorkbooksPtr = std::shared_ptr<Workbooks>;
using WorksheetPtr = std::shared_ptr<Worksheet>;
using SheetsPtr = std::shared_ptr<Sheets>;
using RangePtr = std::shared_ptr<Range>;
using AreasPtr = std::shared_ptr<Areas>;
using InteriorPtr = std::shared_ptr<Interior>;
using ValidationPtr = std::shared_ptr<Validation>;
using CommentPtr = std::shared_ptr<Comment>;
using CommentsPtr = std::shared_ptr<Comments>;
using ShapePtr = std::shared_ptr<Shape>;
using ShapesPtr = std::shared_ptr<Shapes>;
using DrawingCollectionPtr = std::shared_ptr<DrawingCollection>;
using WorksheetFunctionPtr = std::shared_ptr<WorksheetFunction>;
using AutoCorrectPtr = std::shared_ptr<AutoCorrect>;

}  // namespace host
