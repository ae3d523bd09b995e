// The JSON form: one object whose field names stay as documented in
// docs/CLI.md. Text is written in ASCII, every other character escaped, so
// the object reads the same whatever code page shows it.
#include <cstdio>

#include "cli/Reports.h"
#include "platform/Text.h"

namespace cli {

namespace {

class JsonObject {
 public:
  JsonObject() { out_ = "{"; }

  void key(std::string_view name) {
    if (out_.size() > 1 && out_.back() != '{' && out_.back() != '[') out_ += ',';
    out_ += '"';
    out_ += name;
    out_ += "\":";
  }
  void text(std::u16string_view value) {
    out_ += '"';
    for (std::size_t i = 0; i < value.size(); ++i) {
      const char16_t c = value[i];
      if (c == u'"' || c == u'\\') {
        out_ += '\\';
        out_ += static_cast<char>(c);
      } else if (c >= 0x20 && c < 0x7f) {
        out_ += static_cast<char>(c);
      } else {
        escape(value, i);
      }
    }
    out_ += '"';
  }
  void ascii(std::string_view value) { text(platform::fromUtf8(value)); }
  void textOrNull(std::u16string_view value) { value.empty() ? raw("null") : text(value); }
  void asciiOrNull(std::string_view value) { value.empty() ? raw("null") : ascii(value); }
  void raw(std::string_view value) { out_ += value; }
  void open(char bracket) { out_ += bracket; }
  void close(char bracket) { out_ += bracket; }
  std::string done() { return out_ + "}\n"; }

 private:
  // A surrogate pair is written as both halves; a half without its partner
  // as U+FFFD, which every reader takes.
  void escape(std::u16string_view value, std::size_t& i) {
    const char16_t c = value[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < value.size() && value[i + 1] >= 0xDC00 && value[i + 1] <= 0xDFFF) {
      unit(c);
      unit(value[++i]);
    } else {
      unit(high || low ? u'\xfffd' : c);
    }
  }
  void unit(char16_t c) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
    out_ += escaped;
  }

  std::string out_;
};

void writeChecks(const CommandResult& result, JsonObject& json) {
  json.key("verificacoes");
  json.open('[');
  for (const health::Check& check : result.checks) {
    if (&check != &result.checks.front()) json.raw(",");
    json.open('{');
    json.key("verificacao");
    json.ascii(checkName(check.id));
    json.key("nivel");
    json.ascii(levelName(check.level));
    json.key("frase");
    json.text(check.sentence);
    json.key("valor");
    json.raw(check.figure ? figureText(*check.figure) : "null");
    json.close('}');
  }
  json.close(']');
}

void writeFields(const CommandResult& result, JsonObject& json) {
  json.key("campos");
  if (result.command != Command::Status || !result.answered) return json.raw("null");
  json.open('{');
  for (const ListedField& field : result.fields) {
    json.key(platform::toUtf8(field.label));
    json.text(field.value);
  }
  json.close('}');
}

}  // namespace

std::string jsonReport(const CommandResult& result) {
  JsonObject json;
  json.key("versao");
  json.raw("1");
  json.key("comando");
  json.text(commandName(result.command));
  json.key("nivel");
  json.ascii(levelName(result.level));
  json.key("codigo_saida");
  json.raw(std::to_string(exitCodeOf(result.level)));
  json.key("respondeu");
  json.raw(result.answered ? "true" : "false");
  json.key("resumo");
  json.text(result.summary);
  json.key("sessao");
  json.asciiOrNull(result.sessao);
  json.key("codigo_retorno");
  json.textOrNull(platform::fromUtf8(result.returnCode));
  json.key("mensagem");
  json.textOrNull(result.message);
  json.key("numero_serie");
  json.textOrNull(result.serial);
  writeChecks(result, json);
  writeFields(result, json);
  json.key("arquivo");
  json.textOrNull(result.written ? result.written->text() : std::u16string());
  return json.done();
}

}  // namespace cli
