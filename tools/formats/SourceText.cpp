#include "SourceText.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace wispen::formats {

namespace {

bool ParseReal(const std::string& word, double& value) {
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, value);
  return ec == std::errc() && ptr == end && std::isfinite(value);
}

}  // namespace

void SourceLine::Fail(const std::string& message) const {
  throw SourceError(file_ + ":" + std::to_string(number_) + ": " + message);
}

const std::string& SourceLine::Word(size_t i) const {
  if (i >= words_.size()) Fail("'" + Keyword() + "' needs more values");
  return words_[i];
}

double SourceLine::Real(size_t i) const {
  double v = 0;
  if (!ParseReal(Word(i), v)) Fail("'" + words_[i] + "' is not a number");
  return v;
}

int SourceLine::Int(size_t i) const {
  const double v = Real(i);
  if (v != std::floor(v) || std::fabs(v) > 1e9) Fail("'" + words_[i] + "' is not a whole number");
  return static_cast<int>(v);
}

double SourceLine::Named::Real(const std::string& key, double fallback) const {
  auto it = Values.find(key);
  return it == Values.end() ? fallback : it->second.at(0);
}

SourceLine::Named SourceLine::Parse(size_t positional, const std::map<std::string, size_t>& keys) const {
  Named named;
  size_t i = 1 + positional;
  if (words_.size() < i) Fail("'" + Keyword() + "' needs " + std::to_string(positional) + " values");
  while (i < words_.size()) {
    auto key = keys.find(words_[i]);
    if (key == keys.end()) Fail("unexpected '" + words_[i] + "' in '" + Keyword() + "'");
    if (named.Has(key->first)) Fail("'" + key->first + "' given twice");
    std::vector<double> values;
    for (size_t k = 0; k < key->second; ++k) {
      if (i + 1 + k >= words_.size())
        Fail("'" + key->first + "' needs " + std::to_string(key->second) + " numbers");
      values.push_back(Real(i + 1 + k));
    }
    named.Values[key->first] = std::move(values);
    i += 1 + key->second;
  }
  return named;
}

std::vector<SourceLine> ParseSource(const std::string& text, const std::string& file) {
  std::vector<SourceLine> lines;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> list;
    for (std::string w; words >> w;) list.push_back(w);
    if (!list.empty()) lines.emplace_back(file, number, std::move(list));
  }
  return lines;
}

std::vector<SourceLine> LoadSource(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw SourceError("cannot open " + path);
  std::stringstream text;
  text << in.rdbuf();
  return ParseSource(text.str(), path);
}

}  // namespace wispen::formats
