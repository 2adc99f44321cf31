#include "engine/ScriptCheck.h"

#include <algorithm>

#include "engine/ScriptGrammar.h"

namespace {

// What an operand looked like: a plain number, a range lo~hi, and whether * scales it.
struct Operand {
    int64_t low = 0;
    int64_t high = 0;
    bool range = false;
    bool scaled = false;
};

class Checker {
public:
    Checker(const std::string& text_, uint32_t line_, std::vector<ScriptFinding>& findings_)
        : text(text_), line(line_), findings(findings_)
    {
    }
    void Run();

private:
    // One spark's view of the loop state: the script itself and each s[ block start with nothing open.
    struct Context {
        char open = 0;          // 'l' or 'd' while a loop or repeat-until block is open
        size_t openedAt = 0;    // where it was opened
        size_t bracketAt = 0;   // where the block's '[' stands (unused for the script itself)
    };

    char Peek() const { return at < text.size() ? text[at] : '\0'; }
    bool TakeIf(char c)
    {
        if (c == '\0' || Peek() != c) return false;
        ++at;
        return true;
    }
    void Report(size_t position, const std::string& message)
    {
        findings.push_back(ScriptFinding{line, static_cast<uint32_t>(position + 1), message});
    }
    char Take();
    int64_t Whole();
    Operand Number();
    void CheckCommand(char c, size_t position);
    void Velocity(Operands shape, size_t position);
    void Test(size_t position);
    void Colour(size_t position);

    const std::string& text;
    uint32_t line;
    std::vector<ScriptFinding>& findings;
    size_t at = 0;
    std::vector<Context> contexts;
};

std::string Describe(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    if (u == '\r') return "carriage return (CR LF line ends?)";
    if (u < 32 || u >= 127) {
        const char* digits = "0123456789ABCDEF";
        return std::string("character 0x") + digits[u >> 4] + digits[u & 15];
    }
    return std::string("'") + c + "'";
}

int64_t Checker::Whole()
{
    bool negative = TakeIf('-');
    int64_t value = 0;
    while (Peek() >= '0' && Peek() <= '9') {
        if (value < 10000000000LL) value = value * 10 + (Peek() - '0');
        ++at;
    }
    return negative ? -value : value;
}

Operand Checker::Number()
{
    Operand o;
    size_t start = at;
    o.low = o.high = Whole();
    if (TakeIf('~')) {
        o.range = true;
        o.high = Whole();
        if (o.high < o.low)
            Report(start, "reversed range " + text.substr(start, at - start) + " (the lower bound comes first)");
    }
    o.scaled = TakeIf('*');
    return o;
}

void Checker::Run()
{
    contexts.assign(1, Context());
    while (at < text.size()) {
        size_t position = at;
        char c = text[at++];
        if (c == '\0') {
            Report(position, "NUL byte (the script ends here)");
            break;
        }
        CheckCommand(c, position);
    }
    for (size_t i = contexts.size(); i-- > 0;) {
        if (contexts[i].open != 0)
            Report(contexts[i].openedAt, std::string(1, contexts[i].open) + " is never closed by " +
                                             (contexts[i].open == 'l' ? "n" : "u"));
        if (i > 0) Report(contexts[i].bracketAt, "[ is never closed by ]");
    }
}

void Checker::CheckCommand(char c, size_t position)
{
    const CommandGrammar* grammar = GrammarOf(c);
    if (grammar == nullptr) {
        Report(position, "unknown command " + Describe(c));
        return;
    }
    const Command command = grammar->command;
    bool opened = false;  // an l or d that opens a loop or block
    Context& context = contexts.back();
    switch (command) {
    case Command::Loop:
    case Command::Do:
        if (context.open != 0) {
            Report(position, std::string(1, c) + " inside an open " + (context.open == 'l' ? "l loop" : "d block") +
                                 " (they do not nest)");
        } else {
            context.open = c;
            context.openedAt = position;
            opened = true;
        }
        break;
    case Command::Next:
        if (context.open == 0) Report(position, "n without an open l loop");
        else if (context.open == 'd') Report(position, "n closes a d block, which never ends (close it with u)");
        context.open = 0;
        break;
    case Command::BlockEnd:
        if (contexts.size() == 1) {
            Report(position, "] without a matching s[ (the firework ends here)");
            return;
        }
        if (context.open != 0)
            Report(context.openedAt, std::string(1, context.open) + " is never closed by " +
                                         (context.open == 'l' ? "n" : "u") + " inside its block");
        contexts.pop_back();
        return;
    default:
        break;
    }

    switch (grammar->operands) {
    case Operands::None:
        break;
    case Operands::Number: {
        Operand n = Number();
        bool below1 = !n.range && !n.scaled && n.low < 1;
        if (command == Command::SleepFrames && below1) Report(position, "T needs at least 1 frame");
        if (opened && below1) Report(position, "l with a count below 1 never ends");
        if (command == Command::Chance && at < text.size() && IsBlankAt(&text[at]))
            Report(position, "% applies to the blank after it, so the next command always runs");
        break;
    }
    case Operands::SpeedAndAngles:
    case Operands::Speed:
        Velocity(grammar->operands, position);
        break;
    case Operands::Colour:
        Colour(position);
        break;
    case Operands::Test:
        Test(position);
        if (context.open == 0) Report(position, "u without an open d block or l loop (fails as an error)");
        context.open = 0;
        break;
    case Operands::Block:
        if (!TakeIf('[')) {
            Report(position, "s must be followed by [");
            break;
        }
        contexts.push_back(Context());
        contexts.back().bracketAt = position + 1;
        break;
    }
}

// Takes the character at `at` as the interpreter's reader takes it: anything but the end.
char Checker::Take()
{
    char c = Peek();
    if (c != '\0') ++at;
    return c;
}

void Checker::Test(size_t position)
{
    char axis = Take();
    if (axis != 'x' && axis != 'y' && axis != 'z' && axis != 'v') Report(position, "u needs an axis x, y, z or v");
    char comparison = Take();
    if (comparison != '<' && comparison != '>') Report(position, "u needs a comparison < or >");
    Number();
}

void Checker::Velocity(Operands shape, size_t position)
{
    Operand speed = Number();
    bool comma = shape == Operands::SpeedAndAngles ? Take() == ',' : TakeIf(',');
    if (!comma) {
        if (shape == Operands::SpeedAndAngles) Report(position, "a needs a speed and one or two angles (a S,theta[,phi])");
        else if (speed.range || speed.low != 0) Report(position, "v with one operand must be v0");
        return;
    }
    Number();
    if (TakeIf(',')) Number();
}

void Checker::Colour(size_t position)
{
    for (int i = 0; i < 6; ++i) {
        char h = Peek();
        if (h == '\0') {
            Report(position, "c needs six hexadecimal digits");
            return;
        }
        bool hex = (h >= '0' && h <= '9') || (h >= 'A' && h <= 'F') || (h >= 'a' && h <= 'f');
        if (!hex) Report(at, "colour digit " + Describe(h) + " is not hexadecimal (counts as 0)");
        ++at;
    }
}

}  // namespace

void CheckScript(const std::string& text, uint32_t line, std::vector<ScriptFinding>& findings)
{
    size_t first = findings.size();
    Checker checker(text, line, findings);
    checker.Run();
    std::stable_sort(findings.begin() + static_cast<std::ptrdiff_t>(first), findings.end(),
                     [](const ScriptFinding& a, const ScriptFinding& b) { return a.column < b.column; });
}

std::vector<ScriptFinding> CheckScripts(const std::vector<std::string>& lines)
{
    std::vector<ScriptFinding> findings;
    for (size_t i = 0; i < lines.size(); ++i) CheckScript(lines[i], static_cast<uint32_t>(i + 1), findings);
    return findings;
}
