#include "platform/editor/Transcript.h"

#include <stdio.h>

#include <cstdio>

namespace platform {

// The command line is written from one thread: the unlocked writes spare a
// lock per prompt and answer.

Transcript& transcript()
{
    static Transcript t;
    return t;
}

void Transcript::print(std::string_view text)
{
    if (text.empty())
        return;
    if (m_afterAnswer && text.front() == '\n')
        text.remove_prefix(1);
    m_afterAnswer = false;
    if (text.empty())
        return;
    fwrite_unlocked(text.data(), 1, text.size(), stdout);
    m_atLineStart = text.back() == '\n';
}

void Transcript::echoAnswer(std::string_view answer)
{
    fwrite_unlocked(answer.data(), 1, answer.size(), stdout);
    fputc_unlocked('\n', stdout);
    answerEnded();
}

void Transcript::answerEnded()
{
    m_atLineStart = true;
    m_afterAnswer = true;
}

void Transcript::finishLine()
{
    if (!m_atLineStart) {
        fputc_unlocked('\n', stdout);
        m_atLineStart = true;
        m_afterAnswer = false;
    }
}

void Transcript::error(std::string_view text)
{
    std::fflush(stdout);
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace platform
