#include "settings/DataPacket.h"

#include <charconv>
#include <vector>

#include "platform/Text.h"
#include "platform/Xml.h"

namespace settings {
namespace {

using platform::XmlElement;

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" standalone=\"yes\"?>  ";
constexpr std::string_view kInsertedRowLog = "1 0 4";
constexpr unsigned kOriginalRow = 1;
constexpr unsigned kDeletedRow = 2;
constexpr unsigned kInsertedRow = 4;

const XmlElement& requiredChild(const XmlElement& parent, std::string_view name) {
  const XmlElement* found = parent.child(name);
  if (found == nullptr) {
    throw DataPacketError("falta o elemento " + std::string(name) + " em " + parent.name);
  }
  return *found;
}

std::vector<const XmlElement*> childrenNamed(const XmlElement& parent, std::string_view name) {
  std::vector<const XmlElement*> found;
  for (const XmlElement& child : parent.children) {
    if (child.name == name) found.push_back(&child);
  }
  return found;
}

void checkFieldDefinitions(const XmlElement& fields) {
  const std::vector<const XmlElement*> definitions = childrenNamed(fields, "FIELD");
  if (definitions.size() != kParameterFieldCount) {
    throw DataPacketError("o arquivo define " + std::to_string(definitions.size()) +
                          " campos em vez de " + std::to_string(kParameterFieldCount));
  }
  for (std::size_t index = 0; index < kParameterFieldCount; ++index) {
    const ParameterField& expected = kParameterFields[index];
    const XmlElement& definition = *definitions[index];
    const std::string* name = definition.attribute("attrname");
    const std::string* type = definition.attribute("fieldtype");
    const std::string* width = definition.attribute("WIDTH");
    const bool widthMatches =
        expected.width == 0 ? width == nullptr : width && *width == std::to_string(expected.width);
    if (!name || findParameterField(*name) != index || !type || *type != expected.packetType ||
        !widthMatches) {
      throw DataPacketError("a definição do campo " + std::to_string(index + 1) + " não é a de " +
                            std::string(expected.name));
    }
  }
}

std::vector<unsigned> readNumbers(std::string_view text, std::string_view what) {
  std::vector<unsigned> numbers;
  const char* position = text.data();
  const char* const end = text.data() + text.size();
  while (position != end) {
    if (*position == ' ') {
      ++position;
      continue;
    }
    unsigned number = 0;
    const auto [next, error] = std::from_chars(position, end, number);
    if (error != std::errc() || (next != end && *next != ' ')) {
      throw DataPacketError(std::string(what) + " inválido: \"" + std::string(text) + "\"");
    }
    numbers.push_back(number);
    position = next;
  }
  return numbers;
}

struct Row {
  const XmlElement* element;
  unsigned state = 0;
  std::size_t replaces = 0;  // the row this one changes, counted from 1; 0: none
  bool replaced = false;
};

std::vector<Row> readRows(const XmlElement& rowData, const XmlElement& params) {
  std::vector<Row> rows;
  for (const XmlElement* element : childrenNamed(rowData, "ROW")) {
    const std::string* state = element->attribute("RowState");
    const std::vector<unsigned> stateNumber =
        state ? readNumbers(*state, "RowState") : std::vector<unsigned>{0};
    if (stateNumber.size() != 1) throw DataPacketError("RowState inválido");
    rows.push_back({element, stateNumber[0]});
  }
  const std::string* changeLog = params.attribute("CHANGE_LOG");
  const std::vector<unsigned> log =
      changeLog ? readNumbers(*changeLog, "CHANGE_LOG") : std::vector<unsigned>{};
  if (log.size() % 3 != 0) throw DataPacketError("CHANGE_LOG inválido");
  for (std::size_t entry = 0; entry < log.size(); entry += 3) {
    const std::size_t row = log[entry];
    const std::size_t original = log[entry + 1];
    if (row == 0 || row > rows.size() || original == 0 || original > rows.size()) continue;
    if (original == row) continue;
    rows[row - 1].replaces = original;
    rows[original - 1].replaced = true;
  }
  return rows;
}

void applyRow(const XmlElement& row, ParameterRecord& record) {
  for (const auto& [name, value] : row.attributes) {
    const auto index = findParameterField(name);
    if (index) record[*index] = storedValue(kParameterFields[*index], platform::fromUtf8(value));
  }
}

// A changed row holds what changed; the rows it replaces, oldest first, hold
// the rest.
ParameterRecord resolve(const std::vector<Row>& rows, std::size_t current) {
  std::vector<std::size_t> chain{current};
  while (rows[chain.back()].replaces != 0 && chain.size() <= rows.size()) {
    chain.push_back(rows[chain.back()].replaces - 1);
  }
  ParameterRecord record;
  for (auto link = chain.rbegin(); link != chain.rend(); ++link)
    applyRow(*rows[*link].element, record);
  return record;
}

}  // namespace

std::optional<ParameterRecord> readDataPacket(std::string_view document) {
  XmlElement packet;
  try {
    packet = platform::parseXml(document);
  } catch (const platform::XmlError& error) {
    throw DataPacketError(error.what());
  }
  if (packet.name != "DATAPACKET") throw DataPacketError("o elemento raiz não é DATAPACKET");
  const XmlElement& metadata = requiredChild(packet, "METADATA");
  checkFieldDefinitions(requiredChild(metadata, "FIELDS"));
  const XmlElement noParams;
  const XmlElement* params = metadata.child("PARAMS");
  const std::vector<Row> rows =
      readRows(requiredChild(packet, "ROWDATA"), params ? *params : noParams);
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const Row& row = rows[index];
    if (!row.replaced && (row.state & (kOriginalRow | kDeletedRow)) == 0) {
      return resolve(rows, index);
    }
  }
  return std::nullopt;
}

std::string writeDataPacket(const std::optional<ParameterRecord>& record) {
  XmlElement fields{.name = "FIELDS"};
  for (const ParameterField& field : kParameterFields) {
    XmlElement definition{.name = "FIELD",
                          .attributes = {{"attrname", std::string(field.name)},
                                         {"fieldtype", std::string(field.packetType)}}};
    if (!field.subtype.empty()) definition.attributes.emplace_back("SUBTYPE", field.subtype);
    if (field.width != 0) definition.attributes.emplace_back("WIDTH", std::to_string(field.width));
    fields.children.push_back(std::move(definition));
  }
  XmlElement params{.name = "PARAMS"};
  XmlElement rowData{.name = "ROWDATA"};
  if (record) {
    params.attributes.emplace_back("CHANGE_LOG", kInsertedRowLog);
    XmlElement row{.name = "ROW", .attributes = {{"RowState", std::to_string(kInsertedRow)}}};
    for (std::size_t index = 0; index < kParameterFieldCount; ++index) {
      const auto& value = (*record)[index];
      if (value)
        row.attributes.emplace_back(kParameterFields[index].name, platform::toUtf8(*value));
    }
    rowData.children.push_back(std::move(row));
  }
  XmlElement metadata{.name = "METADATA", .children = {std::move(fields), std::move(params)}};
  const XmlElement packet{.name = "DATAPACKET",
                          .attributes = {{"Version", "2.0"}},
                          .children = {std::move(metadata), std::move(rowData)}};
  return std::string(kDeclaration) +
         platform::writeXml(packet, platform::XmlLayout::Compact, {.present = false},
                            platform::XmlCharacters::AsciiWithReferences) +
         "\r\n";
}

}  // namespace settings
