#pragma once
// The language list button: downloads the list of languages and keeps it as "LNG2.txt" in
// the add-in folder. The add-in does not read the file back.
#include <optional>
#include <string>

#include "host/ribbon.h"

namespace shell {

// Downloads the list; when the answer has text, saves it and shows "List is Updated" in the
// message window. No network, a server error or an empty answer change nothing and show
// nothing.
void btnUpdateLanguageList_Click(const host::IRibbonControl& control);

// The address the list is fetched from (http or https); settable for tests.
std::string languageListAddress();
void setLanguageListAddress(std::string address);  // empty: the product's own address

// The body of a successful GET (status 200), or nothing.
std::optional<std::string> httpGet(const std::string& address);

}  // namespace shell
