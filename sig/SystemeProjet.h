#pragma once
// The system of a project being opened: the side file its pair record names (PaireProjet.h),
// or, without a record for these bytes, "<projet>.prj" as before.
#include <string>
#include <string_view>

namespace vuv::sig {

// As lit_prj. `avertissement` (French) says when the system file there is not the one saved
// with the project; the caller shows it before anything else.
bool lit_systeme_projet(const std::string& projet, std::string_view octets, std::string& wkt, std::string& erreur,
                        std::string& avertissement);

} // namespace vuv::sig
