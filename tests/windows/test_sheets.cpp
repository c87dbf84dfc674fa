#include "tests/windows/test_sheets.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <type_traits>

namespace cwtest {

namespace {

constexpr long maxRows = 1048576, maxColumns = 16384;

enum class Items { Cells, Rows, Columns };

using Args = std::vector<VARIANT*>;

HRESULT answer(VARIANT* result, IDispatch* object) {
    if (!result) {
        if (object) object->Release();
        return S_OK;
    }
    VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = object;  // handed over with its one reference
    return S_OK;
}

HRESULT answerText(VARIANT* result, const std::wstring& text) {
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}

HRESULT answerNumber(VARIANT* result, double value) {
    if (!result) return S_OK;
    VariantInit(result);
    result->vt = VT_R8;
    result->dblVal = value;
    return S_OK;
}

bool numberOf(VARIANT* v, long& out) {
    VARIANT n;
    VariantInit(&n);
    if (!v || FAILED(VariantChangeType(&n, v, 0, VT_I4))) return false;
    out = n.lVal;
    return true;
}

bool textOf(VARIANT* v, std::wstring& out) {
    VARIANT t;
    VariantInit(&t);
    if (!v || FAILED(VariantChangeType(&t, v, 0, VT_BSTR))) return false;
    out.assign(t.bstrVal, SysStringLen(t.bstrVal));
    VariantClear(&t);
    return true;
}

class RangeObject;

// "A1", "B2:C5", "$A$1" → a rectangle; false when the text is no such address.
bool parseAddress(const std::wstring& text, long& top, long& left, long& bottom, long& right) {
    auto cell = [](const std::wstring& part, long& row, long& column) {
        size_t i = 0;
        column = 0;
        row = 0;
        if (i < part.size() && part[i] == L'$') ++i;
        while (i < part.size() && std::iswalpha(part[i])) column = column * 26 + (std::towupper(part[i++]) - L'A' + 1);
        if (i < part.size() && part[i] == L'$') ++i;
        while (i < part.size() && std::iswdigit(part[i])) row = row * 10 + (part[i++] - L'0');
        return i == part.size() && row > 0 && column > 0;
    };
    const size_t colon = text.find(L':');
    if (!cell(text.substr(0, colon), top, left)) return false;
    if (colon == std::wstring::npos) {
        bottom = top;
        right = left;
        return true;
    }
    return cell(text.substr(colon + 1), bottom, right);
}

TestObject* makeSheet(const std::shared_ptr<BookData>& book, const std::shared_ptr<SheetData>& sheet);
TestObject* makeRange(const std::shared_ptr<BookData>& book, const std::shared_ptr<SheetData>& sheet, long top,
                      long left, long bottom, long right, Items items = Items::Cells);

class RangeObject : public TestObject {
public:
    std::shared_ptr<SheetData> sheet;
    long top = 1, left = 1, bottom = 1, right = 1;
};

RangeObject* rangeArgument(VARIANT* v) {
    if (!v || v->vt != VT_DISPATCH || !v->pdispVal) return nullptr;
    return dynamic_cast<RangeObject*>(static_cast<TestObject*>(v->pdispVal));
}

std::wstring cellAddress(long row, long column) { return L"$" + columnName(column) + L"$" + std::to_wstring(row); }

TestObject* makeRange(const std::shared_ptr<BookData>& book, const std::shared_ptr<SheetData>& sheet, long top,
                      long left, long bottom, long right, Items items) {
    auto* range = new RangeObject();
    range->sheet = sheet;
    range->top = top, range->left = left, range->bottom = bottom, range->right = right;
    const long height = bottom - top + 1, width = right - left + 1;
    range->define(L"Value", [=](WORD flags, Args& args, VARIANT* result) -> HRESULT {
        if (flags & DISPATCH_PROPERTYPUT) {
            std::wstring text;
            if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
            const bool empty = args[0]->vt == VT_EMPTY;
            if (!empty && !textOf(args[0], text)) return DISP_E_TYPEMISMATCH;
            for (long r = top; r <= bottom; ++r)
                for (long c = left; c <= right; ++c)
                    if (empty || text.empty())
                        sheet->cells.erase({r, c});
                    else
                        sheet->cells[{r, c}] = text;
            return S_OK;
        }
        const auto found = sheet->cells.find({top, left});
        if (found == sheet->cells.end()) {
            if (result) VariantInit(result);
            return S_OK;
        }
        return answerText(result, found->second);
    });
    range->define(L"Count", [=](WORD, Args&, VARIANT* result) {
        const double count = items == Items::Rows      ? height
                             : items == Items::Columns ? width
                                                       : static_cast<double>(height) * width;
        return answerNumber(result, count);
    });
    range->define(L"Cells", [=](WORD, Args& args, VARIANT* result) {
        if (args.empty()) return answer(result, makeRange(book, sheet, top, left, bottom, right));
        long r = 0, c = 0;
        if (args.size() != 2 || !numberOf(args[0], r) || !numberOf(args[1], c)) return DISP_E_TYPEMISMATCH;
        return answer(result, makeRange(book, sheet, top + r - 1, left + c - 1, top + r - 1, left + c - 1));
    });
    range->define(L"Item", [=](WORD, Args& args, VARIANT* result) {
        long i = 0;
        if (args.size() != 1 || !numberOf(args[0], i) || i < 1) return DISP_E_BADINDEX;
        if (items == Items::Rows) return answer(result, makeRange(book, sheet, top + i - 1, left, top + i - 1, right));
        if (items == Items::Columns)
            return answer(result, makeRange(book, sheet, top, left + i - 1, bottom, left + i - 1));
        const long r = top + (i - 1) / width, c = left + (i - 1) % width;
        return answer(result, makeRange(book, sheet, r, c, r, c));
    });
    range->define(L"Rows", [=](WORD, Args&, VARIANT* result) {
        return answer(result, makeRange(book, sheet, top, left, bottom, right, Items::Rows));
    });
    range->define(L"Columns", [=](WORD, Args&, VARIANT* result) {
        return answer(result, makeRange(book, sheet, top, left, bottom, right, Items::Columns));
    });
    range->define(L"Areas", [=](WORD, Args&, VARIANT* result) {
        auto* areas = new TestObject();
        VARIANT one;
        VariantInit(&one);
        one.vt = VT_I4;
        one.lVal = 1;
        areas->property(L"Count", one, false);
        areas->define(L"Item", [=](WORD, Args& a, VARIANT* r) {
            long i = 0;
            if (a.size() != 1 || !numberOf(a[0], i) || i != 1) return DISP_E_BADINDEX;
            return answer(r, makeRange(book, sheet, top, left, bottom, right));
        });
        return answer(result, areas);
    });
    range->define(L"Address", [=](WORD, Args&, VARIANT* result) {
        std::wstring text = cellAddress(top, left);
        if (bottom != top || right != left) text += L":" + cellAddress(bottom, right);
        return answerText(result, text);
    });
    range->define(L"Row", [=](WORD, Args&, VARIANT* result) { return answerNumber(result, top); });
    range->define(L"Column", [=](WORD, Args&, VARIANT* result) { return answerNumber(result, left); });
    range->define(L"Select", [=](WORD, Args&, VARIANT*) {
        book->active = sheet;
        sheet->top = top, sheet->left = left, sheet->bottom = bottom, sheet->right = right;
        return S_OK;
    });
    range->define(L"Worksheet", [=](WORD, Args&, VARIANT* result) { return answer(result, makeSheet(book, sheet)); });
    range->define(L"Activate", [=](WORD, Args&, VARIANT*) {
        book->active = sheet;
        return S_OK;
    });
    range->define(L"Validation", [=](WORD, Args&, VARIANT* result) {
        std::wstring key = cellAddress(top, left);
        if (bottom != top || right != left) key += L":" + cellAddress(bottom, right);
        auto* validation = new TestObject();
        validation->define(L"Delete", [=](WORD, Args&, VARIANT*) {
            sheet->rules.erase(key);
            return S_OK;
        });
        // Add(Type, AlertStyle, Operator, Formula1, Formula2)
        validation->define(L"Add", [=](WORD, Args& a, VARIANT*) -> HRESULT {
            if (sheet->rules.count(key)) return DISP_E_EXCEPTION;  // the host refuses a second rule
            ValidationRule rule;
            auto given = [&](size_t i) { return a.size() > i && a[i]->vt != VT_ERROR; };
            if (!given(0) || !numberOf(a[0], rule.type)) return DISP_E_PARAMNOTOPTIONAL;
            if (given(1)) numberOf(a[1], rule.alertStyle);
            if (given(2)) numberOf(a[2], rule.op);
            if (given(3)) textOf(a[3], rule.formula1);
            if (given(4)) textOf(a[4], rule.formula2);
            sheet->rules[key] = rule;
            return S_OK;
        });
        auto field = [=](const wchar_t* name, auto member, VARTYPE type) {
            validation->define(name, [=](WORD flags, Args& a, VARIANT* out) -> HRESULT {
                const auto found = sheet->rules.find(key);
                if (found == sheet->rules.end()) return DISP_E_EXCEPTION;  // no rule: the host fails (1004)
                auto& value = found->second.*member;
                VARIANT v;
                VariantInit(&v);
                if (flags & DISPATCH_PROPERTYPUT) {
                    if (a.size() != 1 || FAILED(VariantChangeType(&v, a[0], 0, type))) return DISP_E_TYPEMISMATCH;
                    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::wstring>)
                        value.assign(v.bstrVal, SysStringLen(v.bstrVal));
                    else if constexpr (std::is_same_v<std::decay_t<decltype(value)>, bool>)
                        value = v.boolVal != VARIANT_FALSE;
                    else
                        value = v.lVal;
                    VariantClear(&v);
                    return S_OK;
                }
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::wstring>)
                    return answerText(out, value);
                else
                    return answerNumber(out, static_cast<double>(value));
            });
        };
        field(L"Type", &ValidationRule::type, VT_I4);
        field(L"AlertStyle", &ValidationRule::alertStyle, VT_I4);
        field(L"Operator", &ValidationRule::op, VT_I4);
        field(L"Formula1", &ValidationRule::formula1, VT_BSTR);
        field(L"Formula2", &ValidationRule::formula2, VT_BSTR);
        field(L"IgnoreBlank", &ValidationRule::ignoreBlank, VT_BOOL);
        field(L"InCellDropdown", &ValidationRule::inCellDropdown, VT_BOOL);
        field(L"ShowInput", &ValidationRule::showInput, VT_BOOL);
        field(L"ShowError", &ValidationRule::showError, VT_BOOL);
        field(L"InputTitle", &ValidationRule::inputTitle, VT_BSTR);
        field(L"ErrorTitle", &ValidationRule::errorTitle, VT_BSTR);
        field(L"InputMessage", &ValidationRule::inputMessage, VT_BSTR);
        field(L"ErrorMessage", &ValidationRule::errorMessage, VT_BSTR);
        return answer(result, validation);
    });
    range->define(L"ClearComments", [=](WORD, Args&, VARIANT*) {
        std::erase_if(sheet->comments, [&](const auto& c) {
            return c.first.first >= top && c.first.first <= bottom && c.first.second >= left && c.first.second <= right;
        });
        return S_OK;
    });
    // SpecialCells(xlCellTypeComments): the cells of the range with a comment; the host fails (1004)
    // when there are none. The test host's ranges have one area, so the cells must fill a rectangle;
    // other cell types are not kept here.
    range->define(L"SpecialCells", [=](WORD, Args& args, VARIANT* result) -> HRESULT {
        long type = 0;
        if (args.empty() || !numberOf(args[0], type)) return DISP_E_TYPEMISMATCH;
        if (type != -4144) return E_NOTIMPL;
        long t = maxRows + 1, l = maxColumns + 1, b = 0, r = 0, n = 0;
        for (const auto& [at, text] : sheet->comments)
            if (at.first >= top && at.first <= bottom && at.second >= left && at.second <= right) {
                t = std::min(t, at.first), b = std::max(b, at.first);
                l = std::min(l, at.second), r = std::max(r, at.second);
                ++n;
            }
        if (n == 0) return DISP_E_EXCEPTION;
        if (n != (b - t + 1) * (r - l + 1)) return E_NOTIMPL;
        return answer(result, makeRange(book, sheet, t, l, b, r));
    });
    range->define(L"Interior", [=](WORD, Args&, VARIANT* result) {
        auto* interior = new TestObject();
        interior->define(L"ColorIndex", [=](WORD flags, Args& args, VARIANT* out) -> HRESULT {
            if (flags & DISPATCH_PROPERTYPUT) {
                long index = 0;
                if (args.size() != 1 || !numberOf(args[0], index)) return DISP_E_TYPEMISMATCH;
                for (long r = top; r <= bottom; ++r)
                    for (long c = left; c <= right; ++c)
                        if (index == -4142)  // xlColorIndexNone
                            sheet->fills.erase({r, c});
                        else
                            sheet->fills[{r, c}] = index;
                return S_OK;
            }
            const auto found = sheet->fills.find({top, left});
            return answerNumber(out, found == sheet->fills.end() ? -4142 : found->second);
        });
        return answer(result, interior);
    });
    return range;
}

// A shape reached by its name, as the host's Shape stays the same object while others go.
TestObject* makeShape(const std::shared_ptr<SheetData>& sheet, const std::wstring& name) {
    auto* shape = new TestObject();
    auto find = [sheet, name]() -> ShapeData* {
        for (auto& s : sheet->shapes)
            if (s.name == name) return &s;
        return nullptr;
    };
    shape->define(L"Type", [=](WORD, Args&, VARIANT* result) -> HRESULT {
        const ShapeData* s = find();
        return s ? answerNumber(result, s->type) : DISP_E_EXCEPTION;
    });
    shape->define(L"Name", [=](WORD, Args&, VARIANT* result) { return answerText(result, name); });
    // TextFrame.Characters.Text: only autoshapes and text boxes have a text frame.
    shape->define(L"TextFrame", [=](WORD, Args&, VARIANT* result) -> HRESULT {
        const ShapeData* s = find();
        if (!s || (s->type != 1 && s->type != 17)) return DISP_E_EXCEPTION;
        auto* frame = new TestObject();
        frame->define(L"Characters", [=](WORD, Args&, VARIANT* r) {
            auto* characters = new TestObject();
            characters->define(L"Text", [=](WORD, Args&, VARIANT* out) -> HRESULT {
                const ShapeData* now = find();
                return now ? answerText(out, now->text) : DISP_E_EXCEPTION;
            });
            return answer(r, characters);
        });
        return answer(result, frame);
    });
    shape->define(L"Delete", [=](WORD, Args&, VARIANT*) -> HRESULT {
        if (!find()) return DISP_E_EXCEPTION;
        std::erase_if(sheet->shapes, [&](const ShapeData& s) { return s.name == name; });
        return S_OK;
    });
    return shape;
}

// DrawingObjects (every shape), Pictures (msoPicture), ChartObjects (msoChart): Count and Delete.
TestObject* makeDrawings(const std::shared_ptr<SheetData>& sheet, long type) {
    auto* drawings = new TestObject();
    auto wanted = [type](const ShapeData& s) { return type == 0 || s.type == type; };
    drawings->define(L"Count", [=](WORD, Args&, VARIANT* result) {
        return answerNumber(result,
                            static_cast<double>(std::count_if(sheet->shapes.begin(), sheet->shapes.end(), wanted)));
    });
    drawings->define(L"Delete", [=](WORD, Args&, VARIANT*) {
        std::erase_if(sheet->shapes, wanted);
        return S_OK;
    });
    return drawings;
}

// A comment, reached by its cell.
TestObject* makeComment(const std::shared_ptr<BookData>& book, const std::shared_ptr<SheetData>& sheet, long row,
                        long column) {
    auto* comment = new TestObject();
    comment->define(L"Text", [=](WORD, Args&, VARIANT* result) -> HRESULT {
        const auto found = sheet->comments.find({row, column});
        return found == sheet->comments.end() ? DISP_E_EXCEPTION : answerText(result, found->second);
    });
    comment->define(L"Author", [=](WORD, Args&, VARIANT* result) { return answerText(result, L"Test Host"); });
    comment->define(L"Parent", [=](WORD, Args&, VARIANT* result) {
        return answer(result, makeRange(book, sheet, row, column, row, column));
    });
    comment->define(L"Delete", [=](WORD, Args&, VARIANT*) {
        sheet->comments.erase({row, column});
        return S_OK;
    });
    return comment;
}

long indexOf(const BookData& book, const std::shared_ptr<SheetData>& sheet) {
    for (size_t i = 0; i < book.sheets.size(); ++i)
        if (book.sheets[i] == sheet) return static_cast<long>(i) + 1;
    return 0;
}

TestObject* makeSheet(const std::shared_ptr<BookData>& book, const std::shared_ptr<SheetData>& sheet) {
    auto* object = new TestObject();
    object->define(L"Name", [=](WORD flags, Args& args, VARIANT* result) -> HRESULT {
        if (flags & DISPATCH_PROPERTYPUT) {
            std::wstring name;
            if (args.size() != 1 || !textOf(args[0], name) || name.empty()) return DISP_E_TYPEMISMATCH;
            if (const auto other = book->sheet(name); other && other != sheet) return DISP_E_EXCEPTION;
            sheet->name = name;
            return S_OK;
        }
        return answerText(result, sheet->name);
    });
    object->define(L"Visible", [=](WORD flags, Args& args, VARIANT* result) -> HRESULT {
        if (flags & DISPATCH_PROPERTYPUT) {
            long visible = 0;
            if (args.size() != 1 || !numberOf(args[0], visible)) return DISP_E_TYPEMISMATCH;
            sheet->visible = visible;
            return S_OK;
        }
        return answerNumber(result, sheet->visible);
    });
    object->define(L"Index", [=](WORD, Args&, VARIANT* result) { return answerNumber(result, indexOf(*book, sheet)); });
    object->define(L"Type", [=](WORD, Args&, VARIANT* result) { return answerNumber(result, -4167); });
    for (const wchar_t* name : {L"Activate", L"Select"})
        object->define(name, [=](WORD, Args&, VARIANT*) {
            book->active = sheet;
            return S_OK;
        });
    // Copy(Before): the copy is named "Name (2)" (or the next free number), placed before
    // `Before` and made active.
    object->define(L"Copy", [=](WORD, Args& args, VARIANT*) {
        auto copy = std::make_shared<SheetData>(*sheet);
        for (int n = 2;; ++n) {
            copy->name = sheet->name + L" (" + std::to_wstring(n) + L")";
            if (!book->sheet(copy->name)) break;
        }
        copy->visible = -1;
        long at = static_cast<long>(book->sheets.size());
        if (!args.empty() && args[0]->vt == VT_DISPATCH && args[0]->pdispVal) {
            VARIANT index;
            VariantInit(&index);
            DISPID id = DISPID_UNKNOWN;
            std::wstring member = L"Index";
            LPOLESTR names[] = {member.data()};
            DISPPARAMS none{nullptr, nullptr, 0, 0};
            if (SUCCEEDED(args[0]->pdispVal->GetIDsOfNames(IID_NULL, names, 1, 0, &id)) &&
                SUCCEEDED(args[0]->pdispVal->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &index, nullptr,
                                                    nullptr))) {
                long i = 0;
                if (numberOf(&index, i)) at = i - 1;
            }
        }
        book->sheets.insert(book->sheets.begin() + at, copy);
        book->active = copy;
        return S_OK;
    });
    object->define(L"Delete", [=](WORD, Args&, VARIANT*) {
        book->sheets.erase(std::remove(book->sheets.begin(), book->sheets.end(), sheet), book->sheets.end());
        if (book->active == sheet && !book->sheets.empty()) book->active = book->sheets.front();
        return S_OK;
    });
    object->define(L"Cells", [=](WORD, Args& args, VARIANT* result) {
        if (args.empty()) return answer(result, makeRange(book, sheet, 1, 1, maxRows, maxColumns));
        long r = 0, c = 0;
        if (args.size() != 2 || !numberOf(args[0], r) || !numberOf(args[1], c)) return DISP_E_TYPEMISMATCH;
        return answer(result, makeRange(book, sheet, r, c, r, c));
    });
    object->define(L"Range", [=](WORD, Args& args, VARIANT* result) {
        std::wstring address;
        long top = 0, left = 0, bottom = 0, right = 0;
        if (args.size() != 1 || !textOf(args[0], address) || !parseAddress(address, top, left, bottom, right))
            return DISP_E_EXCEPTION;
        return answer(result, makeRange(book, sheet, top, left, bottom, right));
    });
    object->define(L"Shapes", [=](WORD, Args&, VARIANT* result) {
        auto* shapes = new TestObject();
        shapes->define(L"Count", [=](WORD, Args&, VARIANT* r) {
            return answerNumber(r, static_cast<double>(sheet->shapes.size()));
        });
        shapes->define(L"Item", [=](WORD, Args& a, VARIANT* r) -> HRESULT {
            long i = 0;
            std::wstring name;
            if (a.size() != 1) return DISP_E_BADPARAMCOUNT;
            if (a[0]->vt == VT_BSTR && textOf(a[0], name)) {
                for (const auto& s : sheet->shapes)
                    if (s.name == name) return answer(r, makeShape(sheet, name));
                return DISP_E_BADINDEX;
            }
            if (!numberOf(a[0], i) || i < 1 || i > static_cast<long>(sheet->shapes.size())) return DISP_E_BADINDEX;
            return answer(r, makeShape(sheet, sheet->shapes[static_cast<size_t>(i - 1)].name));
        });
        return answer(result, shapes);
    });
    object->define(L"DrawingObjects", [=](WORD, Args&, VARIANT* r) { return answer(r, makeDrawings(sheet, 0)); });
    object->define(L"Pictures", [=](WORD, Args&, VARIANT* r) { return answer(r, makeDrawings(sheet, 13)); });
    object->define(L"ChartObjects", [=](WORD, Args&, VARIANT* r) { return answer(r, makeDrawings(sheet, 3)); });
    // Comments: row by row, left to right.
    object->define(L"Comments", [=](WORD, Args&, VARIANT* result) {
        auto* comments = new TestObject();
        comments->define(L"Count", [=](WORD, Args&, VARIANT* r) {
            return answerNumber(r, static_cast<double>(sheet->comments.size()));
        });
        comments->define(L"Item", [=](WORD, Args& a, VARIANT* r) -> HRESULT {
            long i = 0;
            if (a.size() != 1 || !numberOf(a[0], i) || i < 1 || i > static_cast<long>(sheet->comments.size()))
                return DISP_E_BADINDEX;
            auto at = sheet->comments.begin();
            std::advance(at, i - 1);
            return answer(r, makeComment(book, sheet, at->first.first, at->first.second));
        });
        return answer(result, comments);
    });
    object->define(L"UsedRange", [=](WORD, Args&, VARIANT* result) {
        if (sheet->cells.empty()) return answer(result, makeRange(book, sheet, 1, 1, 1, 1));
        long top = maxRows, left = maxColumns, bottom = 1, right = 1;
        for (const auto& [at, text] : sheet->cells) {
            top = std::min(top, at.first), bottom = std::max(bottom, at.first);
            left = std::min(left, at.second), right = std::max(right, at.second);
        }
        return answer(result, makeRange(book, sheet, top, left, bottom, right));
    });
    return object;
}

TestObject* makeSheets(const std::shared_ptr<BookData>& book) {
    auto* sheets = new TestObject();
    sheets->define(L"Count", [=](WORD, Args&, VARIANT* result) {
        return answerNumber(result, static_cast<double>(book->sheets.size()));
    });
    sheets->define(L"Item", [=](WORD, Args& args, VARIANT* result) {
        if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
        std::shared_ptr<SheetData> found;
        long index = 0;
        std::wstring name;
        if (args[0]->vt == VT_BSTR && textOf(args[0], name))
            found = book->sheet(name);
        else if (numberOf(args[0], index) && index >= 1 && index <= static_cast<long>(book->sheets.size()))
            found = book->sheets[static_cast<size_t>(index - 1)];
        if (!found) return DISP_E_BADINDEX;
        return answer(result, makeSheet(book, found));
    });
    return sheets;
}

std::wstring trimmed(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L' ' && (out.empty() || out.back() == L' ')) continue;
        out.push_back(c);
    }
    if (!out.empty() && out.back() == L' ') out.pop_back();
    return out;
}

}  // namespace

std::shared_ptr<SheetData> BookData::sheet(const std::wstring& name) const {
    for (const auto& s : sheets)
        if (_wcsicmp(s->name.c_str(), name.c_str()) == 0) return s;
    return nullptr;
}

std::wstring columnName(long column) {
    std::wstring name;
    for (; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<wchar_t>(L'A' + (column - 1) % 26));
    return name;
}

void addWorkbook(TestObject& application, const std::shared_ptr<BookData>& book) {
    auto workbook = [book](WORD, Args&, VARIANT* result) {
        auto* object = new TestObject();
        object->define(L"Name", [book](WORD, Args&, VARIANT* r) { return answerText(r, book->name); });
        object->define(L"FullName", [book](WORD, Args&, VARIANT* r) { return answerText(r, L"C:\\" + book->name); });
        object->define(L"ActiveSheet",
                       [book](WORD, Args&, VARIANT* r) { return answer(r, makeSheet(book, book->active)); });
        object->define(L"Sheets", [book](WORD, Args&, VARIANT* r) { return answer(r, makeSheets(book)); });
        object->define(L"Worksheets", [book](WORD, Args&, VARIANT* r) { return answer(r, makeSheets(book)); });
        return answer(result, object);
    };
    application.define(L"ActiveWorkbook", workbook);
    application.define(L"ActiveSheet",
                       [book](WORD, Args&, VARIANT* r) { return answer(r, makeSheet(book, book->active)); });
    application.define(L"Sheets", [book](WORD, Args&, VARIANT* r) { return answer(r, makeSheets(book)); });
    application.define(L"Worksheets", [book](WORD, Args&, VARIANT* r) { return answer(r, makeSheets(book)); });
    application.define(L"Selection", [book](WORD, Args&, VARIANT* r) {
        const auto& s = *book->active;
        return answer(r, makeRange(book, book->active, s.top, s.left, s.bottom, s.right));
    });
    application.define(L"ActiveCell", [book](WORD, Args&, VARIANT* r) {
        const auto& s = *book->active;
        return answer(r, makeRange(book, book->active, s.top, s.left, s.top, s.left));
    });
    application.define(L"Intersect", [book](WORD, Args& args, VARIANT* r) {
        RangeObject* a = args.size() == 2 ? rangeArgument(args[0]) : nullptr;
        RangeObject* b = args.size() == 2 ? rangeArgument(args[1]) : nullptr;
        if (!a || !b) return DISP_E_TYPEMISMATCH;
        const long top = std::max(a->top, b->top), left = std::max(a->left, b->left);
        const long bottom = std::min(a->bottom, b->bottom), right = std::min(a->right, b->right);
        if (a->sheet != b->sheet || top > bottom || left > right) return answer(r, nullptr);
        return answer(r, makeRange(book, a->sheet, top, left, bottom, right));
    });
    application.define(L"WorksheetFunction", [](WORD, Args&, VARIANT* r) {
        auto* functions = new TestObject();
        functions->define(L"CountA", [](WORD, Args& a, VARIANT* out) {
            RangeObject* range = a.size() == 1 ? rangeArgument(a[0]) : nullptr;
            if (!range) return DISP_E_TYPEMISMATCH;
            double count = 0;
            for (const auto& [at, text] : range->sheet->cells)
                if (at.first >= range->top && at.first <= range->bottom && at.second >= range->left &&
                    at.second <= range->right)
                    ++count;
            return answerNumber(out, count);
        });
        functions->define(L"Trim", [](WORD, Args& a, VARIANT* out) {
            std::wstring text;
            if (a.size() != 1 || !textOf(a[0], text)) return DISP_E_TYPEMISMATCH;
            return answerText(out, trimmed(text));
        });
        functions->define(L"Clean", [](WORD, Args& a, VARIANT* out) {
            std::wstring text, kept;
            if (a.size() != 1 || !textOf(a[0], text)) return DISP_E_TYPEMISMATCH;
            for (wchar_t c : text)
                if (c >= 32) kept.push_back(c);
            return answerText(out, kept);
        });
        return answer(r, functions);
    });
}

}  // namespace cwtest
