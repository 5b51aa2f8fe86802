#pragma once

// Symbol batch records written out by hand from the file format, to compare saved files with
// byte for byte: the code's length, ten code bytes, the signed symbol, the colour.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ploq::test {

inline std::string BatchRecord(const std::string& code, int symbol, int colour)
{
    std::string bytes(13, '\0');
    bytes[0] = static_cast<char>(code.size());
    code.copy(bytes.data() + 1, code.size());
    bytes[11] = static_cast<char>(static_cast<signed char>(symbol));
    bytes[12] = static_cast<char>(colour);
    return bytes;
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace ploq::test
