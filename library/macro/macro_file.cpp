#include "macro_file.h"

#include <algorithm>

#include "text_encoding.h"

namespace varnel {

namespace {

constexpr size_t kCountBytes = 4;
constexpr size_t kNameFieldBytes = 512;
constexpr size_t kNameFieldUnits = kNameFieldBytes / 2;
constexpr size_t kOptionWords = 10;
constexpr size_t kOptionBytes = kOptionWords * 4;
constexpr size_t kItemBytes = sizeof(MacroItem);

// Walks the image front to back; every read is checked against the bytes left.
class ImageReader {
  public:
    explicit ImageReader(std::span<const uint8_t> image) : m_image(image) {}

    size_t Left() const { return m_image.size() - m_offset; }
    size_t Offset() const { return m_offset; }

    uint32_t Word() {
        const uint8_t* p = m_image.data() + m_offset;
        m_offset += 4;
        return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }

    // The text of a name field: up to its first zero unit, or all of it when there is none.
    std::u16string Name() {
        std::u16string name;
        for (size_t unit = 0; unit < kNameFieldUnits; ++unit) {
            const uint8_t* p = m_image.data() + m_offset + 2 * unit;
            const auto c = static_cast<char16_t>(p[0] | p[1] << 8);
            if (c == 0) break;
            name.push_back(c);
        }
        m_offset += kNameFieldBytes;
        return name;
    }

  private:
    std::span<const uint8_t> m_image;
    size_t m_offset = 0;
};

void PutWord(std::vector<uint8_t>& out, uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(word >> shift));
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The name as the file keeps it: the text before any zero unit (a reader stops there), at most
// 255 units of it, never ending in half a surrogate pair.
std::u16string_view StoredName(const std::u16string& name) {
    std::u16string_view stored = std::u16string_view(name).substr(0, name.find(u'\0'));
    if (stored.size() <= kMacroFileNameUnits) return stored;
    size_t length = kMacroFileNameUnits;
    if (IsHighSurrogate(stored[length - 1])) --length;
    return stored.substr(0, length);
}

// "macro 3 of 5 ("Name")": which record a problem is in.
std::string RecordLabel(size_t index, size_t count, const std::u16string& name) {
    std::string label = "macro " + std::to_string(index + 1) + " of " + std::to_string(count);
    if (!name.empty()) label += " (\"" + Utf16ToUtf8(name) + "\")";
    return label;
}

}  // namespace

std::optional<std::vector<EditorMacro>> ParseMacroFile(std::span<const uint8_t> image,
                                                       std::string& problem) {
    ImageReader reader(image);
    if (reader.Left() < kCountBytes) {
        problem = "the file is " + std::to_string(image.size()) +
                  " bytes long, too short to hold the number of macros";
        return std::nullopt;
    }
    const size_t count = reader.Word();
    // Every record takes at least its name field; this also bounds what is reserved below.
    if (count > reader.Left() / kNameFieldBytes) {
        problem = "the file claims " + std::to_string(count) + " macros but its " +
                  std::to_string(reader.Left()) + " bytes after the count hold at most " +
                  std::to_string(reader.Left() / kNameFieldBytes);
        return std::nullopt;
    }

    std::vector<EditorMacro> macros(count);
    for (size_t index = 0; index < count; ++index) {
        EditorMacro& macro = macros[index];
        if (reader.Left() < kNameFieldBytes) {
            problem = RecordLabel(index, count, {}) + " is cut off in its name: the file ends " +
                      std::to_string(reader.Left()) + " bytes into it";
            return std::nullopt;
        }
        macro.name = reader.Name();
        if (macro.name.empty()) continue;

        if (reader.Left() < kOptionBytes + kCountBytes) {
            problem = RecordLabel(index, count, macro.name) +
                      " is cut off after its name: the file ends " + std::to_string(reader.Left()) +
                      " bytes into its options and item count";
            return std::nullopt;
        }
        for (uint32_t& option : macro.options) option = reader.Word();
        const size_t itemCount = reader.Word();
        const size_t itemsLeft = reader.Left() / kItemBytes;
        if (itemCount > itemsLeft) {
            problem = RecordLabel(index, count, macro.name) + " claims " +
                      std::to_string(itemCount) + " items but the file ends after " +
                      std::to_string(itemsLeft);
            return std::nullopt;
        }
        macro.items.resize(itemCount);
        for (MacroItem& item : macro.items) {
            item.kind = reader.Word();
            item.word1 = reader.Word();
            item.word2 = reader.Word();
            item.word3 = reader.Word();
        }
    }
    // Bytes after the last record mean the count does not describe the file (a count damaged
    // downwards would otherwise silently drop macros), so the file is refused too.
    if (reader.Left() != 0) {
        problem = "the file has " + std::to_string(reader.Left()) + " bytes left over after its " +
                  std::to_string(count) + " macros, starting at offset " +
                  std::to_string(reader.Offset());
        return std::nullopt;
    }
    return macros;
}

std::vector<uint8_t> EncodeMacroFile(const std::vector<EditorMacro>& macros) {
    std::vector<uint8_t> out;
    const auto written = static_cast<uint32_t>(
        std::count_if(macros.begin(), macros.end(),
                      [](const EditorMacro& macro) { return !StoredName(macro.name).empty(); }));
    PutWord(out, written);
    for (const EditorMacro& macro : macros) {
        const std::u16string_view name = StoredName(macro.name);
        if (name.empty()) continue;
        const size_t field = out.size();
        out.resize(field + kNameFieldBytes, 0);
        for (size_t unit = 0; unit < name.size(); ++unit) {
            out[field + 2 * unit] = static_cast<uint8_t>(name[unit]);
            out[field + 2 * unit + 1] = static_cast<uint8_t>(name[unit] >> 8);
        }
        for (uint32_t option : macro.options) PutWord(out, option);
        PutWord(out, static_cast<uint32_t>(macro.items.size()));
        for (const MacroItem& item : macro.items) {
            PutWord(out, item.kind);
            PutWord(out, item.word1);
            PutWord(out, item.word2);
            PutWord(out, item.word3);
        }
    }
    return out;
}

}  // namespace varnel
