#pragma once

// Replacing a file so that it holds either its old contents or the new ones, never a part:
// the bytes go to a new file beside it, synced to the disk and renamed over it once they are
// all written, and the folder is synced so that the rename lasts too.

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace ploq {

// False when the new contents could not be written or put in place; the file is then as it
// was, and no new file is left beside it. Through symbolic links, the file they name is
// replaced (or created, when its folder exists) and the links are kept. A file's permissions
// are kept. The only failure that cannot keep the old contents is a failed sync of the folder
// after the rename: the file then holds the new contents whole, and the save is still reported
// as failed since it may not last.
bool ReplaceFile(const std::string& path, std::string_view bytes);
// The same, with the reason of a failure.
bool ReplaceFile(const std::string& path, std::string_view bytes, std::error_code& error);

// The system calls through which every save writes, syncs and renames. The calls of the system
// serve unless a test puts others in place (ScopedFileCalls) to make a save fail at a chosen
// step. Each returns what the system call returns and sets errno the same way.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual long write(int fd, const void* data, std::size_t size);
    virtual int sync(int fd);
    virtual int rename(const char* from, const char* to);
};

// Saves go through `calls` while this lives.
class ScopedFileCalls {
public:
    explicit ScopedFileCalls(FileCalls& calls);
    ~ScopedFileCalls();
    ScopedFileCalls(const ScopedFileCalls&) = delete;
    ScopedFileCalls& operator=(const ScopedFileCalls&) = delete;

private:
    FileCalls* previous_;
};

} // namespace ploq
