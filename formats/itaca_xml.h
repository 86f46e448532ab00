#pragma once
// The ITACA document: a small API over pugixml, in the spirit of the DOM
// operations the conversions use.
//
// Reading: Load detects the encoding from the byte-order mark and the XML
// declaration (UTF-8 with or without BOM, UTF-16, ISO-8859-1, ISO-8859-15,
// windows-1252; anything else is an error), parses the file, and checks that
// the root element is `centro`. Select takes an absolute path of element
// names (/centro/docentes/docente) and gives the matching elements in
// document order. Attribute values are given as CP1252 text: a character
// that CP1252 lacks becomes "?".
//
// Writing the result: ReplaceRoot removes the root element with everything
// under it, keeps every other top-level node (XML declaration, comments,
// processing instructions) where it was, and appends a new root element as
// the last top-level node. Save writes the document in the encoding that its
// XML declaration names (UTF-8 when there is none), to a temporary file in
// the same folder renamed over the target.
//
// Every failure is a velmora::Error with a Spanish message that names the
// file and, where it applies, the line and column, or the element's path and
// position and the attribute.
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace velmora {

class XmlDocument;

// One element of a selection, read-only.
class XmlElement {
 public:
  // The attribute's value as CP1252 text, untrimmed. A missing attribute is
  // an error: falta el atributo «documento» en /centro/docentes/docente[12].
  std::string Attr(std::string_view name) const;
  // The value trimmed of blanks (AllTrim), as the conversion steps read it.
  std::string Trimmed(std::string_view name) const;
  bool Has(std::string_view name) const;
  // The element's path with its 1-based position: /centro/docentes/docente[12].
  std::string Where() const;

 private:
  friend class XmlNodeList;
  XmlElement(const void* node, std::shared_ptr<const std::string> path, std::size_t index);
  const void* node_;  // pugi::xml_node_struct*
  std::shared_ptr<const std::string> path_;
  std::size_t index_;
  std::shared_ptr<const std::string> file_;  // the document's file, for messages
  // The attribute found last: the next search starts there, as the steps read
  // an element's attributes mostly in the order the document gives them.
  mutable const void* hint_ = nullptr;  // pugi::xml_attribute_struct*
};

// The elements of a path, in document order.
class XmlNodeList {
 public:
  std::size_t Count() const { return nodes_.size(); }
  XmlElement Item(std::size_t index) const;  // 0 .. Count()-1
  const std::string& Path() const { return *path_; }

 private:
  friend class XmlDocument;
  std::vector<const void*> nodes_;
  std::shared_ptr<const std::string> path_;
  std::shared_ptr<const std::string> file_;  // the document's file, for messages
};

// An element being built in the result document.
class XmlOut {
 public:
  // Appends a child element and returns it.
  XmlOut AppendChild(std::string_view name);
  // Sets an attribute from CP1252 text; attributes keep the order of the calls.
  void SetAttribute(std::string_view name, std::string_view cp1252Value);

 private:
  friend class XmlDocument;
  explicit XmlOut(void* node) : node_(node) {}
  void* node_;  // pugi::xml_node_struct*
};

class XmlDocument {
 public:
  // Loads and checks a document. Errors: missing file, unreadable file,
  // unsupported encoding, not well-formed (line and column), root not `centro`.
  static XmlDocument Load(const std::filesystem::path& file);

  XmlDocument(XmlDocument&&) noexcept;
  XmlDocument& operator=(XmlDocument&&) noexcept;
  ~XmlDocument();

  const std::filesystem::path& File() const;
  // The encoding as detected: "UTF-8", "UTF-16LE", "UTF-16BE", "ISO-8859-1",
  // "ISO-8859-15" or "windows-1252".
  const std::string& Encoding() const;

  // The elements of an absolute path of element names, in document order.
  XmlNodeList Select(std::string_view path) const;

  // Replaces the root element by a new, empty element `name` (see above).
  XmlOut ReplaceRoot(std::string_view name);

  // Saves in the declared encoding through a temporary file and a rename.
  void Save(const std::filesystem::path& file) const;

 private:
  XmlDocument();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace velmora
