#include "platform/editor/Transcript.h"

#include <stdio.h>

#include <cstdio>
#include <cstring>

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
    put(text);
    m_atLineStart = text.back() == '\n';
}

void Transcript::echoAnswer(std::string_view answer)
{
    put(answer);
    put("\n");
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
        put("\n");
        m_atLineStart = true;
        m_afterAnswer = false;
    }
}

void Transcript::error(std::string_view text)
{
    flush();
    if (m_listener) {
        m_listener(text);
        if (text.empty() || text.back() != '\n')
            m_listener("\n");
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

void Transcript::put(std::string_view text)
{
    if (m_listener)
        m_listener(text);
    if (!m_gathering) {
        fwrite_unlocked(text.data(), 1, text.size(), stdout);
        return;
    }
    if (m_used + text.size() > kGatheredLimit) {
        drain();
        if (text.size() > kGatheredLimit) {
            fwrite_unlocked(text.data(), 1, text.size(), stdout);
            return;
        }
    }
    std::memcpy(m_gathered.get() + m_used, text.data(), text.size());
    m_used += text.size();
}

void Transcript::drain()
{
    if (m_used == 0)
        return;
    fwrite_unlocked(m_gathered.get(), 1, m_used, stdout);
    m_used = 0;
}

void Transcript::gather(bool on)
{
    drain();
    m_gathering = on;
    if (on && !m_gathered)
        m_gathered = std::make_unique<char[]>(kGatheredLimit);
}

void Transcript::flush()
{
    drain();
    std::fflush(stdout);
}

Transcript::~Transcript() { drain(); }

}  // namespace platform
