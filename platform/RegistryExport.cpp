// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegistryExport.h"

#include "numbers/TextBasics.h"

#include <array>
#include <utility>
#include <vector>

namespace quartet {

namespace {

struct RootKey {
    std::string_view name;
    std::uint32_t handle;
};

constexpr std::array<RootKey, 5> kRootKeys{{
    {"HKEY_CLASSES_ROOT", registry::kHKeyClassesRoot},
    {"HKEY_CURRENT_USER", registry::kHKeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", registry::kHKeyLocalMachine},
    {"HKEY_USERS", registry::kHKeyUsers},
    {"HKEY_CURRENT_CONFIG", registry::kHKeyCurrentConfig},
}};

std::optional<std::uint32_t> rootByName(std::string_view name)
{
    const std::string folded = foldRegistryName(name);
    for (const RootKey& root : kRootKeys) {
        if (foldRegistryName(root.name) == folded)
            return root.handle;
    }
    return std::nullopt;
}

// Blanks around the parts of a line; a carriage return ends a line of a
// file written on Windows.
constexpr std::string_view kBlanks = " \t\r";

bool startsWithFolded(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && foldRegistryName(text.substr(0, prefix.size())) == prefix;
}

// Reads 1 to maxDigits hexadecimal digits and nothing else.
std::optional<std::uint32_t> hexNumber(std::string_view digits, std::size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : digits) {
        const std::optional<unsigned> digit = hexDigitValue(c);
        if (!digit)
            return std::nullopt;
        number = number * 16 + *digit;
    }
    return number;
}

void appendUtf8(std::string& out, std::uint32_t codePoint)
{
    auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

// UTF-16LE to UTF-8. An unpaired surrogate becomes U+FFFD; an odd last byte
// is dropped.
std::string utf16LeToUtf8(std::string_view bytes)
{
    const std::size_t units = bytes.size() / 2;
    auto unit = [bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i]))
            | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8;
    };
    auto isHigh = [](std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; };
    auto isLow = [](std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; };

    std::string out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t codePoint = unit(i);
        if (isHigh(codePoint) && i + 1 < units && isLow(unit(i + 1))) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (isHigh(codePoint) || isLow(codePoint)) {
            codePoint = 0xFFFD;
        }
        appendUtf8(out, codePoint);
    }
    return out;
}

// The file's text as UTF-8, or nothing for an encoding the editor never writes.
std::optional<std::string> decodedText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return utf16LeToUtf8(bytes.substr(2));
    if (bytes.starts_with("\xFE\xFF"))
        return std::nullopt;  // UTF-16BE
    return std::string(bytes);
}

// A quoted text starting at text[pos], with the escapes \\ and \". On success
// pos is just past the closing quote.
std::optional<std::string> quotedText(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    std::string result;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            pos = i + 1;
            return result;
        }
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
                return std::nullopt;
            ++i;
        }
        result.push_back(text[i]);
    }
    return std::nullopt;
}

std::optional<RegistryValue> textValue(std::string_view data)
{
    std::size_t pos = 0;
    std::optional<std::string> text = quotedText(data, pos);
    if (!text || !trimmed(data.substr(pos), kBlanks).empty())
        return std::nullopt;
    RegistryValue value{registry::kRegSz, {text->begin(), text->end()}};
    value.data.push_back(0);
    return value;
}

std::optional<RegistryValue> dwordValue(std::string_view digits)
{
    const std::optional<std::uint32_t> number = hexNumber(trimmed(digits, kBlanks), 8);
    if (!number)
        return std::nullopt;
    RegistryValue value{registry::kRegDword, {}};
    for (int shift = 0; shift < 32; shift += 8)
        value.data.push_back(static_cast<unsigned char>(*number >> shift));
    return value;
}

// "hex:aa,bb" or "hex(N):aa,bb" after the word "hex"; N is the type in hex.
std::optional<RegistryValue> hexValue(std::string_view data)
{
    RegistryValue value{registry::kRegBinary, {}};
    if (data.starts_with('(')) {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::optional<std::uint32_t> type = hexNumber(data.substr(1, close - 1), 8);
        if (!type)
            return std::nullopt;
        value.type = *type;
        data.remove_prefix(close + 1);
    }
    if (!data.starts_with(':'))
        return std::nullopt;
    std::string_view list = trimmed(data.substr(1), kBlanks);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::optional<std::uint32_t> byte = hexNumber(trimmed(list.substr(0, comma), kBlanks), 2);
        if (!byte)
            return std::nullopt;
        value.data.push_back(static_cast<unsigned char>(*byte));
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
        if (list.empty())
            return std::nullopt;  // a trailing comma
    }
    return value;
}

std::optional<RegistryValue> valueData(std::string_view data)
{
    if (data.starts_with('"'))
        return textValue(data);
    if (startsWithFolded(data, "dword:"))
        return dwordValue(data.substr(6));
    if (startsWithFolded(data, "hex"))
        return hexValue(data.substr(3));
    return std::nullopt;
}

}  // namespace

// Reads the decoded text line by line, keeping the key that the last key
// line opened.
class RegistryExportParser {
public:
    explicit RegistryExportParser(std::string text) : m_text(std::move(text)) {}

    RegistryExport parse()
    {
        RegistryExport result;
        std::string_view header;
        if (!nextLine(header) || header != RegistryExport::kHeader)
            return result;
        result.m_valid = true;
        std::string_view line;
        while (nextLine(line)) {
            if (line.empty() || line.starts_with(';'))
                continue;
            if (line.starts_with('['))
                openKey(result, line);
            else if (line.starts_with('"') || line.starts_with('@'))
                readValue(line);
            // anything else is not a line of an export: skipped
        }
        return result;
    }

private:
    // The next physical line, without its line break and surrounding blanks.
    bool nextLine(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        const std::size_t end = m_text.find('\n', m_pos);
        const std::size_t stop = end == std::string::npos ? m_text.size() : end;
        line = trimmed(std::string_view(m_text).substr(m_pos, stop - m_pos), kBlanks);
        m_pos = stop + 1;
        return true;
    }

    void openKey(RegistryExport& result, std::string_view line)
    {
        m_currentKey = nullptr;
        if (!line.ends_with(']') || line.size() < 2)
            return;
        const std::string_view name = line.substr(1, line.size() - 2);
        if (name.starts_with('-'))
            return;  // a key removal: nothing to read into
        const std::size_t slash = name.find('\\');
        const std::optional<std::uint32_t> root = rootByName(name.substr(0, slash));
        if (!root)
            return;
        const std::string_view path = slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1);
        m_currentKey = &result.m_keys[RegistryExport::keyName(*root, path)];
    }

    void readValue(std::string_view line)
    {
        std::size_t pos = 0;
        std::string name;
        if (line.starts_with('@')) {
            pos = 1;
        } else {
            std::optional<std::string> quoted = quotedText(line, pos);
            if (!quoted)
                return;
            name = std::move(*quoted);
        }
        std::string_view rest = trimmed(line.substr(pos), kBlanks);
        if (!rest.starts_with('='))
            return;
        rest = trimmed(rest.substr(1), kBlanks);

        // Only hex lists are wrapped; joining other lines would let one bad
        // text line swallow the next.
        std::string data(rest);
        if (startsWithFolded(rest, "hex")) {
            std::string_view continuation;
            while (data.ends_with('\\') && nextLine(continuation)) {
                data.pop_back();
                data += continuation;
            }
        }
        if (m_currentKey == nullptr)
            return;
        if (data == "-") {
            m_currentKey->removeValue(name);
            return;
        }
        if (std::optional<RegistryValue> value = valueData(data))
            m_currentKey->setValue(name, std::move(*value));
    }

    std::string m_text;
    std::size_t m_pos = 0;
    RegistryKey* m_currentKey = nullptr;
};

RegistryExport RegistryExport::parse(std::string_view bytes)
{
    std::optional<std::string> text = decodedText(bytes);
    if (!text)
        return {};
    return RegistryExportParser(std::move(*text)).parse();
}

std::string RegistryExport::keyName(std::uint32_t root, std::string_view keyPath)
{
    for (const RootKey& known : kRootKeys) {
        if (known.handle != root)
            continue;
        std::string name(known.name);
        if (!keyPath.empty()) {
            name += '\\';
            name += keyPath;
        }
        return foldRegistryName(name);
    }
    return {};
}

bool RegistryExport::hasKey(std::uint32_t root, std::string_view keyPath) const
{
    const std::string name = keyName(root, keyPath);
    if (!m_valid || name.empty())
        return false;
    if (keyPath.empty() || m_keys.contains(name))
        return true;
    const std::string below = name + '\\';
    const auto next = m_keys.lower_bound(below);
    return next != m_keys.end() && next->first.starts_with(below);
}

std::optional<RegistryKey> RegistryExport::key(std::uint32_t root, std::string_view keyPath) const
{
    if (!hasKey(root, keyPath))
        return std::nullopt;
    const auto found = m_keys.find(keyName(root, keyPath));
    return found == m_keys.end() ? RegistryKey() : found->second;
}

}  // namespace quartet
