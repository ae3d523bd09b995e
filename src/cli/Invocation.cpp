#include "cli/Invocation.h"

#include <array>
#include <utility>

#include "platform/Text.h"

namespace cli {

const std::u16string_view kWhereTheCodeComesFrom =
    u"Informe o código de ativação na variável de ambiente QUORVEL_CODIGO, num arquivo com "
    u"--codigo-arquivo ARQUIVO ou pela entrada padrão.";

const std::u16string_view kUsage =
    u"Uso: quorvel-cli COMANDO [opções]\r\n"
    u"Consulta o SAT pelo SAT.DLL da pasta do programa. Nunca ativa, bloqueia, configura nem "
    u"atualiza o SAT.\r\n"
    u"\r\n"
    u"Comandos:\r\n"
    u"  consultar                      consulta o SAT (ConsultarSAT; sem código de ativação)\r\n"
    u"  status                         o status operacional e as verificações de saúde\r\n"
    u"  saude                          só as verificações de saúde\r\n"
    u"  logs [--superlog] --saida ARQ  grava o log do SAT (ou só o último SuperLog) em ARQ\r\n"
    u"  sessao N                       a resposta da sessão N; o cupom em --saida ARQ\r\n"
    u"  ultima-sessao                  a última sessão fiscal; o cupom em --saida ARQ\r\n"
    u"\r\n"
    u"Opções:\r\n"
    u"  --json | --prometheus | --nagios  a forma do resultado (sem elas: texto)\r\n"
    u"  --saida ARQUIVO                   grava o resultado (ou o log, ou o cupom) em ARQUIVO\r\n"
    u"  --codigo-arquivo ARQUIVO          lê o código de ativação da primeira linha de ARQUIVO\r\n"
    u"  --tempo-limite SEGUNDOS           espera pelo SAT no máximo SEGUNDOS (padrão: 60)\r\n"
    u"\r\n"
    u"O código de ativação vem da variável de ambiente QUORVEL_CODIGO, de --codigo-arquivo ou\r\n"
    u"da entrada padrão; nunca da linha de comando.\r\n"
    u"Código de saída: 0 OK, 1 aviso, 2 crítico, 3 desconhecido (SAT sem resposta, ocupado,\r\n"
    u"comando recusado).\r\n";

namespace {

constexpr std::array<std::pair<std::u16string_view, Command>, 6> kCommands{{
    {u"consultar", Command::Consultar},
    {u"status", Command::Status},
    {u"saude", Command::Saude},
    {u"logs", Command::Logs},
    {u"sessao", Command::Sessao},
    {u"ultima-sessao", Command::UltimaSessao},
}};

constexpr std::array<std::pair<std::u16string_view, OutputForm>, 3> kForms{{
    {u"--json", OutputForm::Json},
    {u"--prometheus", OutputForm::Prometheus},
    {u"--nagios", OutputForm::Nagios},
}};

const std::u16string kCodeRefused =
    u"O código de ativação não é aceito na linha de comando, onde outros programas podem lê-lo. " +
    std::u16string(kWhereTheCodeComesFrom);

std::u16string ordinal(std::size_t position) {
  return platform::fromUtf8(std::to_string(position)) + u"º";
}

// A whole number of at most `longest`, digits only; nothing otherwise.
std::optional<int> wholeNumber(std::u16string_view text, int longest) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (value > longest) return std::nullopt;
  return value;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::u16string>& arguments) : arguments_(arguments) {}

  ParsedCommandLine parse() {
    Invocation invocation;
    bool formGiven = false;
    std::optional<Command> command;
    while (next_ < arguments_.size()) {
      const std::size_t position = next_ + 1;
      const std::u16string argument = arguments_[next_++];
      const std::u16string_view name = optionName(argument);
      if (name == u"--ajuda" || name == u"--help" || name == u"-h" || name == u"/?")
        return {std::nullopt, true, {}};
      if (name.starts_with(u"--codigo") && name != u"--codigo-arquivo") return refuse(kCodeRefused);
      if (const auto form = formNamed(name)) {
        if (formGiven) return refuse(u"Use só uma de --json, --prometheus e --nagios.");
        formGiven = true;
        invocation.form = *form;
      } else if (name == u"--superlog") {
        invocation.superLog = true;
      } else if (name == u"--saida" || name == u"--codigo-arquivo") {
        const std::optional<std::u16string> value = optionValue(argument);
        if (!value || value->empty())
          return refuse(std::u16string(name) + u" precisa de um arquivo.");
        (name == u"--saida" ? invocation.output : invocation.codeFile) = platform::Path(*value);
      } else if (name == u"--tempo-limite") {
        const std::optional<std::u16string> value = optionValue(argument);
        const std::optional<int> seconds =
            value ? wholeNumber(*value, kLongestTimeLimitSeconds) : std::nullopt;
        if (!seconds || *seconds < 1)
          return refuse(u"--tempo-limite precisa de um número de segundos de 1 a 86400.");
        invocation.timeLimitSeconds = *seconds;
      } else if (!command && commandNamed(argument)) {
        command = commandNamed(argument);
        if (*command == Command::Sessao && !readSessionNumber(invocation))
          return refuse(u"sessao precisa do número da sessão consultada, de 1 a 999999.");
      } else {
        return refuse(u"Argumento não reconhecido (o " + ordinal(position) + u"). " +
                      std::u16string(kWhereTheCodeComesFrom) +
                      u" Use --ajuda para ver os comandos.");
      }
    }
    if (!command) return refuse(u"Falta o comando. Use --ajuda para ver os comandos.");
    invocation.command = *command;
    if (invocation.superLog && *command != Command::Logs)
      return refuse(u"--superlog vale só para o comando logs.");
    if (*command == Command::Logs && !invocation.output)
      return refuse(u"logs precisa de --saida ARQUIVO para gravar o log.");
    return {invocation, false, {}};
  }

 private:
  static ParsedCommandLine refuse(std::u16string why) {
    return {std::nullopt, false, std::move(why)};
  }

  // "--saida=x" is the option "--saida"; anything else is its own name.
  static std::u16string_view optionName(std::u16string_view argument) {
    if (!argument.starts_with(u"--")) return argument;
    return argument.substr(0, argument.find(u'='));
  }

  // The value after "=", or the next argument.
  std::optional<std::u16string> optionValue(std::u16string_view argument) {
    const std::size_t equals = argument.find(u'=');
    if (equals != std::u16string_view::npos) return std::u16string(argument.substr(equals + 1));
    if (next_ >= arguments_.size()) return std::nullopt;
    return arguments_[next_++];
  }

  static std::optional<OutputForm> formNamed(std::u16string_view name) {
    for (const auto& [known, form] : kForms)
      if (name == known) return form;
    return std::nullopt;
  }

  static std::optional<Command> commandNamed(std::u16string_view name) {
    for (const auto& [known, command] : kCommands)
      if (name == known) return command;
    return std::nullopt;
  }

  bool readSessionNumber(Invocation& invocation) {
    if (next_ >= arguments_.size()) return false;
    const std::optional<int> number = wholeNumber(arguments_[next_], 999999);
    if (!number || *number < 1) return false;
    ++next_;
    invocation.consultedSession = *number;
    return true;
  }

  const std::vector<std::u16string>& arguments_;
  std::size_t next_ = 0;
};

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::u16string>& arguments) {
  return Parser(arguments).parse();
}

std::u16string_view commandName(Command command) {
  for (const auto& [name, known] : kCommands)
    if (known == command) return name;
  return {};
}

bool needsCode(Command command) {
  return command != Command::Consultar;
}

}  // namespace cli
