// The shared readers: integers, bet lines and the line splitter.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/bet_text.h"
#include "files/file_status.h"
#include "files/input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kv::InputFile in;
    in.openMemory(bytes);
    std::string line;
    size_t total = 0;
    while (in.readLine(line)) {
        total += line.size();
        if (const auto v = kv::parseInt32(line)) {
            if (kv::intText(*v) != line && line.find_first_not_of("-0123456789") != std::string::npos)
                std::abort();
        }
        kv::BetGrid grid;
        if (kv::TextToBets(line, grid).ok()) {
            kv::BetGrid again;
            if (!kv::TextToBets(kv::BetsToText(grid), again).ok() || !(again == grid)) std::abort();
        }
        const std::string up = kv::ChangeCase(line, kv::CaseDirection::ToUpper);
        if (up.size() != line.size()) std::abort();
    }
    if (total > size) std::abort();
    return 0;
}
