#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/file_dialog.h"

namespace stelvador {

// File dialog double: each ShowOpen / ShowSave takes the next queued answer (a path, or a
// cancel). A path becomes FileName and its folder the current directory, as with the real
// dialog; a cancel, or an empty queue, leaves FileName empty. Every call is recorded with the
// Filter it was shown with.
class ScriptedFileDialog : public FileDialog {
  public:
    enum class Kind { Open, Save };
    struct Call {
        Kind kind;
        std::string filter;
    };

    void queuePath(const std::string& path) { m_answers.push_back(Answer{false, path}); }
    void queueCancel() { m_answers.push_back(Answer{true, std::string()}); }

    void ShowOpen() override { answer(Kind::Open); }
    void ShowSave() override { answer(Kind::Save); }

    const std::vector<Call>& calls() const { return m_calls; }
    std::size_t pendingAnswers() const { return m_answers.size(); }

  private:
    struct Answer {
        bool cancel;
        std::string path;
    };

    void answer(Kind kind);

    std::deque<Answer> m_answers;
    std::vector<Call> m_calls;
};

}  // namespace stelvador
