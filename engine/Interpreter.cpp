// Spark::Run: executes one spark's script from its position until it sleeps or its text ends. The text
// is read in place, one character per command, looked up in the script grammar; the only allocation is
// one spark per spawn.
#include <new>

#include "engine/Angles.h"
#include "engine/PixelFormat.h"
#include "engine/Random.h"
#include "engine/RunStats.h"
#include "engine/ScriptReader.h"
#include "engine/Spark.h"
#include "engine/SparkQueue.h"
#include "engine/World.h"

namespace {

const Fixed Two = 2 * FixedOne;

void ApplyGravity(Spark& s, const World& world, Fixed dt)
{
    if (s.y > world.groundY) s.vy = FixedAdd(s.vy, FixedMul(world.gravity, dt));
}

// Moves by the velocity; a spark that ends up below the ground is mirrored back above it and bounces
// with half its speed, its vertical direction reversed. z moves last, with the halved vz.
void Move(Spark& s, const World& world, Fixed dt)
{
    s.x = FixedAdd(s.x, FixedMul(s.vx, dt));
    s.y = FixedAdd(s.y, FixedMul(s.vy, dt));
    if (s.y < world.groundY) {
        s.y = FixedSub(world.groundY, FixedSub(s.y, world.groundY));
        s.vx = FixedDiv(s.vx, Two);
        s.vy = FixedDiv(s.vy, -Two);
        s.vz = FixedDiv(s.vz, Two);
    }
    s.z = FixedAdd(s.z, FixedMul(s.vz, dt));
}

// Drag: pulls vx toward the wind and vy, vz toward rest by 0.35 per second of elapsed time.
void Drag(Spark& s, const World& world, Fixed dt)
{
    Fixed k = FixedFromReal(dt / 32768.0 * 0.35);
    double kReal = k / 32768.0;
    s.vx = FixedAdd(s.vx, FixedMul(FixedSub(world.wind, s.vx), k));
    s.vy = FixedAdd(s.vy, FixedFromReal((0 - s.vy / 32768.0) * kReal));
    s.vz = FixedAdd(s.vz, FixedFromReal((0 - s.vz / 32768.0) * kReal));
}

// a (add) and v (set): speed S, then an angle theta in the x-y plane, then optionally phi from +z.
// Returns false on a malformed operand list; `turned` tells whether angles were read and applied.
bool ChangeVelocity(Spark& s, ScriptReader& in, bool add, bool& turned)
{
    constexpr Operands addOperands = OperandsOf(Command::AddVelocity);
    constexpr Operands setOperands = OperandsOf(Command::SetVelocity);
    turned = false;
    VelocityOperands v;
    if (!in.Velocity(add ? addOperands : setOperands, s.loopCount, v)) return false;
    Fixed speed = FixedFromInt(v.speed);
    if (v.angles == 0) {
        if (speed != 0) return false;
        s.vx = s.vy = s.vz = 0;
        return true;
    }
    turned = true;
    Fixed dx, dy, dz;
    if (v.angles == 2) {
        Fixed h = FixedMul(speed, SinDeg(v.phi));
        dx = FixedMul(h, CosDeg(v.theta));
        dy = FixedMul(h, SinDeg(v.theta));
        dz = FixedMul(speed, CosDeg(v.phi));
    } else {
        dx = FixedMul(speed, CosDeg(v.theta));
        dy = FixedMul(speed, SinDeg(v.theta));
        dz = 0;
    }
    if (add) {
        s.vx = FixedAdd(s.vx, dx);
        s.vy = FixedAdd(s.vy, dy);
        if (v.angles == 2) s.vz = FixedAdd(s.vz, dz);
    } else {
        s.vx = dx;
        s.vy = dy;
        s.vz = dz;
    }
    return true;
}

// u<axis><comparison><n>: leaves the open loop or block when the test holds, jumps back otherwise.
// Returns false for an unknown axis or a failing test with nothing open.
bool Until(Spark& s, ScriptReader& in)
{
    const TestOperands test = in.Test(s.loopCount);
    bool ok = true;
    int32_t value = 0;
    switch (test.axis) {
    case 'v': value = FixedToWhole(s.vy); break;
    case 'x': value = FixedToWhole(s.x); break;
    case 'y': value = FixedToWhole(s.y); break;
    case 'z': value = FixedToWhole(s.z); break;
    default: ok = false; break;
    }
    bool holds = (test.comparison == '<' && value < test.bound) || (test.comparison == '>' && value > test.bound);
    if (holds) {
        s.loopMark = nullptr;
    } else if (s.loopMark != nullptr) {
        in.pc = s.loopMark;
    } else {
        ok = false;
    }
    return ok;
}

// s[: a child that copies this spark starts at the block one frame after this spark's due time; this
// spark goes on after the block. A child that does not fit into the queue is dropped; with the queue
// full it is not even made, which spares a script that spawns without end the cost of making and
// deleting every one of them.
void Spawn(const Spark& parent, ScriptReader& in, World& world)
{
    if (world.queue.Count() == world.queue.Capacity()) {
        if (world.stats != nullptr) {
            ++world.stats->sparksSpawned;
            ++world.stats->sparksDropped;
        }
        in.SkipBlock();
        return;
    }
    Spark* child = new (std::nothrow) Spark(parent, Spark::SpawnChild());
    if (child != nullptr) {
        child->wakeTime = parent.wakeTime + world.framePeriod;
        child->pc = in.pc;
        if (world.stats != nullptr) ++world.stats->sparksSpawned;
        if (!world.queue.Push(child)) {
            delete child;
            if (world.stats != nullptr) ++world.stats->sparksDropped;
        }
    }
    in.SkipBlock();
}

void Sleep(Spark& s, const World& world, uint32_t frames)
{
    s.lastRun = world.now;
    s.wakeTime = frames * world.framePeriod + world.now;
}

}  // namespace

bool Spark::Run(World& world)
{
    uint32_t elapsed = world.now - lastRun;
    Fixed dt = FixedFromReal(elapsed / 1000.0);
    if (dt == 0) return true;

    // Small enough that the bound in characters fits in 32 bits.
    const uint32_t limit = world.commandLimit < 0x0FFFFFFFu ? world.commandLimit : 0x0FFFFFFFu;
    ScriptReader in(pc);
    bool alive = true;     // what the run reports; the end of the text clears it
    bool faulted = false;  // an error happened: the spark finishes this run and then dies
    bool running = true;
    uint32_t commands = 0;
    uint32_t weights = 0;  // what spawns, sounds and turns cost beyond their one command
    while (running) {
        const uint32_t spent = commands + weights;
        if (spent + in.reads / ReadsPerCommand >= limit) {
            // A loop that never sleeps, or a text too long to read in one run: end it here as an error.
            faulted = true;
            break;
        }
        // What is left of the bound, in characters: no blanks, number or skipped block of this command
        // read past it, so a run costs at most one command's weight more than its bound (MaxRunCost).
        in.readLimit = (limit - spent) * ReadsPerCommand;
        in.SkipBlanks();
        if (in.Cut()) break;
        const char c = in.Take();
        ++commands;
        // Each command is its own letter (engine/ScriptGrammar.h); any other character is an error.
        switch (static_cast<Command>(c)) {
        case Command::End:
            alive = running = false;
            break;
        case Command::BlockEnd:
            in.StepBack();
            alive = running = false;
            break;
        case Command::Gravity: ApplyGravity(*this, world, dt); break;
        case Command::Move: Move(*this, world, dt); break;
        case Command::Drag: Drag(*this, world, dt); break;
        case Command::AddVelocity:
        case Command::SetVelocity:
        {
            bool turned = false;
            if (!ChangeVelocity(*this, in, static_cast<Command>(c) == Command::AddVelocity, turned)) faulted = true;
            if (turned) weights += AngleCost - 1;
            break;
        }
        case Command::Colour: {
            const ColourOperands rgb = in.Colour();
            colour = GlobalPixelFormat().FromRgb(rgb.red, rgb.green, rgb.blue);
            break;
        }
        case Command::Big: big = 1; break;
        case Command::Small: big = 0; break;
        case Command::Do:
            if (loopMark != nullptr) faulted = true;
            else loopMark = in.pc;
            break;
        case Command::Loop:
            // With a loop open the operand is left unread; its digits then fail one by one.
            if (loopMark != nullptr) {
                faulted = true;
            } else {
                loopCount = static_cast<uint32_t>(in.Number(loopCount));
                loopMark = in.pc;
            }
            break;
        case Command::Next:
            if (--loopCount != 0) {
                if (loopMark != nullptr) in.pc = loopMark;
                else faulted = true;
            } else {
                loopMark = nullptr;
            }
            break;
        case Command::Until:
            if (!Until(*this, in)) faulted = true;
            break;
        case Command::Play: {
            int32_t effect = in.Number(loopCount);
            world.PlaySoundAt(effect, x, y, z);
            weights += SoundCost - 1;
            break;
        }
        case Command::Spawn:
            if (in.TakeIf('[')) {
                Spawn(*this, in, world);
                weights += SpawnCost - 1;
            } else {
                faulted = true;
            }
            break;
        case Command::Sleep:
            Sleep(*this, world, 1);
            running = false;
            break;
        case Command::SleepFrames: {
            // Fewer than one frame means "now": the due pass then moves the spark to the next frame.
            // Multiplying a negative count would instead land before now, or, early in the clock's
            // life, wrap to a time weeks ahead and freeze the spark.
            int32_t frames = in.Number(loopCount);
            Sleep(*this, world, frames < 1 ? 0u : static_cast<uint32_t>(frames));
            running = false;
            break;
        }
        case Command::Chance:
            if (!RandomPercent(in.Number(loopCount))) in.SkipCommand(loopCount);
            break;
        default:
            faulted = true;
            break;
        }
    }
    // A digit run or a block cut short by the read limit: the run went no further than its bound.
    if (in.Cut()) faulted = true;
    pc = in.pc;
    const uint32_t cost = commands + weights + in.reads / ReadsPerCommand;
    world.passCommands += cost;
    if (world.stats != nullptr) {
        world.stats->commands += commands;
        world.stats->reads += in.reads;
        if (cost > world.stats->largestRun) world.stats->largestRun = cost;
        if (faulted) ++world.stats->sparksKilled;
    }
    return alive && !faulted;
}
