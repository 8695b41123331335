#pragma once
// Core texts are UTF-8; files hold Windows-1252 bytes. Convert only at the file boundary.
#include <cstddef>
#include <string>
#include <string_view>

namespace vuv {

// True when every byte is below 0x80: the text reads the same in both encodings.
bool tout_ascii(std::string_view texte);

// Every byte maps to one character; the five bytes Windows-1252 leaves undefined map to
// U+0081, U+008D, U+008F, U+0090, U+009D so that any file round-trips.
std::string cp1252_vers_utf8(std::string_view octets);

// Characters Windows-1252 cannot hold are written as '?' and counted in *perdus when given.
// Invalid UTF-8 bytes are treated as single characters of the same value when below 0x100.
std::string utf8_vers_cp1252(std::string_view texte, std::size_t* perdus = nullptr);

// A file's bytes as text: kept as UTF-8 when they are valid UTF-8 holding at least one
// multi-byte character (a leading byte-order mark dropped), read as Windows-1252 otherwise.
std::string texte_de_fichier(std::string_view octets);

// Number of characters (code points) of a UTF-8 text.
std::size_t nb_caracteres(std::string_view texte);

// Byte offset of the character at 0-based character index i (texte.size() past the end).
std::size_t octet_du_caractere(std::string_view texte, std::size_t i);

// Decodes the character at byte offset pos and advances pos; malformed bytes decode as themselves.
char32_t lit_caractere(std::string_view texte, std::size_t& pos);

// Appends a code point in UTF-8.
void ajoute_caractere(std::string& texte, char32_t c);

} // namespace vuv
