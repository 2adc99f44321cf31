// The firework script language, command by command: its letter and what follows it. The interpreter
// dispatches on these commands, the reader skips a command by its operands, and the checker reads a
// script by them, so a new command is its letter and its row here, and its action in the interpreter.
#pragma once
#include <cstdint>

// Every command is one character of the text, case-sensitive; any other character is an error in the
// spark that meets it.
enum class Command : char {
    End = '\0',        // the text's terminating NUL: the spark dies
    BlockEnd = ']',    // the end of a spawned child's block, where the child dies
    Space = ' ',       // blanks: nothing
    Tab = '\t',
    LineFeed = '\n',
    Gravity = 'g',
    Move = 'm',
    Drag = 'w',
    AddVelocity = 'a',
    SetVelocity = 'v',
    Colour = 'c',
    Big = 'R',
    Small = 'r',
    Do = 'd',          // opens a repeat-until block
    Loop = 'l',        // opens a loop
    Next = 'n',        // ends a loop pass
    Until = 'u',       // leaves the open loop or block when its test holds
    Play = 'p',        // plays a sound effect
    Spawn = 's',       // a child spark runs the block
    Sleep = 't',       // until the next frame
    SleepFrames = 'T',
    Chance = '%',      // the command after it runs with the given probability
};

// True when the character at `at` is a blank between commands. It reads the character anew for each
// test, which the interpreter's loop over blanks compiles best.
constexpr bool IsBlankAt(const char* at)
{
    return *at == static_cast<char>(Command::Space) || *at == static_cast<char>(Command::Tab) ||
           *at == static_cast<char>(Command::LineFeed);
}

// What follows a command's letter. Numbers are [-]digits, a range lo~hi drawn anew at every read, and an
// optional * that multiplies by the spark's loop count.
enum class Operands : uint8_t {
    None,
    Number,          // one number
    SpeedAndAngles,  // a speed; the next character, taken whatever it is, must be a comma; an angle, and
                     // optionally a comma and a second angle
    Speed,           // a speed, optionally followed by one or two angles, each after a comma
    Colour,          // six characters, read as the hexadecimal bytes RRGGBB
    Test,            // an axis character, a comparison character and a number
    Block,           // [, then the commands of a child spark up to the matching ]
};

struct CommandGrammar {
    Command command;
    Operands operands;
};

inline constexpr CommandGrammar ScriptGrammar[] = {
    {Command::End, Operands::None},
    {Command::BlockEnd, Operands::None},
    {Command::Space, Operands::None},
    {Command::Tab, Operands::None},
    {Command::LineFeed, Operands::None},
    {Command::Gravity, Operands::None},
    {Command::Move, Operands::None},
    {Command::Drag, Operands::None},
    {Command::AddVelocity, Operands::SpeedAndAngles},
    {Command::SetVelocity, Operands::Speed},
    {Command::Colour, Operands::Colour},
    {Command::Big, Operands::None},
    {Command::Small, Operands::None},
    {Command::Do, Operands::None},
    {Command::Loop, Operands::Number},
    {Command::Next, Operands::None},
    {Command::Until, Operands::Test},
    {Command::Play, Operands::Number},
    {Command::Spawn, Operands::Block},
    {Command::Sleep, Operands::None},
    {Command::SleepFrames, Operands::Number},
    {Command::Chance, Operands::Number},
};

namespace script_grammar {
// The rows above by character: the row's index + 1, or 0 for a character that is no command.
struct Index {
    uint8_t rows[256];
};
constexpr Index MakeIndex()
{
    Index index{};
    for (uint8_t row = 0; row < sizeof ScriptGrammar / sizeof ScriptGrammar[0]; ++row)
        index.rows[static_cast<unsigned char>(ScriptGrammar[row].command)] = static_cast<uint8_t>(row + 1);
    return index;
}
inline constexpr Index index = MakeIndex();
}  // namespace script_grammar

// The row of the command that `c` is, or none when `c` is no command.
inline const CommandGrammar* GrammarOf(char c)
{
    uint8_t row = script_grammar::index.rows[static_cast<unsigned char>(c)];
    return row == 0 ? nullptr : &ScriptGrammar[row - 1];
}

// The operands of a command, for use where the command is known when the program is built.
constexpr Operands OperandsOf(Command command)
{
    for (const CommandGrammar& row : ScriptGrammar)
        if (row.command == command) return row.operands;
    return Operands::None;
}
