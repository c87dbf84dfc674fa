#pragma once
// Python's zipfile reading back an archive we wrote: another reader than our own.
#include <string>

namespace files::test {

// "<first bad entry's name or None> [<each entry's compression method>, ...]\n"; empty when
// /usr/bin/python3 could not tell.
std::string zipfileCheck(const std::string& archive);

}  // namespace files::test
