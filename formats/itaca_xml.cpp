#include "formats/itaca_xml.h"

#include <pugixml.hpp>

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

// pugixml accepts several root elements; XML does not, and the second would
// be ignored without a word.
void CheckSingleRoot(const pugi::xml_document& doc, const std::string& fileText,
                     std::string_view text) {
  bool seenRoot = false;
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
    if (n.type() != pugi::node_element) continue;
    if (seenRoot) {
      // The node's offset is that of its name, just after the "<".
      const auto offset = static_cast<std::size_t>(n.offset_debug());
      NotWellFormed(fileText, "hay más de un elemento raíz", text, offset > 0 ? offset - 1 : 0);
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
  for (pugi::xml_attribute a = NodeOf(node_).first_attribute(); a; a = a.next_attribute()) {
    if (name == a.name()) return Utf8ToCp1252(a.value());
  }
  throw Error("Falta el atributo «" + std::string(name) + "» en " + Where() + " (archivo «" +
              (file_ ? *file_ : std::string()) + "»)");
}

std::string XmlElement::Trimmed(std::string_view name) const {
  return AllTrim(Attr(name));
}

bool XmlElement::Has(std::string_view name) const {
  for (pugi::xml_attribute a = NodeOf(node_).first_attribute(); a; a = a.next_attribute()) {
    if (name == a.name()) return true;
  }
  return false;
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
  const std::string key(name);
  pugi::xml_attribute a = node.attribute(key.c_str());
  if (!a) a = node.append_attribute(key.c_str());
  a.set_value(XmlSafeUtf8(cp1252Value).c_str());
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

  DecodedXml decoded = DecodeXmlBytes(ReadFileBytes(file), fileText);
  const std::string& text = decoded.utf8;
  if (decoded.encoding == XmlEncoding::Utf8) {
    const std::size_t bad = FindInvalidUtf8(text);
    if (bad != std::string::npos) {
      NotWellFormed(fileText,
                    decoded.declared ? "hay bytes que no son UTF-8 válido"
                                     : "hay bytes que no son UTF-8 válido (el archivo no declara "
                                       "su codificación y se lee como UTF-8)",
                    text, bad);
    }
  }

  XmlDocument result;
  Impl& impl = *result.impl_;
  impl.file = file;
  impl.fileText = std::make_shared<const std::string>(fileText);
  impl.encoding = decoded.encoding;
  impl.encodingName = EncodingName(decoded.encoding);
  impl.utf8ByteOrderMark = decoded.byteOrderMark && decoded.encoding == XmlEncoding::Utf8;

  const pugi::xml_parse_result parsed =
      impl.doc.load_buffer(text.data(), text.size(), kParseFlags, pugi::encoding_utf8);
  if (!parsed) {
    NotWellFormed(fileText, StatusText(parsed.status), text,
                  static_cast<std::size_t>(parsed.offset));
  }
  CheckSingleRoot(impl.doc, fileText, text);

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
  impl_->doc.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration,
                  pugi::encoding_utf8);
  ReplaceFileBytes(file, EncodeXmlText(writer.text, *encoding, impl_->utf8ByteOrderMark));
}

}  // namespace velmora
