#pragma once
// Everything the device remembers between calls; kept in the state file.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "Command.h"

namespace satemu {

struct NetworkSettings {
  std::string tipoInter = "ETHE";
  std::string ssid;
  std::string seg;
  std::string codigo;
  std::string tipoLan = "DHCP";
  std::string lanIP;
  std::string lanMask;
  std::string lanGW;
  std::string lanDNS1;
  std::string lanDNS2;
  std::string usuario;
  std::string senha;
  int proxy = 0;
  std::string proxyIp;
  std::string proxyPorta;
  std::string proxyUser;
  std::string proxySenha;
};

// The taxpayer data the authority hands the device at activation; the device
// prints it in every coupon's emit.
struct Parameterisation {
  std::string xNome = "Padaria e Confeitaria São João Ltda";
  std::string xFant = "Padaria São João";
  std::string xLgr = "Rua da Consolação";
  std::string nro = "1578";
  std::string xCpl = "Térreo";  // left out of the coupon when empty
  std::string xBairro = "Consolação";
  std::string xMun = "São Paulo";
  std::string cep = "01302000";
  std::string cRegTrib = "3";
};

// How the library hands an answer back. Empty and Null change the text; the
// others are acted out by the exported function once the device is done:
// Crash faults with an access violation, DelphiException raises what a
// library written in Delphi raises and leaves it unhandled, and HandledFault
// reads memory it may not read, handles the fault itself and answers.
enum class AnswerForm { Normal, Empty, Null, Crash, HandledFault, DelphiException };
enum class AnswerEncoding { Utf8, Windows1252, InvalidUtf8 };

// Which SuperLog blocks ExtrairLogs shows. Every exchange with the authority
// is kept as a block; Normal frames only the last of them, Several all,
// None none, and Unterminated the last one without its end marker.
enum class SuperLogBlocks { Normal, None, Unterminated, Several };

// How the status answer writes ESTADO_OPERACAO: Number "2", Padded " 2",
// Signed "+2", Text a name of the device's own ("BLOQUEIO_CONTRIBUINTE").
enum class LockStateForm { Number, Padded, Signed, Text };

// Device: sale and cancellation coupons indented over many lines after a
// declaration without encoding, the test coupon on one line without one.
// OneLine: every coupon on one line after a UTF-8 declaration.
enum class CouponForm { Device, OneLine };

// How the status answer writes MT_TOTAL and MT_USADA: Units "2048 MB",
// Bytes "2147483648", as makers do either.
enum class MemoryForm { Units, Bytes };

// Behaviour for demonstrations and for the failure paths of a program.
struct Knobs {
  int latencyMs = 300;
  int activationLatencyMs = 2500;
  // While slowCalls is above zero, each call waits slowMs instead of the
  // latency above and counts slowCalls down.
  int slowMs = 0;
  int slowCalls = 0;
  int lockoutMinutes = 5;
  // The next forcedCalls calls answer forcedAnswer verbatim ("{sessao}" is
  // replaced by the echoed session) or, without one, the return code
  // forcedCode: three digits within the called function's family ("098"),
  // or five digits as they are. -1 forces every call.
  std::string forcedCode;
  std::string forcedAnswer;
  int forcedCalls = 0;
  AnswerForm form = AnswerForm::Normal;
  AnswerEncoding encoding = AnswerEncoding::Utf8;
  bool crlfInBase64 = false;
  bool missingListaFinal = false;
  LockStateForm estadoOperacao = LockStateForm::Number;
  bool wrongSessionEcho = false;
  // A session number among the stored ones is refused with xx097, as later
  // devices do.
  bool rejectReusedSessions = false;
  int hugeLogMegabytes = 0;
  bool crlfInLog = false;
  SuperLogBlocks superLog = SuperLogBlocks::Normal;
  AnswerLayout layout = AnswerLayout::Current;
  CouponForm couponForm = CouponForm::Device;

  // The conditions the operational status reports, so that every state of
  // the device's health can be shown. Unset, the status tells what the
  // device keeps: its certificate's expiry, its last communication, the
  // memory its log and sessions take.
  std::optional<int> certificateDaysLeft;          // CERT_VENCIMENTO this many days from today
  std::optional<int> lastCommunicationMinutesAgo;  // DH_ULTIMA this long ago
  int pendingCoupons = 0;                          // LISTA_INICIAL to LISTA_FINAL
  std::optional<int> memoryUsedPercent;            // MT_USADA as a share of MT_TOTAL
  MemoryForm memoryForm = MemoryForm::Units;
  // The device's clock runs this far ahead of the computer's (behind when
  // negative): DH_ATUAL, the log and the coupons show it.
  int clockOffsetSeconds = 0;
  std::string networkStatus = "CONECTADO";  // STATUS_LAN as written
  std::string batteryLevel = "ALTO";        // NIVEL_BATERIA as written
};

struct StoredSession {
  int number = 0;
  std::string answer;
};

struct LastSale {
  std::string key;      // 44 digits
  std::string stamp;    // AAAAMMDDhhmmss of issue
  std::string epoch;    // seconds since 1970, for the cancellation window
  std::string total;    // vCFe
  std::string buyerId;  // CPF or CNPJ of dest, may be empty
  std::string emit;     // the coupon's emit as one-line XML, repeated by its cancellation
  bool cancelled = false;
};

struct DeviceState {
  // Identity, fixed at the factory.
  std::string serial;         // 9 digits
  std::string emergencyCode;  // for TrocarCodigoDeAtivacao with option 2
  std::string mac;
  std::string softwareVersion = "01.00.00";
  std::string manufactured;  // AAAAMMDDhhmmss

  // The CNPJ the authority linked this serial to; empty accepts any valid one.
  std::string sefazCnpj;

  bool activated = false;
  std::string activationCode;
  std::string cnpj;
  int cUF = 0;
  std::string certificateIssued;   // AAAAMMDD
  std::string certificateExpires;  // AAAAMMDD

  bool associated = false;
  std::string softwareHouseCnpj;
  std::string signAC;

  int lockState = 0;  // ESTADO_OPERACAO 0..4
  int wrongCodes = 0;
  std::string codeLockedUntil;  // AAAAMMDDhhmmss; empty or past: not locked

  int lastCouponNumber = 0;
  std::string lastCouponKey;      // ULTIMO_CF_E_SAT
  std::string lastTransmission;   // DH_CFE
  std::string lastCommunication;  // DH_ULTIMA
  LastSale lastSale;
  std::string lastFiscalAnswer;

  Parameterisation parameterisation;
  NetworkSettings network;
  Knobs knobs;
  std::deque<StoredSession> sessions;  // oldest first
  std::vector<std::string> log;        // lines without their line breaks
};

constexpr std::size_t kStoredSessions = 100;
constexpr std::size_t kStoredLogLines = 5000;

}  // namespace satemu
