// The append-only list of firework script texts. Sparks point into these texts, so a text is never
// changed or removed while the table lives; its owner keeps it until every spark is gone.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class ScriptTable {
public:
    // Stores an owned copy of the text and returns its index. When no memory is left the table stays
    // as it was and 0 is returned (no caller reads the result).
    uint32_t Add(const char* text);
    uint32_t Count() const { return static_cast<uint32_t>(scripts.size()); }
    const char* Script(uint32_t index) const { return index < scripts.size() ? scripts[index].get() : nullptr; }

    // Adds every text of a resource block: NUL-terminated texts ended by an empty text. Reads no
    // further than size bytes, so a block without its final empty text is still safe. Returns how
    // many texts were added.
    uint32_t AddBlock(const char* block, uint32_t size);

private:
    std::vector<std::unique_ptr<char[]>> scripts;
};
