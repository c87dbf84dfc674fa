#pragma once
// Reading on a second thread: the reader (inflating and parsing) runs on a worker while this
// thread applies what it delivers to the engine, which is not thread-safe and so only ever
// touched from here. What the worker finds travels in batches through a bounded queue.
#include <functional>

#include "files/book_interfaces.h"

namespace files {

// Runs `read` with a sink whose events reach `target` on the calling thread, in order.
// Exceptions from either side end both and are rethrown here.
void readInBackground(const std::function<void(BookSink&)>& read, BookSink& target);

}  // namespace files
