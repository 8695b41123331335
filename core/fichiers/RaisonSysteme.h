#pragma once
// The one table of French words for errno values, shared by the writers and the image readers.
#include <string>

namespace vuv {

// A missing path or a folder in the way reads differently for a file being read and one being written.
enum class Acces { lecture, ecriture };

std::string raison_systeme(int code, Acces acces);

} // namespace vuv
