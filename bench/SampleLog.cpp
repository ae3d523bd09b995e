#include "SampleLog.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string_view>

namespace bench {

namespace {

// In a text every '#' becomes a random digit.
struct Message {
  std::string_view source;
  std::string_view level;
  std::string_view text;
  double weight;
};

constexpr std::array kMessages = {
    Message{"AC-SAT", "info", "Recebida mensagem referente função TesteFimAFim", 6},
    Message{"AC-SAT", "info", "Recebida mensagem referente função ConsultarStatusOperacional", 6},
    Message{"AC-SAT", "info", "Recebida mensagem referente função EnviarDadosVenda", 12},
    Message{"AC-SAT", "info", "Sessão ###### concluída com código 06000 em ### ms", 12},
    Message{"AC-SAT", "debug", "Parâmetros recebidos: numeroSessao=######, tamanho=#### bytes", 5},
    Message{"AC-SAT", "aviso", "Código de ativação digitado não confere; tentativa # de 3", 1},
    Message{"SAT", "info", "Início do processamento do CF-e de venda nº ######", 12},
    Message{"SAT", "info", "Assinatura do CF-e concluída em ### ms", 10},
    Message{"SAT", "debug", "Memória de trabalho: ##### KB livres, ### KB em uso", 4},
    Message{"SAT", "info", "Verificação do certificado digital concluída: válido", 3},
    Message{"SAT", "erro", "Falha na validação do XML de entrada: código de rejeição 1###", 1},
    Message{"SEFAZ", "info", "Conexão estabelecida com o servidor de recepção da SEFAZ", 4},
    Message{"SEFAZ", "info", "Lote ######## transmitido; situação: autorizado o uso", 4},
    Message{"SEFAZ", "aviso", "Tempo de espera esgotado após ## s; nova tentativa agendada", 1},
    Message{"SEFAZ", "erro", "Comunicação interrompida: serviço indisponível (código 1##)", 1},
    Message{"REDE", "info", "Endereço IP obtido por DHCP: 192.168.#.##", 2},
    Message{"REDE", "debug", "Resolução de nomes concluída em ## ms para o endereço da SEFAZ", 2},
    Message{"REDE", "aviso", "Interface de rede sem conexão há ## s; reconexão em andamento", 1},
};

constexpr std::array<std::string_view, 2> kSuperLogStarts = {
    "================= SuperLog MIREL ==================",
    "==================== SuperLog =====================",
};
constexpr std::string_view kSuperLogEnd = "===================================================";

constexpr std::array<std::string_view, 9> kSuperLogLines = {
    "Número de série do equipamento: 900######",
    "Versão do software básico: 01.0#.0#",
    "Estado de operação: DESBLOQUEADO",
    "Nível de bateria: ALTO",
    "Memória de trabalho: ##### KB livres",
    "Certificado digital válido até 20##-0#-1#",
    "Último CF-e transmitido: CFe352##########################################",
    "Conexão com a SEFAZ: estável, tempo médio de resposta ### ms",
    "Situação da memória de CF-e: ## % ocupada",
};

// One SuperLog block every this many bytes of log, the start forms in turn.
constexpr std::size_t kSuperLogEvery = 6'000'000;

class LogWriter {
 public:
  explicit LogWriter(std::size_t size) : size_(size) { log_.reserve(size); }

  // Whether the line fitted; the log ends before the first line that does not.
  bool add(std::string_view source, std::string_view level, std::string_view text) {
    line_ = time();
    line_ += '|';
    line_ += source;
    line_ += '|';
    line_ += level;
    line_ += '|';
    for (const char c : text) line_ += c == '#' ? static_cast<char>('0' + digit_(random_)) : c;
    line_ += '\n';
    if (log_.size() + line_.size() > size_) return false;
    log_ += line_;
    clock_ += std::chrono::seconds(pause_(random_));
    return true;
  }

  bool addMessage() {
    const Message& message = kMessages[pick_(random_)];
    return add(message.source, message.level, message.text);
  }

  bool addSuperLog(std::string_view start) {
    if (!add("SAT", "info", start)) return false;
    for (const std::string_view line : kSuperLogLines)
      if (!add("SAT", "info", line)) return false;
    return add("SAT", "info", kSuperLogEnd);
  }

  std::size_t size() const { return log_.size(); }
  std::string take() { return std::move(log_); }

 private:
  // AAAAMMDDhhmmss
  std::string time() const {
    const auto day = std::chrono::floor<std::chrono::days>(clock_);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{clock_ - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u%02d%02d%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
  }

  std::size_t size_;
  std::string log_;
  std::string line_;
  std::chrono::sys_seconds clock_ = std::chrono::sys_days{std::chrono::year{2019} / 6 / 20} +
                                    std::chrono::hours{12} + std::chrono::minutes{52} +
                                    std::chrono::seconds{10};
  std::mt19937 random_{20190620};
  std::uniform_int_distribution<int> digit_{0, 9};
  std::uniform_int_distribution<int> pause_{0, 3};
  std::discrete_distribution<std::size_t> pick_ = [] {
    std::array<double, kMessages.size()> weights{};
    for (std::size_t i = 0; i < kMessages.size(); ++i) weights[i] = kMessages[i].weight;
    return std::discrete_distribution<std::size_t>(weights.begin(), weights.end());
  }();
};

}  // namespace

std::string sampleLog(std::size_t size) {
  LogWriter writer(size);
  std::size_t blocks = 0;
  for (;;) {
    if (writer.size() >= (blocks + 1) * kSuperLogEvery) {
      if (!writer.addSuperLog(kSuperLogStarts[blocks % kSuperLogStarts.size()])) break;
      ++blocks;
    } else if (!writer.addMessage()) {
      break;
    }
  }
  return writer.take();
}

}  // namespace bench
