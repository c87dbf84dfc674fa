#include "host/calc/calc_workbook.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>
#include <rtl/uri.hxx>

#include "host/calc/calc_worksheet.h"

namespace host::calc {

namespace {

std::u16string fileNameOf(const OUString& url) {
    const sal_Int32 slash = url.lastIndexOf('/');
    return fromOU(rtl::Uri::decode(url.copy(slash + 1), rtl_UriDecodeWithCharset, RTL_TEXTENCODING_UTF8));
}

class CalcWorkbook : public host::Workbook {
public:
    explicit CalcWorkbook(CalcDocumentPtr doc) : doc_(std::move(doc)) {}
    const CalcDocumentPtr& document() const { return doc_; }

    std::u16string Name() const override {
        return unoCall([&] {
            const OUString url = doc_->model()->getURL();
            if (!url.isEmpty()) return fileNameOf(url);
            return fromOU(Reference<css::frame::XTitle>(doc_->model(), UNO_QUERY_THROW)->getTitle());
        });
    }
    std::u16string FullName() const override {
        return unoCall([&] {
            const OUString url = doc_->model()->getURL();
            OUString path;
            if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None)
                return Name();
            return fromOU(path);
        });
    }
    host::WorksheetPtr ActiveSheet() const override {
        return unoCall([&] { return makeWorksheet(doc_, doc_->activeSheet()); });
    }
    host::SheetsPtr Sheets() const override { return makeSheets(doc_); }
    host::SheetsPtr Worksheets() const override { return makeSheets(doc_); }
    void Activate() override {
        unoCall([&] {
            const auto controller = doc_->model()->getCurrentController();
            if (controller.is()) controller->getFrame()->activate();
        });
    }
    void Close(bool saveChanges) override {
        unoCall([&] {
            if (saveChanges) Reference<css::frame::XStorable>(doc_->model(), UNO_QUERY_THROW)->store();
            Reference<css::util::XCloseable>(doc_->model(), UNO_QUERY_THROW)->close(true);
        });
    }

private:
    CalcDocumentPtr doc_;
};

class CalcWorkbooks : public host::Workbooks {
public:
    CalcWorkbooks(Reference<css::frame::XDesktop2> desktop, DocumentLookup lookup)
        : desktop_(std::move(desktop)), lookup_(std::move(lookup)) {}

    long Count() const override { return static_cast<long>(documents().size()); }
    host::WorkbookPtr Item(long index) const override {
        const auto all = documents();
        if (index < 1 || index > static_cast<long>(all.size()))
            throw host::Error(host::errSubscript, "Subscript out of range");
        return makeWorkbook(lookup_(all[static_cast<size_t>(index - 1)]));
    }
    host::WorkbookPtr Item(const std::u16string& name) const override {
        for (const auto& model : documents()) {
            auto book = makeWorkbook(lookup_(model));
            if (book->Name() == name) return book;
        }
        throw host::Error(host::errSubscript, "Subscript out of range");
    }
    host::WorkbookPtr Open(const std::u16string& fileName) override {
        OUString url;
        if (osl::FileBase::getFileURLFromSystemPath(toOU(fileName), url) != osl::FileBase::E_None) url = toOU(fileName);
        return load(url);
    }
    host::WorkbookPtr Add() override { return load("private:factory/scalc"); }

private:
    host::WorkbookPtr load(const OUString& url) {
        try {
            Reference<css::frame::XModel> model(
                desktop_->loadComponentFromURL(url, "_blank", 0, css::uno::Sequence<css::beans::PropertyValue>()),
                UNO_QUERY);
            if (!Reference<css::sheet::XSpreadsheetDocument>(model, UNO_QUERY).is()) throw css::uno::Exception();
            return makeWorkbook(lookup_(model));
        } catch (const css::uno::Exception&) {
            throw host::Error(
                host::errApplication,
                "Calc could not open " + std::string(OUStringToOString(url, RTL_TEXTENCODING_UTF8).getStr()));
        }
    }

    std::vector<Reference<css::frame::XModel>> documents() const {
        return unoCall([&] {
            std::vector<Reference<css::frame::XModel>> found;
            const auto components = desktop_->getComponents()->createEnumeration();
            while (components->hasMoreElements()) {
                Reference<css::frame::XModel> model(components->nextElement(), UNO_QUERY);
                if (Reference<css::sheet::XSpreadsheetDocument>(model, UNO_QUERY).is()) found.push_back(model);
            }
            return found;
        });
    }

    Reference<css::frame::XDesktop2> desktop_;
    DocumentLookup lookup_;
};

}  // namespace

host::WorkbookPtr makeWorkbook(const CalcDocumentPtr& doc) { return std::make_shared<CalcWorkbook>(doc); }

host::WorkbooksPtr makeWorkbooks(Reference<css::frame::XDesktop2> desktop, DocumentLookup lookup) {
    return std::make_shared<CalcWorkbooks>(std::move(desktop), std::move(lookup));
}

CalcDocumentPtr documentOf(const host::WorkbookPtr& workbook) {
    const auto* book = dynamic_cast<const CalcWorkbook*>(workbook.get());
    return book ? book->document() : nullptr;
}

}  // namespace host::calc
