#include "formats/itaca_xml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <optional>
#include <utility>

#include "formats/error.h"
#include "formats/file_bytes.h"
#include "formats/text.h"
#include "formats/unicode.h"
#include "formats/xml_encoding.h"

namespace velmora {

namespace fs = std::filesystem;

namespace {

constexpr unsigned kParseFlags = pugi::parse_full;  // keeps declaration, comments, PIs, doctype
constexpr const char* kRootName = "centro";

pugi::xml_node NodeOf(const void* node) {
  return pugi::xml_node(static_cast<pugi::xml_node_struct*>(const_cast<void*>(node)));
}

const char* StatusText(pugi::xml_parse_status status) {
  switch (status) {
    case pugi::status_ok:
      return "sin error";
    case pugi::status_file_not_found:
      return "no se encuentra el archivo";
    case pugi::status_io_error:
      return "error de lectura";
    case pugi::status_out_of_memory:
      return "no hay memoria suficiente";
    case pugi::status_internal_error:
      return "error interno del analizador";
    case pugi::status_unrecognized_tag:
      return "etiqueta no reconocida";
    case pugi::status_bad_pi:
      return "declaración XML o instrucción de proceso mal formada";
    case pugi::status_bad_comment:
      return "comentario mal formado";
    case pugi::status_bad_cdata:
      return "sección CDATA mal formada";
    case pugi::status_bad_doctype:
      return "declaración de tipo de documento mal formada";
    case pugi::status_bad_pcdata:
      return "texto mal formado";
    case pugi::status_bad_start_element:
      return "etiqueta de apertura mal formada";
    case pugi::status_bad_attribute:
      return "atributo mal formado";
    case pugi::status_bad_end_element:
      return "etiqueta de cierre mal formada";
    case pugi::status_end_element_mismatch:
      return "la etiqueta de cierre no corresponde a la de apertura o falta un cierre";
    case pugi::status_append_invalid_root:
      return "nodo raíz no válido";
    case pugi::status_no_document_element:
      return "no contiene ningún elemento";
  }
  return "error desconocido";
}

// Line and column (in characters, from 1) of a byte offset in UTF-8 text.
// CR LF, LF and a lone CR each end a line, as XML reads them.
std::pair<std::size_t, std::size_t> LineColumn(std::string_view text, std::size_t offset) {
  if (offset > text.size()) offset = text.size();
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  std::size_t column = 1;
  for (std::size_t i = lineStart; i < offset; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
  }
  return {line, column};
}

[[noreturn]] void NotWellFormed(const std::string& fileText, const std::string& what,
                                std::string_view text, std::size_t offset) {
  const auto [line, column] = LineColumn(text, offset);
  throw Error("El archivo «" + fileText + "» no es un XML bien formado: " + what + " (línea " +
              std::to_string(line) + ", columna " + std::to_string(column) + ")");
}

// The document's text as it was before the parse changed it in place (names
// cut with NUL bytes, references replaced), to place an error in it.
// Should the file be gone by then, the parsed text places the error well
// enough.
std::string PristineText(const fs::path& file, const std::string& fileText,
                         std::string_view parsed) {
  try {
    return DecodeXmlBytes(ReadFileBytes(file), fileText).utf8;
  } catch (const Error&) {
    return std::string(parsed);
  }
}

// pugixml accepts several root elements; XML does not, and the second would
// be ignored without a word.
void CheckSingleRoot(const pugi::xml_document& doc, const fs::path& file,
                     const std::string& fileText, std::string_view parsed) {
  bool seenRoot = false;
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_element) continue;
    if (seenRoot) {
      // The node's offset is that of its name, just after the "<".
      const auto offset = static_cast<std::size_t>(n.offset_debug());
      NotWellFormed(fileText, "hay más de un elemento raíz", PristineText(file, fileText, parsed),
                    offset > 0 ? offset - 1 : 0);
    }
    seenRoot = true;
  }
}

std::optional<XmlEncoding> DeclaredSaveEncoding(const pugi::xml_document& doc, XmlEncoding source) {
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_declaration) continue;
    const pugi::xml_attribute enc = n.attribute("encoding");
    if (!enc) return XmlEncoding::Utf8;
    const XmlEncoding utf16 =
        source == XmlEncoding::Utf16BE ? XmlEncoding::Utf16BE : XmlEncoding::Utf16LE;
    return EncodingFromName(enc.value(), utf16);
  }
  return XmlEncoding::Utf8;
}

// Whether a node's name (NUL-terminated) is `name`, without measuring it first.
bool SameName(const char* stored, std::string_view name) {
  for (char c : name) {
    if (*stored == '\0' || *stored != c) return false;
    ++stored;
  }
  return *stored == '\0';
}

// The value of the element's attribute `name`, or null when it has none.
// The search starts from `hint` (an attribute of the element, or null) and
// goes round; `hint` becomes the attribute found. (Every pugixml accessor is
// a call into the library: the common case, the hint itself or the one after
// it, makes as few as it can.)
const char* FindValue(const void* node, std::string_view name, const void*& hint) {
  using pugi::xml_attribute;
  using pugi::xml_attribute_struct;
  auto found = [&](const xml_attribute& a) {
    hint = a.internal_object();
    return a.value();
  };
  xml_attribute start;
  if (hint != nullptr) {
    start = xml_attribute(static_cast<xml_attribute_struct*>(const_cast<void*>(hint)));
    if (SameName(start.name(), name)) return found(start);
    for (xml_attribute a = start.next_attribute(); a; a = a.next_attribute())
      if (SameName(a.name(), name)) return found(a);
  }
  for (xml_attribute a = NodeOf(node).first_attribute(); a && a != start; a = a.next_attribute())
    if (SameName(a.name(), name)) return found(a);
  return nullptr;
}

[[noreturn]] void MissingAttribute(std::string_view name, const std::string& where,
                                   const std::string* file) {
  throw Error("Falta el atributo «" + std::string(name) + "» en " + where + " (archivo «" +
              (file ? *file : std::string()) + "»)");
}

// An attribute's UTF-8 value as CP1252 text, without its leading and
// trailing blanks when `trim`. Plain ASCII, the common case, is the same
// bytes. (A blank is one byte in UTF-8 as in CP1252, and never part of a
// longer character: trimming before the conversion gives the same text.)
std::string ToCp1252(const char* value, bool trim) {
  const char* p = value;
  if (trim)
    while (*p == ' ') ++p;
  const char* const begin = p;
  const char* end = p;
  unsigned char high = 0;
  for (; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (!trim || c != ' ') end = p + 1;
    high |= c;
  }
  const std::string_view text(begin, static_cast<std::size_t>(end - begin));
  return high < 0x80 ? std::string(text) : Utf8ToCp1252(text);
}

// A NUL-terminated copy of a text, as pugixml takes names and values: on
// the stack when it is short.
class Terminated {
 public:
  explicit Terminated(std::string_view text) {
    if (text.size() < sizeof small_) {
      text.copy(small_, text.size());
      small_[text.size()] = '\0';
      data_ = small_;
    } else {
      large_.assign(text);
      data_ = large_.c_str();
    }
  }
  Terminated(const Terminated&) = delete;
  Terminated& operator=(const Terminated&) = delete;
  const char* c_str() const { return data_; }

 private:
  char small_[64];
  std::string large_;
  const char* data_;
};

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, std::size_t size) override {
    text.append(static_cast<const char*>(data), size);
  }
};

// XML 1.0 cannot carry the control characters other than tab, LF and CR,
// not even as references: such a byte is written as "?".
std::string XmlSafeUtf8(std::string_view cp1252) {
  std::string safe(cp1252);
  for (char& c : safe) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 && c != '\t' && c != '\n' && c != '\r') c = '?';
  }
  return Cp1252ToUtf8(safe);
}

}  // namespace

struct XmlDocument::Impl {
  // The text the document was parsed from, in place: its names and values
  // live in it. The file's own bytes when it is UTF-8, else their conversion.
  ByteBuffer bytes;
  std::string converted;
  pugi::xml_document doc;
  fs::path file;
  std::shared_ptr<const std::string> fileText;
  XmlEncoding encoding = XmlEncoding::Utf8;
  std::string encodingName;
  bool utf8ByteOrderMark = false;
};

// ---- XmlElement ----

XmlElement::XmlElement(const void* node, std::shared_ptr<const std::string> path, std::size_t index)
    : node_(node), path_(std::move(path)), index_(index) {}

std::string XmlElement::Attr(std::string_view name) const {
  const char* value = FindValue(node_, name, hint_);
  if (value == nullptr) MissingAttribute(name, Where(), file_.get());
  return ToCp1252(value, false);
}

std::string XmlElement::Trimmed(std::string_view name) const {
  const char* value = FindValue(node_, name, hint_);
  if (value == nullptr) MissingAttribute(name, Where(), file_.get());
  return ToCp1252(value, true);
}

bool XmlElement::Has(std::string_view name) const {
  return FindValue(node_, name, hint_) != nullptr;
}

std::string XmlElement::Where() const {
  return (path_ ? *path_ : std::string()) + "[" + std::to_string(index_ + 1) + "]";
}

// ---- XmlNodeList ----

XmlElement XmlNodeList::Item(std::size_t index) const {
  if (index >= nodes_.size()) {
    throw Error("No hay elemento " + std::to_string(index + 1) + " en " + *path_ + " (hay " +
                std::to_string(nodes_.size()) + ")");
  }
  XmlElement e(nodes_[index], path_, index);
  e.file_ = file_;
  return e;
}

// ---- XmlOut ----

XmlOut XmlOut::AppendChild(std::string_view name) {
  pugi::xml_node child = NodeOf(node_).append_child(std::string(name).c_str());
  return XmlOut(child.internal_object());
}

void XmlOut::SetAttribute(std::string_view name, std::string_view cp1252Value) {
  pugi::xml_node node = NodeOf(node_);
  const Terminated key(name);
  pugi::xml_attribute a = node.attribute(key.c_str());
  if (!a) a = node.append_attribute(key.c_str());
  // Printable ASCII, the common case, is its own UTF-8 and safe as it is.
  const bool plain = std::all_of(cp1252Value.begin(), cp1252Value.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x80;
  });
  if (plain) {
    a.set_value(Terminated(cp1252Value).c_str());
  } else {
    a.set_value(XmlSafeUtf8(cp1252Value).c_str());
  }
}

// ---- XmlDocument ----

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;
XmlDocument::~XmlDocument() = default;

XmlDocument XmlDocument::Load(const fs::path& file) {
  const std::string fileText = PathText(file);
  std::error_code ec;
  if (!fs::exists(file, ec)) throw Error("No existe el archivo «" + fileText + "»");

  XmlDocument result;
  Impl& impl = *result.impl_;
  // A UTF-8 file, the common case, is read once and parsed where it was read;
  // a file in another encoding is parsed in its UTF-8 conversion.
  impl.bytes = ReadFileBuffer(file);
  DecodedXml decoded = DetectXmlEncoding(impl.bytes.view(), fileText);
  char* text = nullptr;
  std::size_t size = 0;
  if (decoded.encoding == XmlEncoding::Utf8) {
    const std::size_t start = decoded.byteOrderMark ? 3 : 0;
    text = impl.bytes.data() + start;
    size = impl.bytes.size() - start;
  } else {
    impl.bytes.release();
    impl.converted = std::move(decoded.utf8);
    text = impl.converted.data();
    size = impl.converted.size();
  }
  if (decoded.encoding == XmlEncoding::Utf8) {
    const std::string_view view(text, size);
    const std::size_t bad = FindInvalidUtf8(view);
    if (bad != std::string::npos) {
      NotWellFormed(fileText,
                    decoded.declared ? "hay bytes que no son UTF-8 válido"
                                     : "hay bytes que no son UTF-8 válido (el archivo no declara "
                                       "su codificación y se lee como UTF-8)",
                    view, bad);
    }
  }

  impl.file = file;
  impl.fileText = std::make_shared<const std::string>(fileText);
  impl.encoding = decoded.encoding;
  impl.encodingName = EncodingName(decoded.encoding);
  impl.utf8ByteOrderMark = decoded.byteOrderMark && decoded.encoding == XmlEncoding::Utf8;

  const pugi::xml_parse_result parsed =
      impl.doc.load_buffer_inplace(text, size, kParseFlags, pugi::encoding_utf8);
  if (!parsed) {
    NotWellFormed(fileText, StatusText(parsed.status),
                  PristineText(file, fileText, std::string_view(text, size)),
                  static_cast<std::size_t>(parsed.offset));
  }
  CheckSingleRoot(impl.doc, file, fileText, std::string_view(text, size));

  const pugi::xml_node root = impl.doc.document_element();
  if (std::string_view(root.name()) != kRootName) {
    throw Error("El archivo «" + fileText + "» no es un documento de ITACA: su elemento raíz es «" +
                root.name() + "» y debería ser «" + kRootName + "»");
  }
  return result;
}

const fs::path& XmlDocument::File() const {
  return impl_->file;
}

const std::string& XmlDocument::Encoding() const {
  return impl_->encodingName;
}

XmlNodeList XmlDocument::Select(std::string_view path) const {
  if (path.empty() || path.front() != '/') {
    throw Error("La ruta «" + std::string(path) + "» no es una ruta absoluta de elementos");
  }
  std::vector<pugi::xml_node> current{impl_->doc};
  std::vector<pugi::xml_node> next;
  std::size_t pos = 1;
  while (pos <= path.size()) {
    std::size_t slash = path.find('/', pos);
    if (slash == std::string_view::npos) slash = path.size();
    const std::string_view name = path.substr(pos, slash - pos);
    if (name.empty()) {
      throw Error("La ruta «" + std::string(path) + "» no es una ruta absoluta de elementos");
    }
    // Children of distinct parents, parents in document order: the result
    // stays in document order.
    next.clear();
    for (const pugi::xml_node& parent : current) {
      for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && name == child.name()) next.push_back(child);
      }
    }
    current.swap(next);
    pos = slash + 1;
  }
  XmlNodeList list;
  list.nodes_.reserve(current.size());
  for (const pugi::xml_node& n : current) list.nodes_.push_back(n.internal_object());
  list.path_ = std::make_shared<const std::string>(path);
  list.file_ = impl_->fileText;
  return list;
}

XmlOut XmlDocument::ReplaceRoot(std::string_view name) {
  pugi::xml_document& doc = impl_->doc;
  if (pugi::xml_node root = doc.document_element()) doc.remove_child(root);
  pugi::xml_node fresh = doc.append_child(std::string(name).c_str());
  return XmlOut(fresh.internal_object());
}

void XmlDocument::Save(const fs::path& file) const {
  const std::optional<XmlEncoding> encoding = DeclaredSaveEncoding(impl_->doc, impl_->encoding);
  if (!encoding) {
    throw Error("No se puede escribir en «" + PathText(file) +
                "»: su declaración XML nombra una codificación que no se admite");
  }
  StringWriter writer;
  // UTF-8, the common case, is written as pugixml gives it, without a copy.
  const bool utf8 = *encoding == XmlEncoding::Utf8;
  if (utf8 && impl_->utf8ByteOrderMark) writer.text = "\xEF\xBB\xBF";
  impl_->doc.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration,
                  pugi::encoding_utf8);
  if (utf8) {
    ReplaceFileBytes(file, writer.text);
  } else {
    ReplaceFileBytes(file, EncodeXmlText(writer.text, *encoding, false));
  }
}

}  // namespace velmora
