#include "win32/window/MessageQueue.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "win32/window/WindowState.h"

namespace vestra::win32 {
namespace {

struct Queue {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<MSG> messages;
    bool quitPending = false;
    int quitCode = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

bool Matches(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
    if (window == reinterpret_cast<HWND>(-1)) {
        if (message.hwnd != nullptr) return false;
    } else if (window != nullptr && message.hwnd != window) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) return true;
    return message.message >= filterMin && message.message <= filterMax;
}

}  // namespace

void QueuePost(const MSG& message) {
    Queue& queue = TheQueue();
    {
        std::lock_guard lock(queue.mutex);
        queue.messages.push_back(message);
    }
    queue.posted.notify_all();
}

void QueuePostQuit(int exitCode) {
    Queue& queue = TheQueue();
    {
        std::lock_guard lock(queue.mutex);
        queue.quitPending = true;
        queue.quitCode = exitCode;
    }
    queue.posted.notify_all();
}

bool QueueTake(MSG* message, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    Queue& queue = TheQueue();
    std::lock_guard lock(queue.mutex);
    for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
        if (Matches(*it, window, filterMin, filterMax)) {
            *message = *it;
            if (remove) queue.messages.erase(it);
            return true;
        }
    }
    if (queue.quitPending && queue.messages.empty()) {
        *message = MSG{};
        message->message = WM_QUIT;
        message->wParam = static_cast<WPARAM>(queue.quitCode);
        if (remove) queue.quitPending = false;
        return true;
    }
    return false;
}

void QueueWait(int milliseconds) {
    Queue& queue = TheQueue();
    std::unique_lock lock(queue.mutex);
    const auto ready = [&] { return !queue.messages.empty() || queue.quitPending; };
    if (milliseconds < 0) {
        queue.posted.wait(lock, ready);
    } else {
        queue.posted.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    }
}

void QueueDiscardFor(HWND window) {
    Queue& queue = TheQueue();
    std::lock_guard lock(queue.mutex);
    std::erase_if(queue.messages, [window](const MSG& message) { return message.hwnd == window; });
}

}  // namespace vestra::win32
