#pragma once

// The system calls of saves, made to fail at a chosen step: the write after a number of bytes
// (the bytes before it reach the file, as on a disk that fills up), the sync of the new file,
// the rename, or the sync of the folder. Every call is recorded in order.

#include "platform/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <limits>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace ploq::test {

class FaultyFileCalls : public FileCalls {
public:
    enum class Step { Write, SyncFile, Rename, SyncFolder };

    // The first `bytes` bytes are written, then every write fails with `error`.
    void failWriteAfter(std::size_t bytes, int error)
    {
        writeBudget_ = bytes;
        error_ = error;
    }
    void failAt(Step step, int error)
    {
        failing_ = step;
        error_ = error;
    }
    // Whether the fault was met: a save that never reached it was not tested by it.
    bool tripped() const { return tripped_; }
    std::size_t bytesWritten() const { return written_; }
    const std::vector<Step>& steps() const { return steps_; }

    long write(int fd, const void* data, std::size_t size) override
    {
        steps_.push_back(Step::Write);
        const std::size_t left = writeBudget_ - std::min(writeBudget_, written_);
        if (left == 0 && size > 0)
            return fail();
        const long done = FileCalls::write(fd, data, std::min(size, left));
        if (done > 0)
            written_ += static_cast<std::size_t>(done);
        return done;
    }
    int sync(int fd) override
    {
        struct stat status {};
        const bool folder = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
        const Step step = folder ? Step::SyncFolder : Step::SyncFile;
        steps_.push_back(step);
        return step == failing_ ? static_cast<int>(fail()) : FileCalls::sync(fd);
    }
    int rename(const char* from, const char* to) override
    {
        steps_.push_back(Step::Rename);
        return failing_ == Step::Rename ? static_cast<int>(fail()) : FileCalls::rename(from, to);
    }

private:
    long fail()
    {
        tripped_ = true;
        errno = error_;
        return -1;
    }

    std::size_t writeBudget_ = std::numeric_limits<std::size_t>::max();
    std::size_t written_ = 0;
    Step failing_ = Step::Write; // a write fails only through its budget
    int error_ = EIO;
    bool tripped_ = false;
    std::vector<Step> steps_;
};

} // namespace ploq::test
