#include "engine/ScriptReader.h"

#include "engine/Random.h"

int32_t ScriptReader::Whole()
{
    bool negative = TakeIf('-');
    uint32_t value = 0;
    while (*pc >= '0' && *pc <= '9') {
        if (reads >= readLimit) {
            cut = true;
            break;
        }
        value = value * 10u + static_cast<uint32_t>(*pc - '0');
        ++pc;
        ++reads;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

int32_t ScriptReader::Number(uint32_t loopCount)
{
    int32_t first = Whole();
    if (TakeIf('~')) {
        int32_t second = Whole();
        if (TakeIf('*')) {
            first = static_cast<int32_t>(static_cast<uint32_t>(first) * loopCount);
            second = static_cast<int32_t>(static_cast<uint32_t>(second) * loopCount);
        }
        return RandomRange(first, second);
    }
    if (TakeIf('*')) return static_cast<int32_t>(static_cast<uint32_t>(first) * loopCount);
    return first;
}

namespace {
uint32_t HexDigit(char c)
{
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    return 0;
}
}  // namespace

uint32_t ScriptReader::HexByte()
{
    uint32_t high = HexDigit(Take());
    uint32_t low = HexDigit(Take());
    return high * 16u + low;
}

void ScriptReader::SkipBlock()
{
    uint32_t depth = 1;
    while (*pc != '\0') {
        if (reads >= readLimit) {
            cut = true;
            return;
        }
        char c = *pc++;
        ++reads;
        if (c == '[') ++depth;
        if (c == ']' && --depth == 0) return;
    }
}

void ScriptReader::SkipCommand(uint32_t loopCount)
{
    char c = Take();
    switch (c) {
    case '\0':
        return;
    case ']':
        StepBack();
        return;
    case '%':
    case 'T':
    case 'l':
    case 'p':
        Number(loopCount);
        return;
    case 'a':
    case 'v':
        Number(loopCount);
        for (int more = 0; more < 2 && TakeIf(','); ++more) Number(loopCount);
        return;
    case 'c':
        HexByte();
        HexByte();
        HexByte();
        return;
    case 's':
        if (TakeIf('[')) SkipBlock();
        return;
    case 'u':
        // The whole until command goes, not just its letter: otherwise its axis, comparison and bound
        // would run as commands of their own.
        Take();
        Take();
        Number(loopCount);
        return;
    default:
        return;
    }
}
