// Reading a script text in place: characters, the operands of each shape of the script grammar
// (engine/ScriptGrammar.h), and skipping a command or a bracketed block. The interpreter reads a
// command's operands with the same functions that skip them, so a skipped command consumes exactly
// what it would have read had it run. Every reader
// stops at the text's terminating NUL and never moves past it, whatever the text holds.
// The reader counts the characters it consumes, so that a run can be charged for long operands,
// blanks and skipped blocks as well as for its commands. Digit runs and skipped blocks stop consuming
// once that count reaches `readLimit`, and so do runs of blanks: however long the text, one run reads
// no more than that.
#pragma once
#include <cstdint>

#include "engine/ScriptGrammar.h"

// The operands of a and v: a speed and up to two angles.
struct VelocityOperands {
    int32_t speed;
    int32_t theta;
    int32_t phi;
    uint32_t angles;  // how many angles were read: 0, 1 or 2
};

// The operands of u: an axis character, a comparison character and the bound.
struct TestOperands {
    char axis;
    char comparison;
    int32_t bound;
};

struct ColourOperands {
    uint32_t red, green, blue;
};

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
        while (IsBlankAt(pc)) {
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
    // Operands::SpeedAndAngles or Operands::Speed. False for a speed that must be followed by angles
    // when the character after it (taken whatever it is) is no comma.
    bool Velocity(Operands shape, uint32_t loopCount, VelocityOperands& operands)
    {
        operands = VelocityOperands{Number(loopCount), 0, 0, 0};
        if (shape == Operands::SpeedAndAngles) {
            if (Take() != ',') return false;
        } else if (!TakeIf(',')) {
            return true;
        }
        operands.theta = Number(loopCount);
        operands.angles = 1;
        if (TakeIf(',')) {
            operands.phi = Number(loopCount);
            operands.angles = 2;
        }
        return true;
    }
    // Operands::Test: the axis and the comparison are taken whatever they are.
    TestOperands Test(uint32_t loopCount)
    {
        char axis = Take();
        char comparison = Take();
        return TestOperands{axis, comparison, Number(loopCount)};
    }
    // Operands::Colour: three hexadecimal bytes.
    ColourOperands Colour()
    {
        uint32_t red = HexByte();
        uint32_t green = HexByte();
        return ColourOperands{red, green, HexByte()};
    }

    // Skips the rest of a block whose '[' has been taken: pc ends after the matching ']', or on the NUL
    // when the block is never closed.
    void SkipBlock();
    // Skips the command at pc with its operands (after a failed chance test): whatever character it is,
    // its operands as the grammar gives them, and a spawn's whole block. A NUL or ']' is not skipped.
    // Operands are read as the command would read them, so ranges still draw.
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
