// Import Game on any text; what imports must export and import again to
// the same spins and bets.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/text_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kv::InputFile in;
    in.openMemory(std::string_view(reinterpret_cast<const char*>(data), size));
    kv::ImportedGame game;
    if (!kv::readImportText(in, game).ok()) return 0;
    std::string text;
    for (size_t i = 0; i < game.spinCount(); ++i) {
        text += kv::exportLine(game.numbers[i], game.grid(i));
        text += "\r\n";
    }
    kv::InputFile again;
    again.openMemory(text);
    kv::ImportedGame second;
    if (!kv::readImportText(again, second).ok()) std::abort();
    if (second.numbers != game.numbers) std::abort();
    for (size_t i = 0; i < game.spinCount(); ++i) {
        if (!(second.grid(i) == game.grid(i))) std::abort();
    }
    return 0;
}
