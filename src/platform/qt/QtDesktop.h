#pragma once
// Opening documents, web addresses and mail links with the desktop's programs.

#include "platform/Desktop.h"

namespace orvane {

class QtDesktop : public Desktop {
public:
    bool openDocument(const std::string& hostPath) override;
    bool openUrl(const std::string& url) override;
    bool openMail(const std::string& address, const std::string& subject) override;
};

} // namespace orvane
