#pragma once
// While the embedded host still holds the engine's sheets and books, its code and the command
// line name the engine's types as its own.
namespace engine {}

namespace host::embedded {
using namespace engine;
}  // namespace host::embedded
