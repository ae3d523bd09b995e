// The XML parser backend on Linux: libxml2, with every way of reaching outside
// the document closed (no network, no DTD loading, no entity substitution,
// and a DOCTYPE stops the parse before its subset is read).
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>
#include <string>
#include <string_view>

#include "platform/XmlParseSupport.h"

namespace platform {
namespace {

struct ParseState {
  bool doctypeSeen = false;
};

void refuseDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  static_cast<ParseState*>(parser->_private)->doctypeSeen = true;
  xmlStopParser(parser);
}

std::string text(const xmlChar* value) {
  return value == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(value));
}

// libxml2 keeps every '&' of a namespace declaration's value as "&#38;" (it
// does so for attribute values it does not expand, and a declaration's value
// is never expanded later), so "&#38;" there always stands for '&'.
std::string namespaceValue(const xmlChar* href) {
  constexpr std::string_view kKeptAmpersand = "&#38;";
  std::string_view rest = href == nullptr ? "" : reinterpret_cast<const char*>(href);
  std::string value;
  value.reserve(rest.size());
  for (std::size_t at; (at = rest.find(kKeptAmpersand)) != std::string_view::npos;) {
    value.append(rest.substr(0, at));
    value += '&';
    rest.remove_prefix(at + kKeptAmpersand.size());
  }
  value.append(rest);
  return value;
}

std::string qualifiedName(const xmlChar* name, const xmlNs* ns) {
  if (ns == nullptr || ns->prefix == nullptr) return text(name);
  return text(ns->prefix) + ":" + text(name);
}

XmlElement convert(const xmlNode* node) {
  XmlElement element;
  element.name = qualifiedName(node->name, node->ns);
  for (const xmlNs* declaration = node->nsDef; declaration != nullptr;
       declaration = declaration->next) {
    const std::string name =
        declaration->prefix == nullptr ? "xmlns" : "xmlns:" + text(declaration->prefix);
    element.attributes.emplace_back(name, namespaceValue(declaration->href));
  }
  for (const xmlAttr* attribute = node->properties; attribute != nullptr;
       attribute = attribute->next) {
    const auto release = [](xmlChar* content) { xmlFree(content); };
    std::unique_ptr<xmlChar, decltype(release)> value(
        xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute)), release);
    element.attributes.emplace_back(qualifiedName(attribute->name, attribute->ns),
                                    text(value.get()));
  }
  for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) {
      element.children.push_back(convert(child));
    } else if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      element.text += text(child->content);
    }
  }
  finishXmlElement(element);
  return element;
}

std::string describeFailure(xmlParserCtxtPtr parser) {
  const xmlError* error = xmlCtxtGetLastError(parser);
  if (error == nullptr || error->message == nullptr) return "Documento XML inválido";
  std::string message = error->message;
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  return "Documento XML inválido (linha " + std::to_string(error->line) + "): " + message;
}

}  // namespace

XmlElement parseXmlRoot(std::string_view document) {
  if (document.size() > static_cast<size_t>(INT_MAX)) throw XmlError("Documento XML grande demais");
  static const bool initialised = (xmlInitParser(), true);
  (void)initialised;

  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> parser(xmlNewParserCtxt(),
                                                                      xmlFreeParserCtxt);
  if (!parser) throw XmlError("Sem memória para ler o documento XML");
  ParseState state;
  parser->_private = &state;
  parser->sax->internalSubset = refuseDoctype;

  constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> parsed(
      xmlCtxtReadMemory(parser.get(), document.data(), static_cast<int>(document.size()), nullptr,
                        nullptr, kOptions),
      xmlFreeDoc);
  if (state.doctypeSeen) throw XmlError("Documento XML com DOCTYPE não é aceito");
  if (!parsed || !parser->wellFormed) throw XmlError(describeFailure(parser.get()));
  const xmlNode* root = xmlDocGetRootElement(parsed.get());
  if (root == nullptr) throw XmlError("Documento XML sem elemento raiz");
  return convert(root);
}

}  // namespace platform
