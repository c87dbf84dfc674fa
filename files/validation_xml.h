#pragma once
// Data validation rules as a worksheet part writes them (<dataValidation>), and back.
#include <string>
#include <string_view>
#include <vector>

#include "files/book_interfaces.h"
#include "files/xml_parser.h"

namespace files {

// A rule from a <dataValidation> start tag (its formulas come later, from its children).
ValidationRule validationFromAttributes(const XmlAttributes& attributes);
// A formula element's text as the rule holds it: "=..." for expressions, a list's items bare.
std::u16string validationFormulaFromXml(std::u16string_view xml, int type);
// The <dataValidations> element for these rules ("" when there are none).
std::string validationsToXml(const std::vector<ValidationRule>& rules, const std::string& prefix);

}  // namespace files
