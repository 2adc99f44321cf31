// Reading a script text in place: characters, numeric operands (with ranges and the loop-count
// multiplier), hexadecimal colour bytes, and skipping a command or a bracketed block. Every reader
// stops at the text's terminating NUL and never moves past it, whatever the text holds.
// The reader counts the characters it consumes, so that a run can be charged for long operands,
// blanks and skipped blocks as well as for its commands. Digit runs and skipped blocks stop consuming
// once that count reaches `readLimit`, and so do runs of blanks: however long the text, one run reads
// no more than that.
#pragma once
#include <cstdint>

class ScriptReader {
public:
    explicit ScriptReader(const char* position) : pc(position), reads(0), readLimit(0xFFFFFFFFu), cut(false) {}

    char Peek() const { return *pc; }
    // The character at pc; advances unless it is the terminating NUL.
    char Take()
    {
        char c = *pc;
        if (c != '\0') {
            ++pc;
            ++reads;
        }
        return c;
    }
    // Takes the character at pc when it is c.
    bool TakeIf(char c)
    {
        if (c == '\0' || *pc != c) return false;
        ++pc;
        ++reads;
        return true;
    }
    // Skips blanks (space, tab, line feed) between commands.
    void SkipBlanks()
    {
        while (*pc == ' ' || *pc == '\t' || *pc == '\n') {
            if (reads >= readLimit) {
                cut = true;
                return;
            }
            ++pc;
            ++reads;
        }
    }
    // Moves back onto the character just taken (the interpreter leaves a dead spark on its ']').
    void StepBack()
    {
        --pc;
        --reads;
    }

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

    // True once blanks, a digit run or a block were cut short by the limit.
    bool Cut() const { return cut; }

    const char* pc;
    uint32_t reads;
    uint32_t readLimit;

private:
    int32_t Whole();
    bool cut;
};
