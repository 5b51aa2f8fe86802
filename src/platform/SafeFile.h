#pragma once

// Replacing a file so that it holds either its old contents or the new ones, never a part:
// the bytes go to a new file beside it, renamed over it once they are all written.

#include <string>
#include <string_view>

namespace ploq {

// False when the new contents could not be written or put in place; the file is then as it
// was. Through a symbolic link, the file it names is replaced and the link kept.
bool ReplaceFile(const std::string& path, std::string_view bytes);

} // namespace ploq
