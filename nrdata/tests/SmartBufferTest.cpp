// CSmartBuffer: creation, reference counting to the last release, the ownership ticket, and the
// hand-off between threads (built with -DWARD_TSAN=ON this test shows the counts race-free).
#include "nrdata/buffer/CSmartBuffer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<CSmartBuffer>, "one object owns each block");
static_assert(!std::is_copy_assignable_v<CSmartBuffer>, "one object owns each block");

TEST(SmartBuffer, DefaultBufferHoldsNothing)
{
    CSmartBuffer buffer;
    EXPECT_EQ(buffer.GetBuffer(), nullptr);
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetRefCount(), 0u);
    EXPECT_EQ(buffer.IsAvailable(), 0);
    buffer.RemoveRef(1); // nothing to release
    buffer.Free();
    EXPECT_EQ(buffer.GetRefCount(), 0u);
}

TEST(SmartBuffer, CreateCopiesTheBytes)
{
    const char text[] = "FHR 142";
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(text, sizeof text, 1, 0);
    ASSERT_NE(buffer, nullptr);
    EXPECT_NE(buffer->GetBuffer(), static_cast<const void*>(text));
    EXPECT_EQ(std::memcmp(buffer->GetBuffer(), text, sizeof text), 0);
    EXPECT_EQ(buffer->GetSize(), sizeof text);
    EXPECT_EQ(buffer->GetRefCount(), 1u);
    EXPECT_EQ(buffer->IsAvailable(), 1);
    delete buffer;
}

TEST(SmartBuffer, CreateRefusesEmptyAndUnreasonableSizes)
{
    const char byte = 0;
    EXPECT_EQ(CSmartBuffer::CreateBuffer(&byte, 0, 1, 1), nullptr);
    EXPECT_EQ(CSmartBuffer::CreateBuffer(0, 1, 1), nullptr);
    EXPECT_EQ(CSmartBuffer::CreateBuffer(nullptr, 4, 1, 1), nullptr);
    EXPECT_EQ(CSmartBuffer::CreateBuffer(0x100000000ul, 1, 1), nullptr) << "the size is 32-bit";
}

TEST(SmartBuffer, LastReleaseFreesBlockAndKeepsObjectWithoutAutoDelete)
{
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(16, 2, 0);
    ASSERT_NE(buffer, nullptr);
    buffer->RemoveRef(1);
    EXPECT_EQ(buffer->GetRefCount(), 1u);
    EXPECT_EQ(buffer->IsAvailable(), 1);
    buffer->RemoveRef(1);
    EXPECT_EQ(buffer->GetRefCount(), 0u);
    EXPECT_EQ(buffer->IsAvailable(), 0);
    EXPECT_EQ(buffer->GetSize(), 0u);
    buffer->RemoveRef(1); // released already: nothing happens
    delete buffer;
}

TEST(SmartBuffer, OverReleaseChangesNothing)
{
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(16, 2, 0);
    buffer->RemoveRef(3);
    EXPECT_EQ(buffer->GetRefCount(), 2u);
    EXPECT_EQ(buffer->IsAvailable(), 1);
    buffer->AddRef(2);
    EXPECT_EQ(buffer->GetRefCount(), 4u);
    buffer->RemoveRef(4);
    EXPECT_EQ(buffer->IsAvailable(), 0);
    delete buffer;
}

TEST(SmartBuffer, AutoDeleteBufferGoesAwayAtLastRelease)
{
    // With refs 2 the first release keeps it; the second frees block and object (a leak or a
    // double free shows under the sanitizers).
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(32, 2, 1);
    ASSERT_NE(buffer, nullptr);
    buffer->RemoveRef(1);
    EXPECT_EQ(buffer->GetRefCount(), 1u);
    EXPECT_EQ(buffer->IsAvailable(), 1);
    buffer->RemoveRef(1);
}

TEST(SmartBuffer, FreeDropsBlockWhateverTheCount)
{
    CSmartBuffer* kept = CSmartBuffer::CreateBuffer(8, 3, 0);
    kept->Free();
    EXPECT_EQ(kept->IsAvailable(), 0);
    EXPECT_EQ(kept->GetRefCount(), 0u);
    delete kept;

    CSmartBuffer* autoDeleted = CSmartBuffer::CreateBuffer(8, 3, 1);
    autoDeleted->Free(); // deletes the object too
}

TEST(SmartBuffer, DeletingAnAutoDeleteBufferFreesItOnce)
{
    CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(8, 1, 1);
    delete buffer; // the destructor frees the block only, never the object a second time
}

TEST(SmartBuffer, OwnershipTicketOnlyItsHolderCanReturn)
{
    CSmartBuffer buffer;
    unsigned long ticket = 0;
    ASSERT_EQ(buffer.EnterCriticalSection(ticket), 1);
    EXPECT_NE(ticket, 0ul);
    unsigned long second = 0;
    EXPECT_EQ(buffer.EnterCriticalSection(second), 0);
    EXPECT_EQ(buffer.ExitCriticalSection(ticket + 1), 0);
    EXPECT_EQ(buffer.ExitCriticalSection(0), 0);
    EXPECT_EQ(buffer.EnterCriticalSection(second), 0) << "a wrong ticket leaves the flag set";
    EXPECT_EQ(buffer.ExitCriticalSection(ticket), 1);
    EXPECT_EQ(buffer.ExitCriticalSection(ticket), 0) << "a ticket returns once";
    EXPECT_EQ(buffer.EnterCriticalSection(second), 1);
    EXPECT_EQ(buffer.ExitCriticalSection(second), 1);
}

// ---- hand-off between threads -------------------------------------------------------------

namespace {

// A worker's queue as the client library keeps it: a lock-guarded deque of buffers.
class BufferQueue
{
public:
    void Push(CSmartBuffer* buffer)
    {
        {
            std::lock_guard lock(m_mutex);
            m_items.push_back(buffer);
        }
        m_ready.notify_one();
    }
    // Null is the end-of-stream mark.
    CSmartBuffer* Pop()
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return !m_items.empty(); });
        CSmartBuffer* buffer = m_items.front();
        m_items.pop_front();
        return buffer;
    }

private:
    std::mutex m_mutex; // guards m_items
    std::condition_variable m_ready;
    std::deque<CSmartBuffer*> m_items;
};

constexpr int kPackets = 2000;
constexpr int kPacketSize = 108;

// Reads the whole packet and checks its pattern, then releases the consumer's reference.
long Consume(BufferQueue& queue)
{
    long sum = 0;
    while (CSmartBuffer* buffer = queue.Pop()) {
        const auto* bytes = static_cast<const unsigned char*>(buffer->GetBuffer());
        const unsigned char first = bytes[0];
        for (unsigned long i = 0; i < buffer->GetSize(); ++i) {
            EXPECT_EQ(bytes[i], static_cast<unsigned char>(first + i));
            sum += bytes[i];
        }
        buffer->RemoveRef(1);
    }
    return sum;
}

} // namespace

TEST(SmartBufferThreads, ProducerHandsEachBufferToOneConsumer)
{
    BufferQueue queue;
    long consumed = 0;
    std::thread consumer([&] { consumed = Consume(queue); });
    long produced = 0;
    unsigned char packet[kPacketSize];
    for (int n = 0; n < kPackets; ++n) {
        for (int i = 0; i < kPacketSize; ++i) {
            packet[i] = static_cast<unsigned char>(n + i);
            produced += packet[i];
        }
        queue.Push(CSmartBuffer::CreateBuffer(packet, sizeof packet, 1, 1));
    }
    queue.Push(nullptr);
    consumer.join();
    EXPECT_EQ(consumed, produced);
}

TEST(SmartBufferThreads, TwoConsumersShareEachBufferAndTheLastReleaseFreesIt)
{
    // Each packet goes to two worker queues at once (the drawing and the file thread of a bed)
    // with one reference each; whichever releases last frees it, from its own thread.
    BufferQueue first, second;
    long sumFirst = 0, sumSecond = 0;
    std::thread a([&] { sumFirst = Consume(first); });
    std::thread b([&] { sumSecond = Consume(second); });
    long produced = 0;
    unsigned char packet[kPacketSize];
    for (int n = 0; n < kPackets; ++n) {
        for (int i = 0; i < kPacketSize; ++i) {
            packet[i] = static_cast<unsigned char>(n * 3 + i);
            produced += packet[i];
        }
        CSmartBuffer* buffer = CSmartBuffer::CreateBuffer(packet, sizeof packet, 2, 1);
        first.Push(buffer);
        second.Push(buffer);
    }
    first.Push(nullptr);
    second.Push(nullptr);
    a.join();
    b.join();
    EXPECT_EQ(sumFirst, produced);
    EXPECT_EQ(sumSecond, produced);
}

TEST(SmartBufferThreads, OwnershipFlagIsTakenByOneThreadAtATime)
{
    CSmartBuffer buffer;
    constexpr int kRounds = 5000;
    std::atomic<int> inside { 0 };
    std::atomic<int> overlaps { 0 };
    auto worker = [&] {
        for (int n = 0; n < kRounds; ++n) {
            unsigned long ticket = 0;
            if (!buffer.EnterCriticalSection(ticket))
                continue;
            if (inside.fetch_add(1) != 0)
                overlaps.fetch_add(1);
            inside.fetch_sub(1);
            EXPECT_EQ(buffer.ExitCriticalSection(ticket), 1);
        }
    };
    std::thread t1(worker), t2(worker);
    t1.join();
    t2.join();
    EXPECT_EQ(overlaps.load(), 0);
}
