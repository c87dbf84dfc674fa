#include <httplib.h>

#include "shell/language_list_download.h"

namespace shell {

namespace {

// "http://host:port/path" as the origin the client connects to and the path it asks for.
std::pair<std::string, std::string> splitAddress(const std::string& address) {
    std::size_t scheme = address.find("://");
    std::size_t pathStart = address.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (pathStart == std::string::npos) return {address, "/"};
    return {address.substr(0, pathStart), address.substr(pathStart)};
}

}  // namespace

std::optional<std::string> httpGet(const std::string& address) {
    auto [origin, path] = splitAddress(address);
    try {
        httplib::Client client(origin);
        if (!client.is_valid()) return std::nullopt;
        client.set_connection_timeout(10);
        client.set_read_timeout(30);
        client.set_follow_location(true);
        httplib::Result result = client.Get(path.c_str());
        if (!result || result->status != 200) return std::nullopt;
        return result->body;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace shell
