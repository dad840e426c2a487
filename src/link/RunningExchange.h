#pragma once
// The exchange that runs, as the handler of its state sees it: its steps and
// answers, and the moves a handler makes (accept an answer, send the next step,
// step back, a new list, a new state, the end). Only the sequencer makes one, for
// the line it hands to a handler, so the conversation moves only inside the link.

#include "link/Sequencer.h"

namespace quellin {

class RunningExchange {
public:
    RunningExchange(const RunningExchange&) = delete;
    RunningExchange& operator=(const RunningExchange&) = delete;

    link::State state() const { return seq_.state_; }
    Context& context() { return seq_.ctx_; }
    LinkClients& clients() { return seq_.clients_; }

    // The step whose answer is awaited, or null past the list.
    ExchangeStep* currentStep() { return seq_.currentStep(); }
    int index() const { return seq_.index_; }
    unsigned serial() const { return seq_.exchangeSerial_; }
    // True when every step has been answered.
    bool done() const { return seq_.exchangeDone(); }
    // The ReplyData of every step, for the caller's call-back.
    ExchangeReplies replies() const { return seq_.replies(); }

    // Timer off, the current step's ReplyData kept, on to the next step.
    void accept(const QString& line) { seq_.accept(line); }
    // On to the next step without keeping the answer.
    void advance() { ++seq_.index_; }
    // Sends the current step and switches the timer on (nothing past the list).
    void continueExchange() { seq_.continueExchange(); }
    // Back to the step before, which keeps line's data (the fresh status).
    void stepBack(const QString& line) { seq_.stepBack(line); }
    // A list of the link's own (index 0), not yet sent.
    void replaceList(std::vector<ExchangeStep> steps) { seq_.replaceList(std::move(steps)); }
    // The next state of the same conversation.
    void enter(link::State state) { seq_.setState(state); }
    // The exchange is over: idle.
    void end() { seq_.setState(link::State::Idle); }

    void timerOn() { seq_.timerOn(); }
    void timerOff() { seq_.timerOff(); }
    void restartTimer() { seq_.restartTimer(); }

private:
    friend class Sequencer;
    friend struct SequencerProbe;
    explicit RunningExchange(Sequencer& seq) : seq_(seq) {}

    Sequencer& seq_;
};

} // namespace quellin
