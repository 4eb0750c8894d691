#pragma once
// The shredder's list: one full path per line, files and folders dropped from a file manager
// (text/uri-list) are appended as they come.

#include <QListWidget>

#include <functional>
#include <string>

namespace orvane {

class TFwipeList : public QListWidget {
public:
    explicit TFwipeList(QWidget* parent = nullptr);
    // Called with the host path (raw bytes, as on disk) of every local file or folder
    // dropped, in drop order.
    std::function<void(const std::string& hostPath)> onDropped;

    // Public so that a drop can be delivered directly (tests, other drop targets).
    void dropEvent(QDropEvent* event) override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
};

} // namespace orvane
