#include "engine/SparkQueue.h"

#include <cstddef>
#include <new>

#include "engine/Spark.h"

SparkQueue::SparkQueue(uint32_t capacity_) : sparkCount(0), capacity(0)
{
    if (capacity_ == 0) return;
    slots.reset(new (std::nothrow) Slot[capacity_]);
    if (!slots) return;
    for (uint32_t i = 0; i < capacity_; ++i) slots[i] = Slot{0, nullptr};
    capacity = capacity_;
}

SparkQueue::~SparkQueue()
{
    for (uint32_t i = 0; i < capacity; ++i) delete slots[i].spark;
}

bool SparkQueue::Push(Spark* spark)
{
    if (sparkCount == capacity) return false;
    slots[sparkCount] = Slot{spark->wakeTime, spark};
    ++sparkCount;
    SiftUp(sparkCount - 1);
    return true;
}

Spark* SparkQueue::PopMin()
{
    if (sparkCount == 0) return nullptr;
    Spark* root = slots[0].spark;
    --sparkCount;
    slots[0] = slots[sparkCount];
    slots[sparkCount] = Slot{0, nullptr};
    if (sparkCount > 0) SiftDown(0);
    return root;
}

// Both sifts carry the moving slot along and store it once where it stops; every comparison is the
// one a swap at each step would make, so sparks end in the same slots, ties included.
void SparkQueue::SiftUp(uint32_t slot)
{
    Slot* const heap = slots.get();  // read once: the compiler cannot know that the stores below leave it
    const Slot moving = heap[slot];
    size_t hole = slot;
    while (hole > 0) {
        size_t parent = hole / 2;
        if (!(moving.wakeTime < heap[parent].wakeTime)) break;
        heap[hole] = heap[parent];
        hole = parent;
    }
    heap[hole] = moving;
}

void SparkQueue::SiftDown(uint32_t slot)
{
    Slot* const heap = slots.get();
    const Slot moving = heap[slot];
    const size_t count = sparkCount;
    size_t hole = slot;
    // Where both candidates exist, the later slot is taken only when it wakes strictly earlier. The
    // root's candidates are slot 0 itself and slot 1, which makes slot 1 its only real child.
    for (size_t child = 2 * hole; child + 1 < count; child = 2 * hole) {
        if (heap[child + 1].wakeTime < heap[child].wakeTime) ++child;
        if (!(moving.wakeTime > heap[child].wakeTime)) break;
        heap[hole] = heap[child];
        hole = child;
    }
    size_t last = 2 * hole;
    if (last + 1 == count && moving.wakeTime > heap[last].wakeTime) {
        heap[hole] = heap[last];
        hole = last;
    }
    heap[hole] = moving;
}
