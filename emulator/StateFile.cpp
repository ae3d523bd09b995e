#include "StateFile.h"

#include <charconv>
#include <cstdio>

#include "StateFields.h"

namespace satemu {
namespace {

// Length of the valid UTF-8 sequence at the start of bytes, or 0.
std::size_t utf8SequenceLength(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length == 0 || bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) return 0;
  return length;
}

std::string sectionOf(std::string_view name) {
  const auto dot = name.find('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(0, dot));
}

std::string keyOf(std::string_view name) {
  const auto dot = name.find('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(dot + 1));
}

const StateField* findField(std::string_view section, std::string_view key) {
  for (const StateField& field : stateFields())
    if (section == field.section && key == field.key) return &field;
  return nullptr;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

void readLine(DeviceState& state, std::string_view section, std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view key = trim(line.substr(0, equals));
  const std::string value = unescapeValue(trim(line.substr(equals + 1)));
  if (section == "sessions") {
    int number = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
    if (error == std::errc() && end == key.data() + key.size())
      state.sessions.push_back({number, value});
  } else if (section == "log") {
    if (key == "line") state.log.push_back(value);
  } else if (const StateField* field = findField(section, key)) {
    field->set(state, value);
  }
}

}  // namespace

std::string escapeValue(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size();) {
    const auto byte = static_cast<unsigned char>(raw[i]);
    if (byte >= 0x80) {
      const std::size_t length = utf8SequenceLength(raw.substr(i));
      if (length > 0) {
        out.append(raw.substr(i, length));
        i += length;
        continue;
      }
    }
    switch (byte) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        // Blanks at the ends are escaped too: the reader trims a line.
        if (byte < 0x20 || byte >= 0x7F || (byte == ' ' && (i == 0 || i + 1 == raw.size()))) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", byte);
          out += hex;
        } else {
          out += static_cast<char>(byte);
        }
    }
    ++i;
  }
  return out;
}

std::string unescapeValue(std::string_view escaped) {
  std::string out;
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '\\' || i + 1 == escaped.size()) {
      out += escaped[i];
      continue;
    }
    const char next = escaped[++i];
    if (next == 'n') {
      out += '\n';
    } else if (next == 'r') {
      out += '\r';
    } else if (next == 't') {
      out += '\t';
    } else if (next == 'x' && i + 2 < escaped.size()) {
      unsigned value = 0;
      const auto [end, error] =
          std::from_chars(escaped.data() + i + 1, escaped.data() + i + 3, value, 16);
      if (error == std::errc() && end == escaped.data() + i + 3) {
        out += static_cast<char>(value);
        i += 2;
      } else {
        out += next;
      }
    } else {
      out += next;
    }
  }
  return out;
}

std::string writeState(const DeviceState& state) {
  std::string out =
      "# State of the emulated SAT device. Change it with the satemu tool or by hand;\n"
      "# a missing file is a factory-new device.\n";
  std::string section;
  for (const StateField& field : stateFields()) {
    if (section != field.section) {
      section = field.section;
      out += "\n[" + section + "]\n";
    }
    out += std::string(field.key) + " = " + escapeValue(field.get(state)) + "\n";
  }
  out += "\n[sessions]\n";
  for (const StoredSession& session : state.sessions)
    out += std::to_string(session.number) + " = " + escapeValue(session.answer) + "\n";
  out += "\n[log]\n";
  for (const std::string& line : state.log) out += "line = " + escapeValue(line) + "\n";
  return out;
}

DeviceState readState(std::string_view text) {
  DeviceState state;
  std::string section;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      section = std::string(trimmed.substr(1, trimmed.size() - 2));
      continue;
    }
    readLine(state, section, line);
  }
  return state;
}

std::vector<std::string> settableFields() {
  std::vector<std::string> names;
  for (const StateField& field : stateFields())
    names.push_back(std::string(field.section) + "." + field.key);
  return names;
}

bool setField(DeviceState& state, std::string_view name, std::string_view value) {
  const StateField* field = findField(sectionOf(name), keyOf(name));
  return field && field->set(state, value);
}

std::string fieldValue(const DeviceState& state, std::string_view name) {
  const StateField* field = findField(sectionOf(name), keyOf(name));
  return field ? field->get(state) : std::string();
}

}  // namespace satemu
