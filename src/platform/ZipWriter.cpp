#include "platform/ZipWriter.h"

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <optional>

#include "platform/Text.h"

namespace platform {

namespace {

// The format's fields without zip64; all-ones in a field would send a reader
// looking for zip64 records the archive does not have.
constexpr std::uint64_t kLargestEntry = 0xFFFFFFFE;
constexpr std::uint64_t kLargestArchive = 0xFFFFFFFF;
constexpr std::size_t kMostEntries = 0xFFFF;

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndRecordSignature = 0x06054b50;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kEndRecordSize = 22;

constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kUtf8Names = 1 << 11;
// Version 2.0, the first to deflate; the made-by system is MS-DOS (FAT), whose
// attributes, all clear, every reader takes as a plain file.
constexpr std::uint16_t kVersionDeflate = 20;
constexpr std::uint16_t kVersionStore = 10;

void append16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void append32(std::string& out, std::uint32_t value) {
  append16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  append16(out, static_cast<std::uint16_t>(value >> 16));
}

// A name a reader unpacks where it was meant to: relative, no empty, "." or
// ".." folder, no backslash (a separator on Windows) and no NUL.
bool isFaithfulName(std::string_view name) {
  if (name.empty() || name.size() > 0xFFFF) return false;
  if (name.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos) return false;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(name.find('/', start), name.size());
    const std::string_view part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (end == name.size()) break;
    start = end + 1;
  }
  // A malformed sequence comes back from the round trip as U+FFFD.
  return toUtf8(fromUtf8(name)) == name;
}

// The bytes deflated, or nothing when that does not make them smaller.
std::optional<std::string> deflated(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  z_stream stream{};
  // Raw deflate: the archive has its own headers and CRC.
  if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return std::nullopt;  // stored, then, which is as valid
  // Room for one byte less than the input: deflating stops when that is not
  // enough, without compressing the rest for nothing.
  std::string out(bytes.size() - 1, '\0');
  stream.next_in = reinterpret_cast<const Bytef*>(bytes.data());
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  int status = Z_OK;
  do {
    status = deflate(&stream, Z_FINISH);
  } while (status == Z_OK && stream.avail_out > 0);
  const std::size_t size = stream.total_out;
  deflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  out.resize(size);
  return out;
}

std::uint32_t crcOf(std::string_view bytes) {
  const uLong initial = crc32(0L, Z_NULL, 0);
  return static_cast<std::uint32_t>(crc32(initial, reinterpret_cast<const Bytef*>(bytes.data()),
                                          static_cast<uInt>(bytes.size())));
}

std::string quoted(std::string_view name) {
  // Shown as UTF-8 even when the name is not.
  std::string text = "\"";
  text += toUtf8(fromUtf8(name));
  text += '"';
  return text;
}

}  // namespace

ZipWriter::ZipWriter(const Path& target) : ZipWriter(target, localDateTime()) {}

ZipWriter::ZipWriter(const Path& target, const DateTime& stamp)
    : file_(target), targetName_(utf8Path(target)) {
  // The format counts years from 1980 in seven bits and seconds in pairs; a
  // clock outside those years gives the format's first day.
  if (stamp.year >= 1980 && stamp.year <= 2107) {
    dosDate_ =
        static_cast<std::uint16_t>(((stamp.year - 1980) << 9) | (stamp.month << 5) | stamp.day);
    dosTime_ = static_cast<std::uint16_t>((stamp.time.hour << 11) | (stamp.time.minute << 5) |
                                          (stamp.time.second / 2));
  } else {
    dosDate_ = (1 << 5) | 1;
    dosTime_ = 0;
  }
}

void ZipWriter::refuse(const std::string& what) const {
  throw FileError(what + ": " + targetName_);
}

void ZipWriter::write(std::string_view bytes) {
  try {
    file_.write(bytes);
  } catch (...) {
    state_ = State::Broken;
    throw;
  }
  written_ += bytes.size();
}

void ZipWriter::add(std::string_view name, std::string_view bytes) {
  if (state_ != State::Open) refuse("O arquivo compactado não aceita mais arquivos");
  if (!isFaithfulName(name))
    refuse("Nome inválido para um arquivo dentro do arquivo compactado (" + quoted(name) + ")");
  if (names_.find(name) != names_.end())
    refuse("O nome " + quoted(name) + " aparece duas vezes no arquivo compactado");
  if (names_.size() >= kMostEntries)
    refuse("O arquivo compactado não comporta mais de 65535 arquivos");
  if (bytes.size() > kLargestEntry)
    refuse("O arquivo " + quoted(name) + " passa de 4 GB e não cabe no arquivo compactado");

  const std::optional<std::string> compressed = deflated(bytes);
  const std::string_view data = compressed ? std::string_view(*compressed) : bytes;
  const std::uint64_t end = written_ + kLocalHeaderSize + name.size() + data.size() +
                            centralDirectory_.size() + kCentralHeaderSize + name.size() +
                            kEndRecordSize;
  if (end > kLargestArchive) refuse("O arquivo compactado passaria de 4 GB com " + quoted(name));

  const std::uint16_t method = compressed ? kDeflated : kStored;
  const std::uint16_t version = compressed ? kVersionDeflate : kVersionStore;
  const std::uint32_t crc = crcOf(bytes);
  const auto offset = static_cast<std::uint32_t>(written_);

  // The fields the local and the central header share, from the version
  // needed to the length of the extra field.
  std::string common;
  append16(common, version);
  append16(common, kUtf8Names);
  append16(common, method);
  append16(common, dosTime_);
  append16(common, dosDate_);
  append32(common, crc);
  append32(common, static_cast<std::uint32_t>(data.size()));
  append32(common, static_cast<std::uint32_t>(bytes.size()));
  append16(common, static_cast<std::uint16_t>(name.size()));
  append16(common, 0);

  std::string local;
  append32(local, kLocalHeaderSignature);
  local += common;
  local += name;
  write(local);
  write(data);

  append32(centralDirectory_, kCentralHeaderSignature);
  append16(centralDirectory_, kVersionDeflate);
  centralDirectory_ += common;
  append16(centralDirectory_, 0);  // comment length
  append16(centralDirectory_, 0);  // disk number
  append16(centralDirectory_, 0);  // internal attributes
  append32(centralDirectory_, 0);  // external attributes
  append32(centralDirectory_, offset);
  centralDirectory_ += name;
  names_.emplace(name);
}

void ZipWriter::commit() {
  if (state_ == State::Broken) refuse("O arquivo compactado não foi gravado por inteiro");
  if (state_ == State::Committed) refuse("O arquivo compactado já foi concluído");
  const auto entries = static_cast<std::uint16_t>(names_.size());
  std::string end;
  append32(end, kEndRecordSignature);
  append16(end, 0);  // this disk
  append16(end, 0);  // the disk where the central directory starts
  append16(end, entries);
  append16(end, entries);
  append32(end, static_cast<std::uint32_t>(centralDirectory_.size()));
  append32(end, static_cast<std::uint32_t>(written_));
  append16(end, 0);  // comment length
  write(centralDirectory_);
  write(end);
  state_ = State::Broken;  // until the rename succeeds
  file_.commit();
  state_ = State::Committed;
}

}  // namespace platform
