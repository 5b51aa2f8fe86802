#pragma once

// The bytes of a file that the system refuses to read past `good` of them: a file stream then
// throws from its buffer, as it does on a failing disk or on a folder opened as a file.

#include <cerrno>
#include <cstddef>
#include <ios>
#include <streambuf>
#include <string>
#include <system_error>

namespace ploq::test {

class FailingBuffer : public std::streambuf {
public:
    FailingBuffer(std::string bytes, std::size_t good) : bytes_(std::move(bytes)), good_(good) {}

protected:
    int_type underflow() override
    {
        if (next_ >= good_ || next_ >= bytes_.size())
            throw std::ios_base::failure("read failed",
                                         std::error_code(EIO, std::generic_category()));
        char* at = bytes_.data() + next_;
        setg(at, at, at + 1);
        ++next_;
        return traits_type::to_int_type(*at);
    }

private:
    std::string bytes_;
    std::size_t good_;
    std::size_t next_ = 0;
};

} // namespace ploq::test
