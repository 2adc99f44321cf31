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
    // A character that is no command is skipped alone. The end of the text stays where it is (Take
    // leaves a NUL), and so does the end of a block.
    const CommandGrammar* grammar = GrammarOf(Take());
    if (grammar == nullptr) return;
    VelocityOperands velocity;
    switch (grammar->operands) {
    case Operands::None:
        if (grammar->command == Command::BlockEnd) StepBack();
        return;
    case Operands::Number:
        Number(loopCount);
        return;
    case Operands::SpeedAndAngles:
    case Operands::Speed:
        // Both velocity commands are passed over as a speed with up to two comma angles: a passed-over
        // a whose speed has no comma after it leaves that character to run as a command of its own.
        Velocity(Operands::Speed, loopCount, velocity);
        return;
    case Operands::Colour:
        Colour();
        return;
    case Operands::Test:
        Test(loopCount);
        return;
    case Operands::Block:
        if (TakeIf('[')) SkipBlock();
        return;
    }
}
