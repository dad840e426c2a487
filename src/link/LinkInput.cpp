#include "link/LinkInput.h"

#include "base/ErrorReport.h"
#include "link/Sequencer.h"

namespace quellin {

void LinkInput::bytesReceived(QByteArrayView bytes)
{
    framer_.feed(bytes, [this](const QString& line) {
        queue_.push({LinkEvent::Kind::Line, line, 0});
    });
    drain();
}

void LinkInput::timerFired()
{
    queue_.push({LinkEvent::Kind::Timeout, {}, seq_.timerGeneration()});
    drain();
}

void LinkInput::portLost(const QString& portNumber)
{
    queue_.push({LinkEvent::Kind::PortLost, portNumber, 0});
    drain();
}

void LinkInput::reset()
{
    framer_.clear();
    if (!queue_.draining())
        queue_.clear();
}

void LinkInput::drain()
{
    queue_.drain([this](const LinkEvent& event) { handle(event); });
}

void LinkInput::handle(const LinkEvent& event)
{
    // A failure in a window called back must not end the program from inside the
    // serial event: it is reported like any other trapped error.
    Context& ctx = seq_.context();
    switch (event.kind) {
    case LinkEvent::Kind::Line:
        trapped(ctx, "Mscomm_OnComm", false, [&] {
            seq_.dispatch(static_cast<int>(event.text.size()), event.text);
            return true;
        });
        break;
    case LinkEvent::Kind::Timeout:
        if (event.generation != seq_.timerGeneration())
            return;
        trapped(ctx, "TmrTimeOut_Timer", false, [&] {
            seq_.onTimeout();
            return true;
        });
        break;
    case LinkEvent::Kind::PortLost:
        trapped(ctx, "Mscomm_OnComm", false, [&] {
            seq_.portLost(event.text);
            return true;
        });
        break;
    }
}

} // namespace quellin
