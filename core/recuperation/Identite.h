#pragma once
// Who holds a recovery file, written into its lock: the machine, its boot, the process and the
// moment it started. The lock says whether its program still runs; this says so too when the
// lock cannot be trusted (a lock file deleted by hand, a folder shared over a network whose
// locks are only local).
#include <string>
#include <string_view>

namespace vuv {

// This program's, on one line.
std::string identite_programme();

// True when the identity is that of a program running now on this machine (a process of that
// number that started at that moment, since the same boot).
bool programme_vivant(std::string_view identite);

} // namespace vuv
