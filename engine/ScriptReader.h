// Reading a script text in place: characters, numeric operands (with ranges and the loop-count
// multiplier), hexadecimal colour bytes, and skipping a command or a bracketed block. Every reader
// stops at the text's terminating NUL and never moves past it, whatever the text holds.
#pragma once
#include <cstdint>

class ScriptReader {
public:
    explicit ScriptReader(const char* position) : pc(position) {}

    char Peek() const { return *pc; }
    // The character at pc; advances unless it is the terminating NUL.
    char Take()
    {
        char c = *pc;
        if (c != '\0') ++pc;
        return c;
    }
    // Takes the character at pc when it is c.
    bool TakeIf(char c)
    {
        if (c == '\0' || *pc != c) return false;
        ++pc;
        return true;
    }
    // Moves back onto the character just taken (the interpreter leaves a dead spark on its ']').
    void StepBack() { --pc; }

    // An operand: [-]digits, optionally ~[-]digits (a range, drawn anew at every read), optionally
    // followed by * (both bounds times loopCount). No digits reads as 0. Arithmetic wraps at 32 bits.
    int32_t Number(uint32_t loopCount);
    // Two characters as one hexadecimal byte; a character that is not a hex digit counts as 0, and a
    // NUL is not consumed (it counts as 0 too).
    uint32_t HexByte();

    // Skips the rest of a block whose '[' has been taken: pc ends after the matching ']', or on the NUL
    // when the block is never closed.
    void SkipBlock();
    // Skips the command at pc with its operands (after a failed chance test). A NUL or ']' is not
    // skipped. Operands are read as the command would read them, so ranges still draw.
    void SkipCommand(uint32_t loopCount);

    const char* pc;

private:
    int32_t Whole();
};
