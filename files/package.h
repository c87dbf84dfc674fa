#pragma once
// The parts of a package we carry over: their bytes, content types and relationships. Parts
// the engine models are regenerated on save; every other part is written back as it was read.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/content_types.h"
#include "files/relationships.h"

namespace files {

class Package {
public:
    ContentTypes types;

    bool has(std::string_view part) const { return parts_.count(std::string(part)) > 0; }
    const std::string* find(std::string_view part) const;
    void put(const std::string& part, std::string bytes);
    void remove(const std::string& part);
    // Moves a part's bytes out (for writing them once, without a copy).
    std::string take(const std::string& part);
    // Names in the order they were added (archive order for a read package).
    const std::vector<std::string>& order() const { return order_; }

    // The relationships of a part (empty when it has none).
    Relationships relsOf(std::string_view part) const;
    void setRels(std::string_view part, const Relationships& rels);

    // A fresh part name "prefix N suffix" not yet used, N counting from 1.
    std::string freshName(std::string_view prefix, std::string_view suffix) const;
    // Package parts that no relationship chain from the root reaches (names compare
    // ignoring case, as package part names do).
    std::vector<std::string> unreachable() const;

private:
    std::map<std::string, std::string> parts_;
    std::vector<std::string> order_;
};

// Finds an archive entry by part name, ignoring case as package part names do.
std::optional<std::string> findEntry(const std::vector<std::string>& entries, std::string_view part);

}  // namespace files
