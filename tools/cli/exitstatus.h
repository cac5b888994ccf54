#pragma once

// The exit statuses of qv540-cli, which scripts rely on.
namespace ExitStatus {

inline constexpr int Success = 0;
inline constexpr int RadioFailed = 1; // no answer, a wrong answer, or the port could not be used
inline constexpr int Usage = 2;
inline constexpr int FileFailed = 3;  // a file that cannot be read or written, or is no data file
inline constexpr int Refused = 4;     // the radio's band differs from the file's, no --yes
inline constexpr int Different = 5;   // verify found a difference
inline constexpr int Interrupted = 130; // Ctrl+C or SIGTERM during a session, as shells count it

} // namespace ExitStatus
