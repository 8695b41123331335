#pragma once
// A stream of a compound file (the container of .xls workbooks), read from its bytes with every
// sector number, chain and size checked: a damaged file gives nothing, never a read outside it.
#include <optional>
#include <string>
#include <string_view>

namespace vuv {

// The first stream whose name is one of `noms` (ASCII, case ignored), cut to its size; nothing
// when the bytes are not a compound file or the stream cannot be followed to its end.
std::optional<std::string> flux_ole(std::string_view octets, std::initializer_list<std::string_view> noms);

} // namespace vuv
