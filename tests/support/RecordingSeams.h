#pragma once
// Dialog and desktop seams for tests: they record every call and answer from a script.

#include "platform/Desktop.h"
#include "platform/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace orvane::test {

struct DialogCall {
    std::string kind; // "message", "warning", "error", "confirm", "openFiles", "chooseFolder"
    std::string title;
    std::string text;
};

class RecordingDialogs : public Dialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<bool> confirmAnswers;                    // default: Yes
    std::deque<std::vector<std::string>> fileAnswers;   // default: cancelled
    std::deque<std::optional<std::string>> folderAnswers;

    void message(const std::string& title, const std::string& text) override { calls.push_back({"message", title, text}); }
    void warning(const std::string& title, const std::string& text) override { calls.push_back({"warning", title, text}); }
    void error(const std::string& title, const std::string& text) override { calls.push_back({"error", title, text}); }
    bool confirm(const std::string& title, const std::string& text) override;
    std::vector<std::string> openFiles(const std::string& title, const std::string& filter) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& start) override;

    // Texts of the calls of one kind, in order.
    std::vector<std::string> texts(const std::string& kind) const;
};

class RecordingDesktop : public Desktop {
public:
    std::vector<std::string> opened; // "doc:<path>", "url:<url>", "mail:<address>?<subject>"
    bool openDocument(const std::string& hostPath) override { opened.push_back("doc:" + hostPath); return true; }
    bool openUrl(const std::string& url) override { opened.push_back("url:" + url); return true; }
    bool openMail(const std::string& address, const std::string& subject) override
    {
        opened.push_back("mail:" + address + "?" + subject);
        return true;
    }
};

} // namespace orvane::test
