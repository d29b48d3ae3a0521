#include "Score.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <map>
#include <optional>

#include "ScoreTokens.h"
#include "ScoreWords.h"

namespace wispen::sound {

namespace {

constexpr int kDivision = 480;
constexpr int kDrumChannel = 9;
constexpr int kMaxNesting = 16;
constexpr int kAccent = 20;

using Tokens = std::vector<Token>;

// The words that end a track's music: what follows belongs to the score, not the track.
bool IsDirective(const Token& token) {
  static const char* const kDirectives[] = {"track", "define", "title", "tempo", "meter"};
  return !token.quoted &&
         std::find(std::begin(kDirectives), std::end(kDirectives), token.text) != std::end(kDirectives);
}

struct TrackState {
  MidiTrack track;
  int channel = -1;
  bool sounded = false;  // a note has been written: the channel is fixed from here on
  uint32_t tick = 0;
  uint32_t lastLength = kDivision;
  int velocity = 80;
  int transpose = 0;
  int transposeBase = 0;  // the shift of the enclosing group; transpose=N is on top of it
};

class ScoreParser {
 public:
  ScoreParser(const std::string& source) : source_(source) {}
  Song Parse(const Tokens& tokens);

 private:
  [[noreturn]] void Fail(const Token& at, const std::string& what) const {
    throw SourceError(source_, at.line, what);
  }
  int Number(const Token& at, const std::string& text, int low, int high) const;
  size_t MatchingClose(const Tokens& tokens, size_t open, size_t end) const;
  size_t Define(const Tokens& tokens, size_t at);
  void Play(const Tokens& tokens, size_t begin, size_t end, TrackState& state, int depth);
  size_t PlayOne(const Tokens& tokens, size_t i, size_t end, TrackState& state, int depth);
  void Setting(const Token& token, TrackState& state);
  void Sound(const Token& at, const std::vector<int>& keys, const NoteWord& word, TrackState& state);
  void Emit(TrackState& state, uint8_t status, int a, int b = -1) const;
  void FinishTrack(TrackState& state, const Token& at);

  std::string source_;
  std::map<std::string, Tokens> phrases_;
  MidiTrack conductor_;
  std::vector<TrackState> tracks_;
  int barTicks_ = 4 * kDivision;
  int nextChannel_ = 0;
};

int ScoreParser::Number(const Token& at, const std::string& text, int low, int high) const {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) Fail(at, "'" + text + "' is not a whole number");
  if (value < low || value > high) {
    Fail(at, text + " is outside " + std::to_string(low) + ".." + std::to_string(high));
  }
  return value;
}

size_t ScoreParser::MatchingClose(const Tokens& tokens, size_t open, size_t end) const {
  const char opener = tokens[open].text[0];
  const char closer = opener == '{' ? '}' : ']';
  int depth = 0;
  for (size_t i = open; i < end; ++i) {
    if (tokens[i].quoted) continue;
    if (tokens[i].text == std::string(1, opener)) ++depth;
    if (tokens[i].text[0] == closer && --depth == 0) return i;
  }
  Fail(tokens[open], std::string("this '") + opener + "' is never closed");
}

Song ScoreParser::Parse(const Tokens& tokens) {
  bool tempoSet = false;
  size_t i = 0;
  while (i < tokens.size()) {
    const Token& word = tokens[i];
    const bool last = i + 1 >= tokens.size();
    if (word.text == "define") {
      i = Define(tokens, i);
    } else if (word.text == "title" || word.text == "tempo" || word.text == "meter") {
      if (!tracks_.empty()) Fail(word, "'" + word.text + "' belongs before the first track");
      if (last) Fail(word, "'" + word.text + "' needs a value");
      const Token& value = tokens[i + 1];
      if (word.text == "title") {
        conductor_.events.push_back(TextMeta(0, 0x03, value.text));
      } else if (word.text == "tempo") {
        conductor_.events.push_back(TempoMeta(0, Number(value, value.text, 10, 400)));
        tempoSet = true;
      } else {
        const size_t slash = value.text.find('/');
        if (slash == std::string::npos) Fail(value, "a metre reads like 3/4");
        const int beats = Number(value, value.text.substr(0, slash), 1, 32);
        const int unit = Number(value, value.text.substr(slash + 1), 1, 32);
        if ((unit & (unit - 1)) != 0) Fail(value, "the metre's beat must be 1, 2, 4, 8, 16 or 32");
        barTicks_ = beats * 4 * kDivision / unit;
        conductor_.events.push_back(
            MetaEvent(0, 0x58,
                      {static_cast<uint8_t>(beats),
                       static_cast<uint8_t>(std::countr_zero(static_cast<unsigned>(unit))), 24, 8}));
      }
      i += 2;
    } else if (word.text == "track") {
      if (last) Fail(word, "a track needs a name");
      TrackState state;
      state.track.events.push_back(TextMeta(0, 0x03, tokens[i + 1].text));
      size_t end = i + 2;
      while (end < tokens.size() && !IsDirective(tokens[end])) ++end;
      Play(tokens, i + 2, end, state, 0);
      FinishTrack(state, word);
      tracks_.push_back(std::move(state));
      i = end;
    } else {
      Fail(word, "'" + word.text + "' outside a track (expected title, tempo, meter, define or track)");
    }
  }
  if (tracks_.empty()) throw SourceError(source_, 1, "the score has no tracks");
  if (!tempoSet) conductor_.events.push_back(TempoMeta(0, 120));
  Song song;
  song.division = kDivision;
  song.tracks.push_back(conductor_);
  for (TrackState& t : tracks_) song.tracks.push_back(std::move(t.track));
  return song;
}

size_t ScoreParser::Define(const Tokens& tokens, size_t at) {
  if (at + 2 >= tokens.size() || tokens[at + 2].text != "{")
    Fail(tokens[at], "a phrase reads: define NAME { ... }");
  const size_t close = MatchingClose(tokens, at + 2, tokens.size());
  if (tokens[close].text != "}") Fail(tokens[close], "a phrase's closing '}' takes no repeat");
  const std::string& name = tokens[at + 1].text;
  if (phrases_.count(name) != 0) Fail(tokens[at + 1], "the phrase '" + name + "' is defined twice");
  phrases_[name] = Tokens(tokens.begin() + static_cast<std::ptrdiff_t>(at + 3),
                          tokens.begin() + static_cast<std::ptrdiff_t>(close));
  return close + 1;
}

void ScoreParser::Play(const Tokens& tokens, size_t begin, size_t end, TrackState& state, int depth) {
  if (depth > kMaxNesting)
    Fail(tokens[begin], "phrases and repeats nest too deep (a phrase that uses itself?)");
  // A transpose inside a group or phrase lasts to the end of it and adds to the shift around it, so a
  // phrase that moves its own figure about can itself be played in another key.
  const int outerShift = state.transpose;
  const int outerBase = state.transposeBase;
  state.transposeBase = state.transpose;
  for (size_t i = begin; i < end;) i = PlayOne(tokens, i, end, state, depth);
  state.transpose = outerShift;
  state.transposeBase = outerBase;
}

size_t ScoreParser::PlayOne(const Tokens& tokens, size_t i, size_t end, TrackState& state, int depth) {
  const Token& token = tokens[i];
  const std::string& w = token.text;
  if (w.empty()) Fail(token, "an empty word");
  if (!token.quoted && w == "{") {
    const size_t close = MatchingClose(tokens, i, end);
    int times = 1;
    const std::string& tail = tokens[close].text;
    if (tail.size() > 1) {
      if (tail[1] != '*') Fail(tokens[close], "a repeat reads }*N");
      times = Number(tokens[close], tail.substr(2), 1, 999);
    }
    for (int n = 0; n < times; ++n) Play(tokens, i + 1, close, state, depth + 1);
    return close + 1;
  }
  if (!token.quoted && w == "[") {
    const size_t close = MatchingClose(tokens, i, end);
    std::vector<int> keys;
    for (size_t k = i + 1; k < close; ++k) {
      const std::optional<int> key = KeyNumber(tokens[k].text);
      if (!key) Fail(tokens[k], "'" + tokens[k].text + "' in a chord is not a note");
      keys.push_back(*key);
    }
    if (keys.empty()) Fail(token, "an empty chord");
    std::string error;
    const NoteWord word = SplitNoteWord(tokens[close].text, kDivision, error);
    if (!error.empty() || word.head != "]")
      Fail(tokens[close], error.empty() ? "a chord closes with ]/LENGTH" : error);
    Sound(token, keys, word, state);
    return close + 1;
  }
  if (!token.quoted && (w[0] == '}' || w[0] == ']')) Fail(token, "'" + w + "' closes nothing");
  if (w == "|") {
    if (state.tick % static_cast<uint32_t>(barTicks_) != 0) {
      Fail(token, "bar check: " + std::to_string(state.tick % static_cast<uint32_t>(barTicks_)) +
                      " ticks into the bar (a quarter is " + std::to_string(kDivision) + ")");
    }
    return i + 1;
  }
  if (w[0] == '$') {
    const auto phrase = phrases_.find(w.substr(1));
    if (phrase == phrases_.end()) Fail(token, "no phrase is called '" + w.substr(1) + "' (define it first)");
    const Tokens body = phrase->second;
    Play(body, 0, body.size(), state, depth + 1);
    return i + 1;
  }
  if (const std::optional<int> velocity = DynamicVelocity(w)) {
    state.velocity = *velocity;
    return i + 1;
  }
  if (w == "drums") {
    if (state.sounded) Fail(token, "'drums' must come before the first note");
    state.channel = kDrumChannel;
    return i + 1;
  }
  if (w.find('=') != std::string::npos) {
    Setting(token, state);
    return i + 1;
  }
  std::string error;
  const NoteWord word = SplitNoteWord(w, kDivision, error);
  if (!error.empty()) Fail(token, error);
  if (word.head == "r") {
    Sound(token, {}, word, state);
    return i + 1;
  }
  const std::optional<int> key = KeyNumber(word.head);
  if (!key) Fail(token, "'" + w + "' is not a note, a rest or a word I know");
  Sound(token, {*key}, word, state);
  return i + 1;
}

void ScoreParser::Setting(const Token& token, TrackState& state) {
  const size_t eq = token.text.find('=');
  const std::string name = token.text.substr(0, eq);
  const std::string value = token.text.substr(eq + 1);
  if (name == "tempo") {
    conductor_.events.push_back(TempoMeta(state.tick, Number(token, value, 10, 400)));
  } else if (name == "transpose") {
    state.transpose = state.transposeBase + Number(token, value, -48, 48);
  } else if (name == "channel") {
    if (state.sounded) Fail(token, "the channel must be set before the first note");
    state.channel = Number(token, value, 1, 16) - 1;
  } else if (name == "program") {
    Emit(state, 0xC0, Number(token, value, 1, 128) - 1);
  } else {
    static const std::map<std::string, int> kControllers = {
        {"volume", 7}, {"pan", 10}, {"expression", 11}, {"reverb", 91}, {"chorus", 93}};
    const auto controller = kControllers.find(name);
    if (controller == kControllers.end()) Fail(token, "no setting is called '" + name + "'");
    Emit(state, 0xB0, controller->second, Number(token, value, 0, 127));
  }
}

void ScoreParser::Emit(TrackState& state, uint8_t status, int a, int b) const {
  // The channel nibble is filled in by FinishTrack, once the track has said which channel it wants.
  MidiEvent e{state.tick, {status, static_cast<uint8_t>(a)}};
  if (b >= 0) e.bytes.push_back(static_cast<uint8_t>(b));
  state.track.events.push_back(std::move(e));
}

void ScoreParser::Sound(const Token& at, const std::vector<int>& keys, const NoteWord& word,
                        TrackState& state) {
  const uint32_t length = word.ticks.value_or(state.lastLength);
  state.lastLength = length;
  if (!keys.empty()) {
    state.sounded = true;
    const uint32_t sounding = word.staccato ? std::max<uint32_t>(length / 2, 1) : length;
    const int velocity = std::min(127, state.velocity + (word.accent ? kAccent : 0));
    const bool drums = state.channel == kDrumChannel;
    for (int key : keys) {
      const int shifted = key + (drums ? 0 : state.transpose);
      if (shifted < 0 || shifted > 127) Fail(at, "the note is transposed out of the keyboard");
      Emit(state, 0x90, shifted, velocity);
      state.track.events.push_back(
          MidiEvent{state.tick + sounding, {0x80, static_cast<uint8_t>(shifted), 0}});
    }
  }
  state.tick += length;
}

void ScoreParser::FinishTrack(TrackState& state, const Token& at) {
  if (state.channel < 0) {
    if (nextChannel_ == kDrumChannel) ++nextChannel_;
    if (nextChannel_ > 15) Fail(at, "more tracks than MIDI channels");
    state.channel = nextChannel_++;
  }
  for (MidiEvent& e : state.track.events) {
    if (e.bytes[0] >= 0x80 && e.bytes[0] < 0xF0)
      e.bytes[0] = static_cast<uint8_t>((e.bytes[0] & 0xF0) | state.channel);
  }
  // A rest at the end still counts: the track lasts until its last note or rest is over, which lets the
  // last chord ring out before the piece is done.
  uint32_t last = 0;
  for (const MidiEvent& e : state.track.events) last = std::max(last, e.tick);
  if (last < state.tick) state.track.events.push_back(TextMeta(state.tick, 0x06, "end"));
}

}  // namespace

Song ParseScore(const std::string& text, const std::string& source) {
  return ScoreParser(source).Parse(TokenizeScore(text, source));
}

}  // namespace wispen::sound
