// Open Game, Add File to Game and the merge's record reader on any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/game_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto what : {kv::RecordsToRead::All, kv::RecordsToRead::SpinsOnly}) {
        kv::InputFile in;
        in.openMemory(bytes);
        kv::GameData game;
        if (kv::readGameFile(in, game, what).ok()) {
            kv::GameState state;
            kv::applyGame(state, game);
        }
    }
    return 0;
}
