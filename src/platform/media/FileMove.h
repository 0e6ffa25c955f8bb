#pragma once
// Moving and copying recordings without ever leaving a half-written file under
// the target's name: a copy goes to a new file beside the target and is renamed
// over it only once it is complete and on the disk.

#include <functional>
#include <string>

namespace media {

// Writes everything the open file holds, from its start, as the new content of
// path. An empty string on success, else the reason; on failure a file at path
// stays as it was.
std::string copyFileContentTo(int fromFd, const std::string& path);

// Gives the file from the name to: a rename on one file system, else a copy as
// above followed by removing from. An empty string on success, else the reason;
// on failure both files stay as they were.
std::string moveFileReplacing(const std::string& from, const std::string& to);

// Tests put a failing write (a full disk) in place of the one copies use; an
// empty function restores the system's. Same contract as write(2).
using CopyWrite = std::function<long(int fd, const void* data, unsigned long size)>;
void setCopyWriteForTesting(CopyWrite write);

}  // namespace media
