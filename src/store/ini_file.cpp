#include "store/ini_file.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "store/gbk_chars.h"

namespace {

// INI files are small; a larger file is not treated as one.
constexpr std::size_t kIniFileMaxBytes = 16u << 20;

// Blanks inside a line: never the second byte of a GBK character.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1a;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view UpToZeroByte(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// A caller's name: up to a zero byte, leading blanks and control characters
// skipped and, for section and key names, trailing blanks too.
std::string_view CleanName(std::string_view name, bool trimEnd) {
  name = UpToZeroByte(name);
  while (!name.empty() && static_cast<unsigned char>(name.front()) <= 0x20) name.remove_prefix(1);
  return trimEnd ? TrimBlanks(name) : name;
}

// What one line of the file holds.
struct ParsedLine {
  enum class Kind { kOther, kSection, kKey } kind = Kind::kOther;
  std::string_view name;   // section or key name
  std::string_view value;  // a key's value (blanks removed), possibly quoted
};

ParsedLine ParseLine(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty()) return {};
  if (line.front() == '[') {
    // The section name runs to the last "]" of the line that is a character
    // of its own (not the second byte of a double-byte character).
    std::size_t closing = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); i += GbkCharLength(line, i)) {
      if (line[i] == ']') closing = i;
    }
    if (closing != std::string_view::npos) {
      return {ParsedLine::Kind::kSection, TrimBlanks(line.substr(1, closing - 1)), {}};
    }
  }
  // "=" is below 0x40 and so never the second byte of a GBK character.
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {ParsedLine::Kind::kKey, line, {}};
  return {ParsedLine::Kind::kKey, TrimBlanks(line.substr(0, equals)),
          TrimBlanks(line.substr(equals + 1))};
}

bool IsQuoted(std::string_view value) {
  return value.size() >= 2 && value.front() == value.back() &&
         (value.front() == '"' || value.front() == '\'');
}

// The lines of a file, without their line ends, and which line end it uses.
struct IniLines {
  std::vector<std::string> lines;
  std::string lineEnd = "\r\n";
};

IniLines SplitLines(std::string_view content) {
  IniLines result;
  const std::size_t firstBreak = content.find('\n');
  if (firstBreak != std::string_view::npos &&
      (firstBreak == 0 || content[firstBreak - 1] != '\r')) {
    result.lineEnd = "\n";
  }
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    result.lines.emplace_back(line);
    start = end + 1;
  }
  return result;
}

// Where a key is, or would go, among the lines.
struct KeyPlace {
  std::optional<std::size_t> sectionLine;  // the section's header line
  std::optional<std::size_t> keyLine;      // the key's line
  std::size_t insertAt = 0;  // where a new key of the section goes (if the section exists)
};

KeyPlace FindKey(const std::vector<std::string>& lines, std::string_view section,
                 std::string_view key) {
  KeyPlace place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ParsedLine line = ParseLine(lines[i]);
    if (!place.sectionLine) {
      if (line.kind == ParsedLine::Kind::kSection &&
          GbkNamesEqualIgnoringCase(line.name, section)) {
        place.sectionLine = i;
        place.insertAt = i + 1;
      }
      continue;
    }
    if (line.kind == ParsedLine::Kind::kSection) break;   // end of our section
    if (line.kind == ParsedLine::Kind::kOther) continue;  // blank lines do not move the end
    place.insertAt = i + 1;
    if (line.kind == ParsedLine::Kind::kKey && GbkNamesEqualIgnoringCase(line.name, key)) {
      place.keyLine = i;
      return place;
    }
  }
  return place;
}

// The value as it is written after "=": on one line, quoted when reading it
// back would otherwise change it.
std::string EncodeValue(std::string_view value) {
  std::string line(UpToZeroByte(value));
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const bool needsQuotes =
      !line.empty() && (IsBlank(line.front()) || IsBlank(line.back()) || IsQuoted(line));
  return needsQuotes ? "\"" + line + "\"" : line;
}

// One mutex for every write: a write reads, changes and replaces the whole
// file, and two of them at once on one file would lose a key.
std::mutex& WriteMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

GbkText ReadIniValue(std::string_view file, std::string_view section, std::string_view key) {
  file = CleanName(file, false);
  section = CleanName(section, true);
  key = CleanName(key, true);
  if (file.empty() || section.empty() || key.empty()) return {};
  const std::optional<ByteString> content = ReadWholeFile(file, kIniFileMaxBytes);
  if (!content) return {};

  const IniLines ini = SplitLines(*content);
  const KeyPlace place = FindKey(ini.lines, section, key);
  if (!place.keyLine) return {};
  std::string_view value = ParseLine(ini.lines[*place.keyLine]).value;
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  return GbkText(GbkCutAtCharBoundary(value, kIniValueMaxBytes));
}

bool WriteIniValue(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value, NewFileAccess access) {
  file = CleanName(file, false);
  section = CleanName(section, true);
  key = CleanName(key, true);
  if (file.empty() || section.empty() || key.empty()) return false;
  if (section.find_first_of("\r\n") != std::string_view::npos ||
      key.find_first_of("\r\n=") != std::string_view::npos || key.front() == '[') {
    return false;
  }

  std::lock_guard<std::mutex> lock(WriteMutex());
  IniLines ini;
  if (FileExists(file)) {
    const std::optional<ByteString> content = ReadWholeFile(file, kIniFileMaxBytes);
    if (!content) return false;  // never replace a file we could not read
    ini = SplitLines(*content);
  }

  const std::string keyLine = std::string(key) + "=" + EncodeValue(value);
  const KeyPlace place = FindKey(ini.lines, section, key);
  if (place.keyLine) {
    // The key keeps its place and the spelling it has in the file.
    const ParsedLine old = ParseLine(ini.lines[*place.keyLine]);
    ini.lines[*place.keyLine] = std::string(old.name) + "=" + EncodeValue(value);
  } else if (place.sectionLine) {
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(place.insertAt), keyLine);
  } else {
    ini.lines.push_back("[" + std::string(section) + "]");
    ini.lines.push_back(keyLine);
  }

  std::string content;
  for (const std::string& line : ini.lines) content += line + ini.lineEnd;
  return WriteWholeFile(file, content, access);
}
