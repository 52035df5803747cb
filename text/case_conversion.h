// Upper, lower and sentence case of Windows-1252 texts. Every conversion keeps the length.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qx::text {

enum class CaseConversion { Upper, Lower, Sentence };

// Which letters upper and lower case touch. Ascii maps only a-z and A-Z, as entity texts are
// written. Full maps every letter of the code page that has a single-byte partner in it
// (for example é and É, š and Š, œ and Œ, ÿ and Ÿ), from a fixed table so that the result
// never depends on the process locale. ß, µ and ƒ have no upper-case form in the code page and
// stay as they are. Sentence case always uses the ASCII mapping.
enum class CaseMapping { Ascii, Full };

// Lowers A-Z, then raises the first character of every sentence if it is a-z. A sentence
// starts at the beginning and after every full stop; spaces and round brackets at a sentence
// start are passed over, and any other character ends it.
std::string SentenceCase(std::string_view text);

// Converts text in place.
void ConvertCase(std::span<char> text, CaseConversion conversion, CaseMapping mapping);

// Returns the converted text.
std::string ConvertedCase(std::string_view text, CaseConversion conversion, CaseMapping mapping);

// Whether the conversion would change any character, without building the converted text.
bool ConversionChanges(std::string_view text, CaseConversion conversion, CaseMapping mapping);

} // namespace qx::text
