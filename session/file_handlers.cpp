#include "session/file_handlers.h"

#include "files/engine_binding.h"

namespace session {

void registerFileHandlers(host::embedded::EmbeddedApplication& app) {
    app.setOpener(files::openForHost);
    app.setSaver(files::saveForHost);
}

}  // namespace session
