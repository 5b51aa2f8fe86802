// Arbitrary bytes into the text file reader, rich or plain. Whatever it makes of them must
// write and read back as the same document in the same form: a reopened file shows what was
// saved.

#include "datasheet/Rtf.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    bool rich = false;
    const ploq::TextDocument document = ploq::DecodeTextFile(bytes, rich);
    if (document.paragraphs.empty())
        std::abort();
    const ploq::TextDocument again =
        rich ? ploq::ReadRtf(ploq::WriteRtf(document))
             : ploq::ReadPlainText(ploq::WritePlainText(document, ploq::LineBreaksOf(bytes)));
    if (again != document)
        std::abort();
    return 0;
}
