#pragma once
// The receive path handles one event at a time: a handler may show a modal message
// box whose nested event loop delivers more serial input (or the time-out). Such
// events are queued and handled after the current one, never inside it.

#include <QString>
#include <deque>
#include <utility>

namespace quellin {

struct LinkEvent {
    enum class Kind { Line, Timeout, PortLost };
    Kind kind = Kind::Line;
    QString text;            // the line, or the port number for PortLost
    unsigned generation = 0; // Timeout: the timer generation when it fired
};

class LineQueue {
public:
    void push(LinkEvent event) { queue_.push_back(std::move(event)); }

    // Hands every queued event to handler, oldest first, including those queued
    // while it runs. A call made while draining only leaves its event queued.
    template <class Handler> void drain(Handler&& handler)
    {
        if (draining_)
            return;
        draining_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{draining_};
        while (!queue_.empty()) {
            LinkEvent event = std::move(queue_.front());
            queue_.pop_front();
            handler(event);
        }
    }

    bool draining() const { return draining_; }
    size_t size() const { return queue_.size(); }
    void clear() { queue_.clear(); }

private:
    std::deque<LinkEvent> queue_;
    bool draining_ = false;
};

} // namespace quellin
