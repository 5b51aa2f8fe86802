#include "platform/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ploq {

namespace fs = std::filesystem;

long FileCalls::write(int fd, const void* data, std::size_t size)
{
    return ::write(fd, data, size);
}

int FileCalls::sync(int fd)
{
    return ::fsync(fd);
}

int FileCalls::rename(const char* from, const char* to)
{
    return std::rename(from, to);
}

namespace {

FileCalls systemCalls;
FileCalls* currentCalls = &systemCalls;

// As many links as the system itself follows before it calls the chain a loop.
constexpr int kMaxLinks = 40;
// Leftovers of killed saves with the same random part are this unlikely to be met so often.
constexpr int kMaxNameAttempts = 100;

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

// The file a save replaces: the path itself or, through symbolic links, the file they name.
// `mode` receives the permissions of an existing file, or stays unset for a new one.
std::error_code resolveTarget(fs::path& target, mode_t& mode, bool& exists)
{
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0) {
            exists = false;
            return errno == ENOENT ? std::error_code{} : lastError();
        }
        if (S_ISDIR(status.st_mode))
            return std::make_error_code(std::errc::is_a_directory);
        if (S_ISREG(status.st_mode)) {
            exists = true;
            mode = status.st_mode & 07777;
            return {};
        }
        if (!S_ISLNK(status.st_mode))
            return std::make_error_code(std::errc::invalid_argument);
        std::error_code error;
        const fs::path named = fs::read_symlink(target, error);
        if (error)
            return error;
        target = named.is_absolute() ? named : target.parent_path() / named;
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

std::string folderOf(const fs::path& target)
{
    const fs::path folder = target.parent_path();
    return folder.empty() ? "." : folder.string();
}

// A new file with a short random name in `folder`, created here and nowhere else.
int createTemporary(const std::string& folder, std::string& name, std::error_code& error)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        name = folder + "/.ploq-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[letter(random)];
        name += ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            error = lastError();
            return -1;
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return -1;
}

std::error_code writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const long written = currentCalls->write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return lastError();
        if (written == 0)
            return std::make_error_code(std::errc::no_space_on_device);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// Writes the temporary whole and syncs it; closes it in every case.
std::error_code fillTemporary(int fd, std::string_view bytes, bool keepMode, mode_t mode)
{
    std::error_code error = writeAll(fd, bytes);
    // Best effort: a file system without permissions should not make every save fail.
    if (!error && keepMode)
        (void)::fchmod(fd, mode);
    if (!error && currentCalls->sync(fd) != 0)
        error = lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    return error;
}

// Makes the rename in `folder` last. File systems that cannot sync a folder say so with EINVAL;
// there is nothing more to do on them.
std::error_code syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::error_code error;
    if (currentCalls->sync(fd) != 0 && errno != EINVAL)
        error = lastError();
    ::close(fd);
    return error;
}

} // namespace

ScopedFileCalls::ScopedFileCalls(FileCalls& calls) : previous_(currentCalls)
{
    currentCalls = &calls;
}

ScopedFileCalls::~ScopedFileCalls()
{
    currentCalls = previous_;
}

bool ReplaceFile(const std::string& path, std::string_view bytes)
{
    std::error_code ignored;
    return ReplaceFile(path, bytes, ignored);
}

bool ReplaceFile(const std::string& path, std::string_view bytes, std::error_code& error)
{
    fs::path target = path;
    mode_t mode = 0;
    bool exists = false;
    error = resolveTarget(target, mode, exists);
    if (error)
        return false;
    const std::string folder = folderOf(target);
    std::string temporary;
    const int fd = createTemporary(folder, temporary, error);
    if (fd < 0)
        return false;
    error = fillTemporary(fd, bytes, exists, mode);
    if (!error && currentCalls->rename(temporary.c_str(), target.c_str()) != 0)
        error = lastError();
    if (error) {
        ::unlink(temporary.c_str());
        return false;
    }
    error = syncFolder(folder);
    return !error;
}

} // namespace ploq
