#include "engine/ScriptTable.h"

#include <cstring>
#include <new>

uint32_t ScriptTable::Add(const char* text)
{
    if (text == nullptr) return 0;
    size_t length = std::strlen(text);
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (!copy) return 0;
    std::memcpy(copy.get(), text, length + 1);
    uint32_t index = Count();
    try {
        scripts.push_back(std::move(copy));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return index;
}

uint32_t ScriptTable::AddBlock(const char* block, uint32_t size)
{
    uint32_t added = 0;
    uint32_t start = 0;
    while (start < size && block[start] != '\0') {
        uint32_t end = start;
        while (end < size && block[end] != '\0') ++end;
        if (end == size) {
            // Unterminated last text: copy it into a terminated buffer first.
            std::unique_ptr<char[]> text(new (std::nothrow) char[end - start + 1]);
            if (!text) break;
            std::memcpy(text.get(), block + start, end - start);
            text[end - start] = '\0';
            Add(text.get());
            ++added;
            break;
        }
        Add(block + start);
        ++added;
        start = end + 1;
    }
    return added;
}
