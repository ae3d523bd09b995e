// The XML parser backend on Windows: the system's XmlLite, with DTD processing
// prohibited so that no entity is ever resolved. MinGW has no import library
// for xmllite.dll, so the reader's factory is looked up at run time.
#include <objidl.h>
#include <windows.h>
#include <xmllite.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Text.h"
#include "platform/XmlParseSupport.h"
#include "platform/win32/SystemFunction.h"
#include "platform/win32/XmlInputGuard.h"

namespace platform {
namespace {

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

CreateXmlReaderFunction createXmlReaderFunction() {
  static const auto function =
      systemFunction<CreateXmlReaderFunction>(L"xmllite.dll", "CreateXmlReader");
  if (function == nullptr)
    throw XmlError("O leitor de XML do sistema (xmllite.dll) não foi encontrado");
  return function;
}

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

// The document as the stream the reader reads, read where it lies rather than
// copied into one of COM's memory streams, whose library the program's start
// need not load. Lives on the stack of parseXmlRoot and outlives the reader,
// which holds it.
class DocumentStream final : public IStream {
 public:
  explicit DocumentStream(std::string_view document) : document_(document) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(ISequentialStream) || id == __uuidof(IStream)) {
      *object = static_cast<IStream*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Owned by its scope: the counts only keep COM's rules.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG wanted, ULONG* read) override {
    const std::size_t count = std::min<std::size_t>(wanted, document_.size() - position_);
    if (count > 0) std::memcpy(buffer, document_.data() + position_, count);
    position_ += count;
    if (read) *read = static_cast<ULONG>(count);
    return count == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin,
                                 ULARGE_INTEGER* position) override {
    long long base = 0;
    if (origin == STREAM_SEEK_CUR) base = static_cast<long long>(position_);
    if (origin == STREAM_SEEK_END) base = static_cast<long long>(document_.size());
    const long long target = base + move.QuadPart;
    if (origin > STREAM_SEEK_END || target < 0 || target > static_cast<long long>(document_.size()))
      return STG_E_INVALIDFUNCTION;
    position_ = static_cast<std::size_t>(target);
    if (position) position->QuadPart = position_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override {
    if (stat == nullptr) return STG_E_INVALIDPOINTER;
    *stat = {};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = document_.size();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override {
    return STG_E_ACCESSDENIED;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                   ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  std::string_view document_;
  std::size_t position_ = 0;
};

ComPointer<IXmlReader> readerOver(IStream* stream) {
  IXmlReader* reader = nullptr;
  if (FAILED(createXmlReaderFunction()(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader),
                                       nullptr))) {
    throw XmlError("Não foi possível criar o leitor de XML do sistema");
  }
  ComPointer<IXmlReader> owned(reader);
  if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxXmlDepth)) ||
      FAILED(reader->SetInput(stream))) {
    throw XmlError("Não foi possível preparar o leitor de XML do sistema");
  }
  return owned;
}

std::string utf8(const WCHAR* text, UINT length) {
  return toUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

std::string qualifiedName(IXmlReader& reader) {
  const WCHAR* name = nullptr;
  UINT length = 0;
  if (FAILED(reader.GetQualifiedName(&name, &length))) throw XmlError("Documento XML inválido");
  return utf8(name, length);
}

std::string value(IXmlReader& reader) {
  const WCHAR* text = nullptr;
  UINT length = 0;
  if (FAILED(reader.GetValue(&text, &length))) throw XmlError("Documento XML inválido");
  return restoredXmlValue(utf8(text, length));
}

void refuseRepeatedAttributes(const XmlElement& element) {
  std::vector<std::string_view> names;
  for (const auto& attribute : element.attributes) names.push_back(attribute.first);
  std::sort(names.begin(), names.end());
  if (std::adjacent_find(names.begin(), names.end()) != names.end()) {
    throw XmlError("Documento XML com atributo repetido em " + element.name);
  }
}

// Builds the tree from the reader's stream of nodes.
class TreeBuilder {
 public:
  void open(IXmlReader& reader) {
    if (root_) throw XmlError("Documento XML com mais de um elemento raiz");
    const bool empty = reader.IsEmptyElement();
    XmlElement element;
    element.name = qualifiedName(reader);
    for (HRESULT result = reader.MoveToFirstAttribute(); result == S_OK;
         result = reader.MoveToNextAttribute()) {
      element.attributes.emplace_back(qualifiedName(reader), value(reader));
    }
    reader.MoveToElement();
    refuseRepeatedAttributes(element);
    open_.push_back(std::move(element));
    if (empty) close();
  }

  void close() {
    if (open_.empty()) throw XmlError("Documento XML inválido");
    XmlElement element = std::move(open_.back());
    open_.pop_back();
    finishXmlElement(element);
    if (open_.empty()) {
      root_ = std::move(element);
    } else {
      open_.back().children.push_back(std::move(element));
    }
  }

  void addText(std::string text, bool onlyWhitespace) {
    if (!open_.empty()) {
      open_.back().text += text;
    } else if (!onlyWhitespace) {
      throw XmlError("Documento XML com texto fora do elemento raiz");
    }
  }

  XmlElement finish() {
    if (!root_ || !open_.empty()) throw XmlError("Documento XML incompleto");
    return std::move(*root_);
  }

 private:
  std::vector<XmlElement> open_;
  std::optional<XmlElement> root_;
};

// What the reader's error means, in words a user can act on; the code stays
// at the end for support.
const char* meaningOf(HRESULT result) {
  switch (static_cast<unsigned long>(result)) {
    case WC_E_DTDPROHIBITED:
    case WC_E_DECLDOCTYPE:
      return "DOCTYPE não é aceito";
    case MX_E_INPUTEND:
    case WC_E_MOREDATA:
      return "o documento termina antes do fim";
    case MX_E_ENCODING:
    case MX_E_ENCODINGSWITCH:
    case MX_E_ENCODINGSIGNATURE:
    case WC_E_ENCNAME:
      return "codificação de caracteres inválida ou não suportada";
    case WC_E_XMLCHARACTER:
      return "caractere não permitido em XML";
    case WC_E_ELEMENTMATCH:
      return "uma marca de fim não corresponde à marca de início";
    case WC_E_UNIQUEATTRIBUTE:
      return "atributo repetido";
    case WC_E_UNDECLAREDENTITY:
      return "referência a uma entidade desconhecida";
    case WC_E_ROOTELEMENT:
      return "o documento deve ter um único elemento raiz";
    case SC_E_MAXELEMENTDEPTH:
      return "elementos aninhados em profundidade demais";
    default:
      return "erro de sintaxe";
  }
}

std::string describeFailure(IXmlReader& reader, HRESULT result) {
  UINT line = 0;
  reader.GetLineNumber(&line);
  char code[16];
  wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
  return "Documento XML inválido (linha " + std::to_string(line) + "): " + meaningOf(result) +
         " (código " + code + ")";
}

}  // namespace

XmlElement parseXmlRoot(std::string_view document) {
  const std::string input = guardedXmlInput(document);
  DocumentStream stream(input);
  const ComPointer<IXmlReader> reader = readerOver(&stream);
  TreeBuilder builder;
  XmlNodeType type = XmlNodeType_None;
  HRESULT result = S_OK;
  // Every node takes at least one byte of the document. Wine's reader
  // answers a document cut off inside an element with empty text nodes for
  // ever instead of an error: more nodes than bytes means it goes round.
  std::size_t nodesLeft = document.size() + 1;
  while ((result = reader->Read(&type)) == S_OK) {
    if (nodesLeft-- == 0) throw XmlError("Documento XML incompleto");
    switch (type) {
      case XmlNodeType_Element:
        builder.open(*reader);
        break;
      case XmlNodeType_EndElement:
        builder.close();
        break;
      case XmlNodeType_Text:
      case XmlNodeType_CDATA:
      case XmlNodeType_Whitespace:
        builder.addText(value(*reader), type == XmlNodeType_Whitespace);
        break;
      case XmlNodeType_DocumentType:
        throw XmlError("Documento XML com DOCTYPE não é aceito");

      default:
        break;
    }
  }
  if (result != S_FALSE) throw XmlError(describeFailure(*reader, result));
  return builder.finish();
}

}  // namespace platform
