#include "window/XML.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Stream.h"
#include "platform/Text.h"

namespace zemblo {

// ---------------------------------------------------------------- nodes

TXMLNode::~TXMLNode() {
  // Tear down iteratively: a hostile file can nest deeper than the stack would allow.
  std::vector<std::unique_ptr<TXMLNode>> pending = std::move(Children);
  while (!pending.empty()) {
    std::unique_ptr<TXMLNode> n = std::move(pending.back());
    pending.pop_back();
    for (auto& c : n->Children) pending.push_back(std::move(c));
    n->Children.clear();
  }
}

void TXMLNode::AddAttribute(std::string_view name, std::string_view value) {
  Attributes.push_back({std::string(name), std::string(value)});
}

void TXMLNode::SetAttribute(std::string_view name, std::string_view value) {
  bool found = false;
  for (auto& a : Attributes)
    if (SameText(a.Name, name)) {
      a.Value = value;
      found = true;
    }
  if (!found) AddAttribute(name, value);
}

std::string TXMLNode::GetAttribute(std::string_view name) const {
  for (const auto& a : Attributes)
    if (SameText(a.Name, name)) return a.Value;
  return std::string();
}

TXMLNode* TXMLNode::AddChild(std::unique_ptr<TXMLNode> child) {
  if (!child) return nullptr;
  child->Parent = this;
  Children.push_back(std::move(child));
  return Children.back().get();
}

std::unique_ptr<TXMLNode> TXMLNode::RemoveChild(TXMLNode* child) {
  auto it = std::find_if(Children.begin(), Children.end(), [&](const auto& c) { return c.get() == child; });
  if (it == Children.end()) return nullptr;
  std::unique_ptr<TXMLNode> taken = std::move(*it);
  Children.erase(it);
  return taken;
}

void TXMLNode::DeleteChild(TXMLNode* child) {
  if (child) RemoveChild(child);
}

void TXMLNode::ClearChildren() {
  std::vector<std::unique_ptr<TXMLNode>> gone = std::move(Children);
  Children.clear();
}

TXMLNode* TXMLNode::FindChild(std::string_view name, std::string_view id) const {
  for (const auto& c : Children)
    if (SameText(c->Name, name) && SameText(c->GetAttribute("id"), id)) return c.get();
  return nullptr;
}

// ---------------------------------------------------------------- escaping

std::string EscapeText(std::string_view text) {
  std::string s = ReplaceAll(text, "&", "&amp;");
  s = ReplaceAll(s, "<", "&lt;");
  s = ReplaceAll(s, ">", "&gt;");
  s = ReplaceAll(s, "\"", "&quot;");
  return ReplaceAll(s, "'", "&apos;");
}

std::string UnescapeText(std::string_view text) {
  if (text.find('&') == std::string_view::npos) return std::string(text);
  std::string s = ReplaceAllText(text, "&lt;", "<");
  s = ReplaceAllText(s, "&gt;", ">");
  s = ReplaceAllText(s, "&quot;", "\"");
  s = ReplaceAllText(s, "&apos;", "'");
  return ReplaceAllText(s, "&amp;", "&");
}

// ---------------------------------------------------------------- reading

namespace {

// Digits, and every byte from "A" (0x41) up; everything else ends a name.
bool IsNameChar(unsigned char c) { return (c >= '0' && c <= '9') || c >= 0x41; }

// Cuts the document into tags. Comments are dropped whole, text between tags is skipped.
class TTokenizer {
 public:
  explicit TTokenizer(std::string_view doc) : doc_(doc) {}

  // The next tag, "<" ... ">", or "" at the end. An unfinished tag or comment is dropped.
  std::string_view Next() {
    size_t start = std::string_view::npos;
    while (pos_ < doc_.size()) {
      char c = doc_[pos_++];
      if (start == std::string_view::npos) {
        // A ">" in text is not the end of anything; only "<" opens a tag.
        if (c == '<') start = pos_ - 1;
        continue;
      }
      if (c != '>') continue;
      std::string_view tok = doc_.substr(start, pos_ - start);
      if (!StartsWith(tok, "<!--")) return tok;
      if (EndsWith(tok, "-->")) start = std::string_view::npos;
    }
    return std::string_view();
  }

 private:
  std::string_view doc_;
  size_t pos_ = 0;
};

// Name and attributes out of a start tag; returns whether the tag closes itself ("/>").
bool ParseTag(TXMLNode& node, std::string_view tok) {
  bool empty = tok.size() >= 3 && tok[tok.size() - 2] == '/';
  size_t end = tok.size() - (empty ? 2 : 1);
  enum { kName, kBetween, kAttrName, kBeforeValue, kValue } state = kName;
  std::string attr, value;
  for (size_t i = 1; i < end; ++i) {
    unsigned char c = static_cast<unsigned char>(tok[i]);
    bool nameChar = IsNameChar(c);
    bool quote = c == '"';
    switch (state) {
      case kName:
        if (nameChar) node.Name.push_back(static_cast<char>(c));
        else state = kBetween;
        break;
      case kBetween:
        if (nameChar) {
          attr.assign(1, static_cast<char>(c));
          state = kAttrName;
        }
        break;
      case kAttrName:
        if (nameChar) {
          attr.push_back(static_cast<char>(c));
        } else {
          value.clear();
          state = kBeforeValue;
        }
        break;
      case kBeforeValue:
        if (quote) state = kValue;
        break;
      case kValue:
        if (quote) {
          node.SetAttribute(attr, UnescapeText(value));
          state = kBetween;
        } else {
          value.push_back(static_cast<char>(c));
        }
        break;
    }
  }
  return empty;
}

// Builds the document element from its start tag and the tokens after it. Iterative, so
// nesting depth costs heap, not stack. Input the writer never produces is read robustly:
// a stray "<>", a nameless tag or a declaration inside an element is skipped, an end tag that closes an
// enclosing element closes everything up to it, and any other end tag that matches no open
// element is ignored instead of being taken for a new element.
std::unique_ptr<TXMLNode> ParseDocumentElement(std::string_view first, TTokenizer& tokens) {
  auto root = std::make_unique<TXMLNode>();
  if (ParseTag(*root, first)) return root;
  std::vector<TXMLNode*> open{root.get()};
  auto closes = [](std::string_view tok, const TXMLNode* n) {
    return tok.size() == n->Name.size() + 3 && tok.substr(2, n->Name.size()) == n->Name;
  };
  while (!open.empty()) {
    std::string_view tok = tokens.Next();
    if (tok.empty()) break;  // end of the file: what is open stays as read
    if (tok.size() <= 2 || tok[1] == '!' || tok[1] == '?') continue;
    if (tok[1] == '/') {
      for (size_t k = open.size(); k-- > 0;)
        if (closes(tok, open[k])) {
          open.resize(k);
          break;
        }
      continue;
    }
    auto child = std::make_unique<TXMLNode>();
    bool empty = ParseTag(*child, tok);
    // A tag without a name ("< x>", "<\n...>") is not an element; what follows it stays
    // with the enclosing element.
    if (child->Name.empty()) continue;
    TXMLNode* added = open.back()->AddChild(std::move(child));
    if (!empty) open.push_back(added);
  }
  return root;
}

}  // namespace

void TXMLTree::LoadFromFile(const std::string& path) {
  try {
    TFileStream f(path, TFileStream::fmOpenRead);
    LoadFromStream(f);
  } catch (const std::exception&) {
    // A missing or unreadable file is not an error for any caller.
  }
}

void TXMLTree::LoadFromStream(TStream& stream) {
  Clear();
  int64_t size = stream.Size() - stream.Position();
  if (size <= 0) return;
  std::string doc(static_cast<size_t>(size), '\0');
  stream.ReadBuffer(doc.data(), doc.size());

  TTokenizer tokens(doc);
  std::string_view tok;
  // Skip the prolog: declarations, processing instructions and stray end tags.
  do {
    tok = tokens.Next();
  } while (tok.size() >= 2 && static_cast<unsigned char>(tok[1]) < 0x41);
  if (tok.size() < 3) return;
  Root = ParseDocumentElement(tok, tokens);
}

// ---------------------------------------------------------------- writing

std::string TXMLTree::SaveToString() const {
  std::string out = "<?xml version=\"1.0\"?>\r\n";
  if (!Root) return out;
  // Depth-first with an explicit stack of (node, next child index).
  std::vector<std::pair<const TXMLNode*, size_t>> stack{{Root.get(), 0}};
  auto open = [&](const TXMLNode* n, size_t depth) {
    out.append(depth, ' ');
    out += '<';
    out += n->Name;
    for (const auto& a : n->Attributes) {
      out += ' ';
      out += a.Name;
      out += "=\"";
      out += EscapeText(a.Value);
      out += '"';
    }
    out += n->Children.empty() ? "/>\r\n" : ">\r\n";
  };
  open(Root.get(), 0);
  while (!stack.empty()) {
    auto& [node, next] = stack.back();
    if (node->Children.empty() || next == node->Children.size()) {
      if (!node->Children.empty()) {
        out.append(stack.size() - 1, ' ');
        out += "</" + node->Name + ">\r\n";
      }
      stack.pop_back();
      continue;
    }
    const TXMLNode* child = node->Children[next++].get();
    open(child, stack.size());
    stack.push_back({child, 0});
  }
  return out;
}

void TXMLTree::SaveToFile(const std::string& path) const {
  TSafeFileStream f(path);
  f.WriteString(SaveToString());
  f.Commit();
}

}  // namespace zemblo
