#include "platform/SafeFile.h"

#include <cstdio>
#include <filesystem>

namespace ploq {

namespace fs = std::filesystem;

namespace {

// A new file next to the target, created here and nowhere else.
std::FILE* createSibling(const fs::path& target, fs::path& created)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target;
        created += ".~" + std::to_string(attempt) + ".tmp";
        if (std::FILE* file = std::fopen(created.c_str(), "wbx"))
            return file;
    }
    return nullptr;
}

} // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes)
{
    std::error_code ignored;
    fs::path target = path;
    std::error_code unresolved;
    if (fs::is_symlink(target, ignored)) {
        fs::path resolved = fs::canonical(target, unresolved);
        if (!unresolved)
            target = std::move(resolved);
    }
    fs::path temporary;
    std::FILE* file = createSibling(target, temporary);
    if (file == nullptr)
        return false;
    bool good = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    good = std::fflush(file) == 0 && good;
    good = std::fclose(file) == 0 && good;
    if (good && fs::exists(target, ignored))
        fs::permissions(temporary, fs::status(target, ignored).permissions(), ignored);
    std::error_code renameError;
    if (good)
        fs::rename(temporary, target, renameError);
    if (!good || renameError) {
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace ploq
