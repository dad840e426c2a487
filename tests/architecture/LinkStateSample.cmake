# Writes a source tree whose dialog moves the link's conversation itself, and
# checks it with CheckLinkStateOwner.cmake: the check must name that file and
# each of its offending lines, and nothing in the link or in a comment.
#
#   cmake -DWORK_DIR=<dir> -DCHECK=<CheckLinkStateOwner.cmake> -P LinkStateSample.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
set(text [=[// A comment may name ctx.link.LinkState = link::State::Idle; it moves nothing.
void closeDialog(Context& ctx, Sequencer& seq)
{
    ctx.link.LinkState = link::State::Idle;
    const auto& answers = seq.ExchangeList;
    ++ctx.link.ExchangeIndex;
    if (seq.LinkState() == link::State::Idle)
        seq.endExchange();
}
]=])
file(WRITE "${WORK_DIR}/src/dialogs/Sample.cpp" "${text}")
# The same lines in the link itself are its own business.
file(WRITE "${WORK_DIR}/src/link/Owner.cpp" "${text}")
set(ROOTS "${WORK_DIR}/src")
set(OWNER "${WORK_DIR}/src/link")
include("${CHECK}")
