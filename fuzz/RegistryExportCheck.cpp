// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/RegistryExportCheck.h"

#include "numbers/TextBasics.h"
#include "platform/ExportFileRegistry.h"
#include "platform/RegistryExport.h"
#include "platform/SystemInfo.h"
#include "tests/support/RecordingRegistry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace quartet::fuzz {

namespace {

constexpr std::size_t kMostLookups = 12;

// The input as an export file in the temporary directory, removed afterwards.
class ExportFile {
public:
    explicit ExportFile(std::string_view bytes)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quartet-fuzz-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
            return;
        m_path = pattern;
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (n <= 0)
                break;
            written += static_cast<std::size_t>(n);
        }
        ::close(fd);
        m_complete = written == bytes.size();
    }
    ~ExportFile()
    {
        if (!m_path.empty())
            std::remove(m_path.c_str());
    }
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool isComplete() const { return m_complete; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    bool m_complete = false;
};

struct KeyRef {
    std::uint32_t root;
    std::string path;
};

std::optional<std::uint32_t> rootNamed(std::string_view name)
{
    static constexpr std::array<std::pair<std::string_view, std::uint32_t>, 5> kRoots{{
        {"hkey_classes_root", registry::kHKeyClassesRoot},
        {"hkey_current_user", registry::kHKeyCurrentUser},
        {"hkey_local_machine", registry::kHKeyLocalMachine},
        {"hkey_users", registry::kHKeyUsers},
        {"hkey_current_config", registry::kHKeyCurrentConfig},
    }};
    const std::string folded = foldRegistryName(name);
    for (const auto& [rootName, handle] : kRoots) {
        if (folded == rootName)
            return handle;
    }
    return std::nullopt;
}

// The value names that the file's lines set, each with the key of the
// section it stands in: a rough reading that only picks what to look up,
// the first few.
void mentionedLookups(std::string_view text, std::vector<std::pair<KeyRef, std::string>>& lookups)
{
    std::optional<KeyRef> key;
    while (!text.empty() && lookups.size() < kMostLookups) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = line.substr(1, line.size() - 2);
            const std::size_t slash = name.find('\\');
            key.reset();
            if (const std::optional<std::uint32_t> root = rootNamed(name.substr(0, slash)))
                key = KeyRef{*root,
                             slash == std::string_view::npos ? std::string() : std::string(name.substr(slash + 1))};
        } else if (key && line.starts_with('"')) {
            const std::size_t close = line.find('"', 1);
            if (close != std::string_view::npos)
                lookups.emplace_back(*key, std::string(line.substr(1, close - 1)));
        } else if (key && line.starts_with('@')) {
            lookups.emplace_back(*key, std::string());
        }
    }
}

bool isUpperHex(char c)
{
    const std::optional<unsigned> value = hexDigitValue(c);
    return value && upperHexDigit(*value) == c;
}

// What GetKeyValue must give for a value as the reader found it.
struct Expected {
    bool found = false;
    bool throws = false;
    std::uint32_t type = registry::kRegNone;
    std::string bytes;  // the data less one trailing zero
};

Expected expectedLookup(const RegistryExport& file, const KeyRef& key, const std::string& valueName)
{
    Expected expected;
    const std::optional<RegistryKey> found = file.key(key.root, key.path);
    const RegistryValue* value = found ? found->value(valueName) : nullptr;
    if (value == nullptr || value->data.size() > kKeyValueBufferSize)
        return expected;
    expected.found = true;
    expected.throws = value->data.empty();
    expected.type = value->type;
    expected.bytes.assign(value->data.begin(), value->data.end());
    if (!expected.bytes.empty() && expected.bytes.back() == '\0')
        expected.bytes.pop_back();
    return expected;
}

std::string lookupName(const KeyRef& key, const std::string& valueName)
{
    return "GetKeyValue(" + printable(key.path, 60) + ", " + printable(valueName, 60) + ")";
}

void checkDwordText(Violations& broken, const std::string& name, const std::string& text, const std::string& bytes)
{
    const bool wellFormed = text.starts_with("&h") && text.size() == 2 + 2 * bytes.size()
        && std::all_of(text.begin() + 2, text.end(), isUpperHex);
    if (!wellFormed) {
        broken.push_back(name + " gave the 32-bit text " + printable(text));
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned byte = *hexDigitValue(text[2 + 2 * i]) << 4 | *hexDigitValue(text[3 + 2 * i]);
        if (byte != static_cast<unsigned char>(bytes[bytes.size() - 1 - i])) {
            broken.push_back(name + " gave " + printable(text) + " for the bytes " + printable(bytes));
            return;
        }
    }
}

void checkLookup(Violations& broken, Registry& registry, const RegistryExport& file, const KeyRef& key,
                 const std::string& valueName)
{
    static const std::string kUntouched = "untouched\x01";
    const std::string name = lookupName(key, valueName);
    const Expected expected = expectedLookup(file, key, valueName);
    std::string text = kUntouched;
    bool result = false;
    try {
        result = GetKeyValue(registry, key.root, key.path, valueName, text);
    } catch (const RegistryValueError&) {
        if (!expected.throws)
            broken.push_back(name + " raised RegistryValueError for a value with data");
        return;
    } catch (const std::exception& error) {
        broken.push_back(name + " raised " + error.what());
        return;
    }
    if (expected.throws) {
        broken.push_back(name + " did not raise RegistryValueError for a value without data");
        return;
    }
    if (!expected.found) {
        if (result || !text.empty())
            broken.push_back(name + " found a missing or oversized value: " + printable(text));
        return;
    }
    if (!result) {
        broken.push_back(name + " missed a value of " + std::to_string(expected.bytes.size()) + " bytes");
        return;
    }
    if (expected.type == registry::kRegSz) {
        if (text != expected.bytes)
            broken.push_back(name + " gave " + printable(text) + " for the text " + printable(expected.bytes));
    } else if (expected.type == registry::kRegDword) {
        checkDwordText(broken, name, text, expected.bytes);
    } else if (text != kUntouched) {
        broken.push_back(name + " changed the text for a value of type " + std::to_string(expected.type));
    }
}

// The file test and launcher that startSystemInformationTool sees: a tool in a folder
// exists when its path has an even length, and any path but the empty one
// starts.
class StubFileSystem final : public FileSystem {
public:
    std::string existingFileName(const std::string& path) override
    {
        return path.size() % 2 == 0 ? "MSINFO32.EXE" : std::string();
    }
};

class RecordingLauncher final : public Launcher {
public:
    bool startDetached(const std::string& commandLine, int /*windowStyle*/) override
    {
        started.push_back(commandLine);
        return !commandLine.empty();
    }
    std::vector<std::string> started;
};

void checkStartSystemInformationTool(Violations& broken, Registry& registry, const RegistryExport& file)
{
    StubFileSystem files;
    RecordingLauncher launcher;
    std::vector<std::string> messages;
    try {
        startSystemInformationTool(registry, files, launcher,
                                   [&messages](const std::string& message) { messages.push_back(message); });
    } catch (const std::exception& error) {
        broken.push_back(std::string("startSystemInformationTool raised ") + error.what());
        return;
    }
    const bool launched = launcher.started.size() == 1 && !launcher.started.front().empty();
    if (launcher.started.size() > 1)
        broken.push_back("startSystemInformationTool started more than one program");
    if (launched == (messages.size() == 1) || messages.size() > 1)
        broken.push_back("startSystemInformationTool neither started the tool nor showed one message, or did both");
    if (!messages.empty() && messages.front() != kSysInfoUnavailableMessage)
        broken.push_back("startSystemInformationTool showed " + printable(messages.front()));

    // A registered full path is started as it stands.
    const Expected path =
        expectedLookup(file, {registry::kHKeyLocalMachine, std::string(kMsInfoKey)}, std::string(kMsInfoPathValue));
    if (path.found && !path.throws && path.type == registry::kRegSz && !path.bytes.empty()
        && launcher.started != std::vector<std::string>{path.bytes})
        broken.push_back("startSystemInformationTool did not start the registered path " + printable(path.bytes));
}

}  // namespace

Violations checkRegistryExport(std::string_view input)
{
    Violations broken;
    const RegistryExport file = RegistryExport::parse(input);
    const ExportFile exported(input);
    if (!exported.isComplete()) {
        broken.push_back("the input could not be written to a temporary file");
        return broken;
    }
    ExportFileRegistry fileRegistry(exported.path());
    test::RecordingRegistry registry(fileRegistry);

    // The two lookups of the system information tool, each also with the
    // other's value name, then what the file sets.
    const KeyRef toolKey{registry::kHKeyLocalMachine, std::string(kMsInfoKey)};
    const KeyRef folderKey{registry::kHKeyLocalMachine, std::string(kSharedToolsLocationKey)};
    std::vector<std::pair<KeyRef, std::string>> lookups{{toolKey, std::string(kMsInfoPathValue)},
                                                        {toolKey, std::string(kMsInfoFolderValue)},
                                                        {folderKey, std::string(kMsInfoFolderValue)},
                                                        {folderKey, std::string(kMsInfoPathValue)}};
    mentionedLookups(input, lookups);
    for (const auto& [key, valueName] : lookups)
        checkLookup(broken, registry, file, key, valueName);
    checkStartSystemInformationTool(broken, registry, file);
    if (!registry.closedEveryKeyOnce())
        broken.push_back("a key was left open or closed twice");
    return broken;
}

}  // namespace quartet::fuzz
