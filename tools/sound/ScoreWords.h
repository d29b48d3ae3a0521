#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wispen::sound {

// One note word of a score: "c4/8.", "eb3'", "snare/16!", "r/2", or the "]/4" that closes a chord.
struct NoteWord {
  std::string head;               // "c4", "snare", "r", "]"
  std::optional<uint32_t> ticks;  // none: the track's last length
  bool staccato = false;          // ' : sounds half its length
  bool accent = false;            // ! : struck harder
};

// Splits a word into head, length and marks; the error text says what is wrong, else it is empty.
NoteWord SplitNoteWord(const std::string& word, int division, std::string& error);

// A key number: "c4" is middle C (60), "a4" 69, "eb3", "f#5", "b-1"; or a General MIDI drum name
// ("kick", "snare", "hat", "crash", ...). None when the word names neither.
std::optional<int> KeyNumber(const std::string& head);

// "/4" a quarter, "/8." a dotted eighth, "/8t" an eighth triplet, "/2+8" a half tied to an eighth.
std::optional<uint32_t> LengthTicks(const std::string& lengths, int division);

// ppp .. fff as a key velocity.
std::optional<int> DynamicVelocity(const std::string& word);

}  // namespace wispen::sound
