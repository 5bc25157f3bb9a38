// Arbitrary bytes through the codec and the field helpers: code-page texts survive the round
// trip, cuts never split a character, and nothing reads past its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/text_codec.h"
#include "settings/text_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = qtl::fromWindows1252(bytes);
    if (qtl::toWindows1252(utf8) != bytes) std::abort();
    if (qtl::utf8Length(utf8) != size) std::abort();

    const std::size_t limit = size > 0 ? data[0] : 0;
    const std::string cut = qtl::utf8Prefix(utf8, limit);
    if (utf8.compare(0, cut.size(), cut) != 0) std::abort();
    if (qtl::utf8Length(cut) != std::min(limit, size)) std::abort();

    // Raw bytes as if they were UTF-8: counting and cutting stay inside the input.
    const std::string rawCut = qtl::utf8Prefix(bytes, limit);
    if (rawCut.size() > size || qtl::utf8Length(rawCut) > limit) std::abort();
    (void)qtl::toWindows1252(bytes);

    // Separators are ASCII: a byte of a multi-byte character is no field boundary.
    const char separator = size > 1 ? static_cast<char>(data[1] & 0x7F) : '=';
    if (qtl::utf8Length(qtl::fieldText(separator, bytes)) > 250) std::abort();
    if (qtl::cleanNumber(bytes).find_first_not_of("+-.0123456789") != std::string::npos) {
        std::abort();
    }
    (void)qtl::fieldKey(separator, bytes);
    std::string line(bytes);
    const std::string head = qtl::splitField(line, separator);
    if (head.size() + line.size() + (head.size() + line.size() < size ? 1 : 0) != size) {
        std::abort();
    }
    return 0;
}
