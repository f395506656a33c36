// The settings file with the last game on any bytes; what reads must write
// back and read again to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::InputFile in;
    in.openMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    kv::SettingsFileData read;
    if (!kv::readSettingsFile(in, read).ok()) return 0;
    kv::GameState state;
    kv::Settings settings;
    kv::applySettingsFile(std::move(read), state, settings);
    // The text part must be readable again, whatever the values hold.
    const std::string text = kv::settingsTextPart(kv::captureSavedGame(state), settings);
    std::string file = text;
    const int32_t m = kv::settingsHistoryCount(state.SpinCount);
    file.append(static_cast<size_t>(m) * 210 * 4, '\0');
    kv::InputFile again;
    again.openMemory(file);
    kv::SettingsFileData second;
    if (!kv::readSettingsFile(again, second).ok()) std::abort();
    return 0;
}
