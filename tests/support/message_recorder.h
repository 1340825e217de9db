// Test support: answers every message box instead of a person and keeps what
// each one showed. Questions take the queued answers in turn; with none left a
// question is answered Cancel (or No for two buttons), which tests then see.
#pragma once

#include <deque>
#include <vector>

#include "platform/forms/messages.h"

namespace testing_support {

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void answer(forms::Answer a) { m_answers.push_back(a); }
    const std::vector<forms::MessageBox>& boxes() const { return m_boxes; }
    // The last box shown; an empty box when there was none.
    forms::MessageBox last() const { return m_boxes.empty() ? forms::MessageBox{} : m_boxes.back(); }
    void clear() { m_boxes.clear(); }

private:
    std::deque<forms::Answer> m_answers;
    std::vector<forms::MessageBox> m_boxes;
    forms::MessageHook m_previous;
};

} // namespace testing_support
