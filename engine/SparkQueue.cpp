#include "engine/SparkQueue.h"

#include <new>

#include "engine/Spark.h"

SparkQueue::SparkQueue(uint32_t capacity_) : slots(nullptr), sparkCount(0), capacity(0)
{
    if (capacity_ == 0) return;
    slots = new (std::nothrow) Spark*[capacity_];
    if (slots == nullptr) return;
    for (uint32_t i = 0; i < capacity_; ++i) slots[i] = nullptr;
    capacity = capacity_;
}

SparkQueue::~SparkQueue()
{
    for (uint32_t i = 0; i < capacity; ++i) delete slots[i];
    delete[] slots;
    slots = nullptr;
    sparkCount = 0;
    capacity = 0;
}

bool SparkQueue::Push(Spark* spark)
{
    if (sparkCount == capacity) return false;
    slots[sparkCount] = spark;
    ++sparkCount;
    SiftUp(sparkCount - 1);
    return true;
}

Spark* SparkQueue::PopMin()
{
    if (sparkCount == 0) return nullptr;
    Spark* root = slots[0];
    --sparkCount;
    slots[0] = slots[sparkCount];
    slots[sparkCount] = nullptr;
    if (sparkCount > 0) SiftDown(0);
    return root;
}

uint32_t SparkQueue::RootWakeTime() const { return sparkCount > 0 ? slots[0]->wakeTime : 0; }

void SparkQueue::SiftUp(uint32_t slot)
{
    while (slot > 0) {
        uint32_t parent = slot / 2;
        if (!(slots[slot]->wakeTime < slots[parent]->wakeTime)) break;
        Spark* t = slots[slot];
        slots[slot] = slots[parent];
        slots[parent] = t;
        slot = parent;
    }
}

void SparkQueue::SiftDown(uint32_t slot)
{
    // The root's candidates are slot 0 itself and slot 1, which makes slot 1 its only real child.
    for (;;) {
        uint32_t child = 2 * slot;
        if (child >= sparkCount) return;
        if (child + 1 < sparkCount && slots[child + 1]->wakeTime < slots[child]->wakeTime) ++child;
        if (!(slots[slot]->wakeTime > slots[child]->wakeTime)) return;
        Spark* t = slots[slot];
        slots[slot] = slots[child];
        slots[child] = t;
        slot = child;
    }
}
