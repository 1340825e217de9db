// The recording message hook.
#include "tests/support/message_recorder.h"

namespace testing_support {

MessageRecorder::MessageRecorder()
{
    m_previous = forms::setMessageHook([this](const forms::MessageBox& box) {
        m_boxes.push_back(box);
        if (box.buttons == forms::Buttons::Ok)
            return forms::Answer::Ok;
        if (!m_answers.empty()) {
            const auto a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        return box.buttons == forms::Buttons::YesNo ? forms::Answer::No : forms::Answer::Cancel;
    });
}

MessageRecorder::~MessageRecorder()
{
    forms::setMessageHook(std::move(m_previous));
}

} // namespace testing_support
