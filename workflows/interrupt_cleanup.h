#pragma once

#include <string>

namespace lumivane {

// A program that writes files calls this once at start: on SIGINT, SIGTERM,
// SIGHUP or SIGXFSZ (a file size limit reached) it then removes the temporary
// file it is writing, if any, and exits with 128 plus the signal's number
// (130, 143, 129, 153). A signal the program was started ignoring (nohup)
// stays ignored.
void RemoveTemporaryOnInterrupt();

// The file writer names the temporary file it is about to create, and says
// when it is gone (renamed or removed). One at a time; a path too long to
// keep is not kept.
void MarkPendingTemporary(const std::string& path);
void ClearPendingTemporary();

}  // namespace lumivane
