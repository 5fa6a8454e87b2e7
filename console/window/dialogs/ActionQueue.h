#pragma once

#include <deque>
#include <functional>
#include <string>

// The script lines a dialog window made of the user's actions, not yet
// handed on, oldest first. The user may act twice before the platform
// asks again (a typed text left by a click on a button).
class ActionQueue {
public:
    bool empty() const { return m_lines.empty(); }
    std::string take()
    {
        std::string line = std::move(m_lines.front());
        m_lines.pop_front();
        return line;
    }
    void clear() { m_lines.clear(); }
    // Called for each new line: the wait for one ends.
    void whenAdded(std::function<void()> notify) { m_notify = std::move(notify); }
    void add(std::string line)
    {
        m_lines.push_back(std::move(line));
        ++m_added;
        if (m_notify)
            m_notify();
    }
    // Lines ever added: a replay that added none hands on its own line.
    unsigned long added() const { return m_added; }

private:
    std::deque<std::string> m_lines;
    std::function<void()> m_notify;
    unsigned long m_added = 0;
};
