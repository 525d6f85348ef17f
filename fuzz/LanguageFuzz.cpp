// Any bytes as a language file: decoded by its byte-order mark or content, then applied line
// by line over the built-in texts.
#include "lang/LanguageFile.h"
#include "lang/StringTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QString> text = veldrin::DecodeLanguageText(bytes);
    if (!text)
        return 0;
    veldrin::StringTable table;
    table.LoadDefaultStrings();
    veldrin::ApplyLanguageText(table, *text);
    return 0;
}
