#include "viewer/core/resources/LayoutTokens.h"

#include "viewer/core/resources/ResourceError.h"

namespace viewer {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

class LineLexer {
 public:
  LineLexer(std::string_view file, int line, std::string_view text) : file_(file), line_(line), text_(text) {}

  std::vector<LayoutToken> Tokens() {
    std::vector<LayoutToken> tokens;
    while (SkipSpaces()) {
      if (text_[pos_] == '#') break;
      tokens.push_back(Token());
    }
    return tokens;
  }

 private:
  bool SkipSpaces() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    return pos_ < text_.size();
  }

  LayoutToken Token() {
    LayoutToken token;
    if (text_[pos_] == '"') {
      token.text = Quoted();
      token.quoted = true;
      return token;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '=' && text_[pos_] != '"') ++pos_;
    token.text = std::string(text_.substr(start, pos_ - start));
    if (pos_ < text_.size() && text_[pos_] == '=') {
      token.key = std::move(token.text);
      ++pos_;
      token.text = Value(&token.quoted);
    } else if (pos_ < text_.size() && text_[pos_] == '"') {
      Fail("a quote inside a word");
    }
    return token;
  }

  std::string Value(bool* quoted) {
    if (pos_ < text_.size() && text_[pos_] == '"') {
      *quoted = true;
      return Quoted();
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  std::string Quoted() {
    std::string out;
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      char c = text_[pos_++];
      if (c == '\\') {
        if (pos_ >= text_.size()) break;
        c = Escape(text_[pos_++]);
      }
      out += c;
    }
    if (pos_ >= text_.size()) Fail("text without a closing quote");
    ++pos_;
    return out;
  }

  char Escape(char c) const {
    switch (c) {
      case '"': return '"';
      case '\\': return '\\';
      case 'n': return '\n';
      case 't': return '\t';
      default: Fail(std::string("unknown escape \\") + c);
    }
  }

  [[noreturn]] void Fail(const std::string& message) const { RaiseResourceError(file_, line_, message); }

  std::string_view file_;
  int line_;
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::vector<LayoutToken> TokenizeLayoutLine(std::string_view file, int line, std::string_view text) {
  return LineLexer(file, line, text).Tokens();
}

}  // namespace viewer
