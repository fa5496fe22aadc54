#include "scripted_file_dialog.h"

#include "platform/current_folder.h"

namespace stelvador {

void ScriptedFileDialog::answer(Kind kind) {
    m_calls.push_back(Call{kind, Filter()});
    if (m_answers.empty() || m_answers.front().cancel) {
        if (!m_answers.empty()) {
            m_answers.pop_front();
        }
        setFileName(std::string());
        return;
    }
    const std::string path = m_answers.front().path;
    m_answers.pop_front();
    setFileName(path);
    EnterFolderOfFile(path);
}

}  // namespace stelvador
