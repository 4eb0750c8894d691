#pragma once
// Opening things with the desktop: documents, web addresses, mail links.

#include <string>

namespace orvane {

class Desktop {
public:
    virtual ~Desktop() = default;
    // ShellExecuteA "open" on a host file. The result is not reported to the user.
    virtual bool openDocument(const std::string& hostPath) = 0;
    virtual bool openUrl(const std::string& url) = 0;
    virtual bool openMail(const std::string& address, const std::string& subject) = 0;
};

} // namespace orvane
