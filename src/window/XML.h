// The small XML reader and writer that holds a project's windows and controls and the
// component definitions. Elements and attributes only: text between tags means nothing
// here, the reader skips it and the writer never writes any.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zemblo {

class TStream;

struct TXMLAttribute {
  std::string Name;
  std::string Value;
};

// One element. Names (of elements and attributes) compare without regard to ASCII case.
class TXMLNode {
 public:
  TXMLNode() = default;
  explicit TXMLNode(std::string name) : Name(std::move(name)) {}
  ~TXMLNode();
  TXMLNode(const TXMLNode&) = delete;
  TXMLNode& operator=(const TXMLNode&) = delete;

  TXMLNode* Parent = nullptr;  // not owning; set by AddChild
  std::string Name;
  std::vector<TXMLAttribute> Attributes;  // in order of first insertion
  std::vector<std::unique_ptr<TXMLNode>> Children;

  // Appends even when the name is already there.
  void AddAttribute(std::string_view name, std::string_view value);
  // Changes every attribute of that name in place (keeping its stored letter case), or
  // appends one when there is none.
  void SetAttribute(std::string_view name, std::string_view value);
  // The first attribute of that name, or "" (a missing and an empty attribute read the same).
  std::string GetAttribute(std::string_view name) const;

  // Takes ownership; returns the child.
  TXMLNode* AddChild(std::unique_ptr<TXMLNode> child);
  // Takes the first occurrence out and hands it back to the caller (nothing when it is not a
  // child). Its Parent is left as it was.
  std::unique_ptr<TXMLNode> RemoveChild(TXMLNode* child);
  // RemoveChild, then destroys it with its subtree. Null does nothing.
  void DeleteChild(TXMLNode* child);
  void ClearChildren();
  // The first child whose Name equals `name` and whose "id" equals `id` (both without
  // regard to ASCII case), or null.
  TXMLNode* FindChild(std::string_view name, std::string_view id) const;
};

class TXMLTree {
 public:
  TXMLTree() = default;
  ~TXMLTree() = default;
  TXMLTree(const TXMLTree&) = delete;
  TXMLTree& operator=(const TXMLTree&) = delete;

  std::unique_ptr<TXMLNode> Root;  // the document element, or none

  void Clear() { Root.reset(); }
  // Swallows every error; a file that cannot be opened leaves the tree as it was.
  void LoadFromFile(const std::string& path);
  // Clears, then reads the document. A read error leaves the tree empty.
  void LoadFromStream(TStream& stream);
  // Replaces the file only once the whole document is written; raises EInOutError.
  void SaveToFile(const std::string& path) const;
  // The bytes SaveToFile writes.
  std::string SaveToString() const;
};

// "&" "<" ">" '"' "'" as entities, "&" first.
std::string EscapeText(std::string_view text);
// The five entities back (names without regard to case), "&amp;" last.
std::string UnescapeText(std::string_view text);

}  // namespace zemblo
