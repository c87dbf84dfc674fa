#include "forms/web_browser.h"

namespace forms {

void WebBrowser::Navigate2(const std::u16string& url) {
    location_ = url;
    navigations_.push_back(url);
}

}  // namespace forms
