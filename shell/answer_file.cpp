#include "shell/answer_file.h"

#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>
#include <string>

#include "foundation/dialogs.h"
#include "foundation/log.h"

namespace tavo {
namespace {

std::deque<int> ReadAnswers(const std::string& file) {
    std::deque<int> answers;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        try {
            answers.push_back(std::stoi(line));
        } catch (const std::exception&) {
            WriteLog("Antwortdatei: Zeile ohne Zahl übergangen: " + line);
        }
    }
    return answers;
}

}  // namespace

void InstallAnswerFileFromEnvironment() {
    const char* file = std::getenv("TAVO_ANSWERS");
    if (!file || !*file) return;
    WriteLog(std::string("Antwortdatei: ") + file);
    auto answers = std::make_shared<std::deque<int>>(ReadAnswers(file));
    SetPromptHandler([answers](const DialogRequest& request) {
        if (answers->empty()) return UnattendedAnswer(request);
        const int answer = answers->front();
        answers->pop_front();
        return answer;
    });
}

}  // namespace tavo
