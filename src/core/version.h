#pragma once

namespace obi {

inline constexpr const char *programm_version = "5.3.02"; // shown by --version and in titles
inline constexpr int datenbank_version = 5301;             // schema version this program needs
inline constexpr const char *datenbank_version_text = "5.3.0.1";

} // namespace obi
