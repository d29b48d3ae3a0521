#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace wispen::formats {

// A mistake in a content source; the message names the file and line.
class SourceError : public std::runtime_error {
 public:
  explicit SourceError(const std::string& what) : std::runtime_error(what) {}
};

// One line of a content source: a keyword, some positional words, then named values ("width 120",
// "at 80 130"). '#' starts a comment.
class SourceLine {
 public:
  SourceLine(std::string file, int number, std::vector<std::string> words)
      : file_(std::move(file)), number_(number), words_(std::move(words)) {}

  const std::string& Keyword() const { return words_.front(); }
  int Number() const { return number_; }
  size_t Size() const { return words_.size(); }
  const std::string& Word(size_t i) const;
  double Real(size_t i) const;
  int Int(size_t i) const;

  // Reads the line as `positional` words after the keyword, then named values whose keys and counts of
  // numbers are given. Unknown or repeated keys, missing numbers and stray words are errors.
  struct Named {
    std::map<std::string, std::vector<double>> Values;
    bool Has(const std::string& key) const { return Values.count(key) != 0; }
    double Real(const std::string& key, double fallback) const;
    double At(const std::string& key, size_t i) const { return Values.at(key).at(i); }
  };
  Named Parse(size_t positional, const std::map<std::string, size_t>& keys) const;

  [[noreturn]] void Fail(const std::string& message) const;

 private:
  std::string file_;
  int number_;
  std::vector<std::string> words_;
};

// Splits a source into lines of words, dropping comments and blank lines.
std::vector<SourceLine> ParseSource(const std::string& text, const std::string& file);
std::vector<SourceLine> LoadSource(const std::string& path);

}  // namespace wispen::formats
