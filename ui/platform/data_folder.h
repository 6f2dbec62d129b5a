#pragma once

#include <filesystem>

namespace orvell::platform {

// The folder where the program keeps the user's files, as the system names it
// (~/.local/share/Orvell on Linux, %APPDATA%\Orvell on Windows); empty when it names none.
// It may not exist yet.
std::filesystem::path dataFolder();

}  // namespace orvell::platform
