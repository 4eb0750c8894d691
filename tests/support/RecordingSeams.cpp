#include "support/RecordingSeams.h"

namespace orvane::test {

bool RecordingDialogs::confirm(const std::string& title, const std::string& text)
{
    calls.push_back({"confirm", title, text});
    if (confirmAnswers.empty())
        return true;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::vector<std::string> RecordingDialogs::openFiles(const std::string& title, const std::string& filter)
{
    calls.push_back({"openFiles", title, filter});
    if (fileAnswers.empty())
        return {};
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> RecordingDialogs::chooseFolder(const std::string& title, const std::string& start)
{
    calls.push_back({"chooseFolder", title, start});
    if (folderAnswers.empty())
        return std::nullopt;
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::vector<std::string> RecordingDialogs::texts(const std::string& kind) const
{
    std::vector<std::string> out;
    for (const auto& call : calls)
        if (call.kind == kind)
            out.push_back(call.text);
    return out;
}

} // namespace orvane::test
