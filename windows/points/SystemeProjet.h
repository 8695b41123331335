#pragma once
// The system of a project being opened: the side file its pair record names, or, without a
// record for these bytes, "<projet>.prj" as before.
#include <string>
#include <string_view>

namespace vuv {

// As sig::lit_prj; a system file that is not the one saved with the project is told first.
bool lit_systeme_projet(const std::string& projet, std::string_view octets, std::string& wkt, std::string& erreur);

} // namespace vuv
