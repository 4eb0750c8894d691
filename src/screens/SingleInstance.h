#pragma once
// One running program per user and prefix. The first start listens on a local socket; a later
// start finds it, asks it to come to the front and ends. A crash leaves nothing that blocks the
// next start: a socket nobody answers on is taken over.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace orvane {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance(const QString& userName, const QString& prefixRoot, QObject* parent = nullptr);

    // The local socket name for a user and prefix.
    static QString keyFor(const QString& userName, const QString& prefixRoot);

    // true: this is the only instance and now listens. false: another instance runs and has
    // been asked to come to the front; this one should end.
    bool start();

signals:
    // Another start asked this instance to come to the front.
    void activationRequested();

private:
    bool askRunningInstance();

    QString key_;
    QLocalServer server_;
};

} // namespace orvane
