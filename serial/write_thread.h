// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/serial/message_queue.h"
#include "serial/port_thread_context.h"

#include <atomic>
#include <cstdint>
#include <thread>

// Writes the blocks queued by the component, in order, to an open port.
// Posts MSG_COMM_SENT whenever its queue runs empty after a successful write
// (and once at start), MSG_COMM_HANGUP (once, then the thread ends) when the
// device fails or goes away. Ends silently when the close event is signalled,
// also in the middle of a write that cannot proceed.
class TWriteThread {
public:
    TWriteThread(const TPortThreadContext& context, std::atomic<bool>* sendEmpty)
        : context_(context), sendEmpty_(sendEmpty)
    {
    }
    ~TWriteThread();  // joins
    TWriteThread(const TWriteThread&) = delete;
    TWriteThread& operator=(const TWriteThread&) = delete;

    bool IsValid() const { return queue_.IsValid(); }
    // False once the thread has ended (closed, or after a hangup): nothing
    // posted to it would be written any more.
    bool IsRunning() const { return running_.load(); }
    void Start();  // throws std::system_error when no thread can be created
    void Join();

    // Main thread: queues a MSG_COMM_WRITE (or any other) message for the thread.
    bool PostThreadMessage(platform::PostedMessage&& message) { return queue_.Post(std::move(message)); }

private:
    enum class TWriteResult { Written, TimedOut, Failed };

    void Execute();
    bool ProcessNext();
    bool WaitForMessage();
    TWriteResult WriteBlock(const std::uint8_t* block, std::size_t count);
    TWriteResult WaitWritable(std::optional<std::chrono::steady_clock::time_point> deadline);

    TPortThreadContext context_;
    std::atomic<bool>* sendEmpty_;
    platform::MessageQueue queue_;
    std::thread thread_;
    bool notifyWhenEmpty_ = true;
    std::atomic<bool> running_{false};
};
