#include "ScoreTokens.h"

#include <cctype>

namespace wispen::sound {

std::vector<Token> TokenizeScore(const std::string& text, const std::string& source) {
  std::vector<Token> tokens;
  int line = 1;
  Token current{"", line, false};
  auto flush = [&] {
    if (!current.text.empty()) tokens.push_back(current);
    current = Token{"", line, false};
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || std::isspace(static_cast<unsigned char>(c))) {
      flush();
      if (c == '\n') ++line;
      current.line = line;
    } else if (c == '#' && current.text.empty()) {  // inside a word it is a sharp
      while (i + 1 < text.size() && text[i + 1] != '\n') ++i;
    } else if (c == '"') {
      flush();
      const size_t close = text.find('"', i + 1);
      const size_t eol = text.find('\n', i + 1);
      if (close == std::string::npos || close > eol) throw SourceError(source, line, "a quote is not closed");
      tokens.push_back(Token{text.substr(i + 1, close - i - 1), line, true});
      i = close;
    } else if (c == '{' || c == '[' || c == '|') {
      flush();
      tokens.push_back(Token{std::string(1, c), line, false});
    } else if (c == '}' || c == ']') {
      flush();
      current.text = c;
    } else {
      current.text += c;
    }
  }
  flush();
  return tokens;
}

}  // namespace wispen::sound
