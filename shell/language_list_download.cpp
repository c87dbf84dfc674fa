#include "shell/language_list_download.h"

#include <fstream>

#include "host/text.h"
#include "shell/addin_folder.h"
#include "shell/frm_alert.h"
#include "shell/language_state.h"
#include "shell/product_info.h"
#include "shell/resume_next.h"

namespace shell {

namespace {

std::string chosenAddress;

// Unicode text as the host's text files write it: UTF-16LE with a byte-order mark, and
// WriteLine's CR LF after the text.
bool saveUnicodeLine(const std::filesystem::path& file, const std::u16string& text) {
    std::u16string content = u"\uFEFF" + text + u"\r\n";
    std::string bytes;
    bytes.reserve(content.size() * 2);
    for (char16_t c : content) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

std::string languageListAddress() {
    return chosenAddress.empty() ? std::string(languageListAddressDefault) : chosenAddress;
}

void setLanguageListAddress(std::string address) { chosenAddress = std::move(address); }

void btnUpdateLanguageList_Click(const host::IRibbonControl&) {
    std::optional<std::string> body = httpGet(languageListAddress());
    if (!body || body->empty()) return;
    std::u16string text = host::utf16(*body);
    // A list that could not be saved has not been updated: say nothing rather than the opposite.
    if (!saveUnicodeLine(addinFolder() / "LNG2.txt", text)) return;
    FrmAlert& alert = frmAlert();
    resumeNext([&] {
        if (labelRow.size() <= 4) throw host::Error(host::errSubscript, "Subscript out of range");
        alert.lblMessageHeading.setCaption(labelRow[4]);
    });
    alert.lblMessage.setCaption(msgListUpdated);
    alert.Show();
}

}  // namespace shell
