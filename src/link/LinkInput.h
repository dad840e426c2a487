#pragma once
// The receive path of the link: bytes → LineFramer → LineQueue → the sequencer's
// dispatcher, one event at a time. The time-out and the loss of the port go through
// the same queue, so that nothing the link does runs inside the handling of a line.

#include "link/LineFramer.h"
#include "link/LineQueue.h"

#include <QByteArrayView>

namespace quellin {

class Sequencer;

class LinkInput {
public:
    explicit LinkInput(Sequencer& sequencer) : seq_(sequencer) {}

    void bytesReceived(QByteArrayView bytes);
    // TmrTimeOut fired. A time-out that waited in the queue is dropped when the
    // timer was switched meanwhile (its answer arrived, or a new exchange started).
    void timerFired();
    void portLost(const QString& portNumber);
    // The port was (re)opened: the partial line and unhandled lines are dropped.
    void reset();

    const LineFramer& framer() const { return framer_; }
    bool busy() const { return queue_.draining(); }

private:
    void drain();
    void handle(const LinkEvent& event);

    Sequencer& seq_;
    LineFramer framer_;
    LineQueue queue_;
};

} // namespace quellin
