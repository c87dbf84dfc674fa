#pragma once
// The embedded host opens and saves real files through the file layer: Workbooks.Open reads
// a file into an engine book, which the application wraps; Save and Close write it back.
#include "host/embedded/embedded_application.h"

namespace session {

// Registers files::openForHost and files::saveForHost as the application's opener and saver.
void registerFileHandlers(host::embedded::EmbeddedApplication& app);

}  // namespace session
