// The test hook shared by the dialog services: scripted answers in order, and a record of every
// request. Internal to the window layer.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace platform::msg {

template <class Request, class Answer>
class ScriptedAnswers
{
public:
    using AnswerFunction = std::function<Answer(const Request&)>;

    void Script(Answer answer)
    {
        std::lock_guard lock(m_lock);
        m_script.emplace_back(std::move(answer));
    }
    void Script(AnswerFunction answer)
    {
        std::lock_guard lock(m_lock);
        m_script.emplace_back(std::move(answer));
    }
    std::vector<Request> TakeShown()
    {
        std::lock_guard lock(m_lock);
        return std::exchange(m_shown, {});
    }
    void Reset()
    {
        std::lock_guard lock(m_lock);
        m_script.clear();
        m_shown.clear();
    }

    // Records `request` and answers it with the next scripted answer, or `fallback` when none
    // is left. A scripted function runs without the lock held (it may pump messages).
    Answer Next(const Request& request, const Answer& fallback)
    {
        std::optional<std::variant<Answer, AnswerFunction>> answer;
        {
            std::lock_guard lock(m_lock);
            m_shown.push_back(request);
            if (!m_script.empty()) {
                answer = std::move(m_script.front());
                m_script.pop_front();
            }
        }
        if (!answer)
            return fallback;
        if (auto* fixed = std::get_if<Answer>(&*answer))
            return *fixed;
        return std::get<AnswerFunction>(*answer)(request);
    }

private:
    std::mutex m_lock; // guards the script and the record
    std::deque<std::variant<Answer, AnswerFunction>> m_script;
    std::vector<Request> m_shown;
};

} // namespace platform::msg
