// One running copy of the program per program directory. Two copies on one directory would
// write one settings file over each other and show each other's persons stale, so a second
// start hands over to the first: it asks it to come to the front and ends.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace kyr {

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    /// What a start found.
    enum class TClaim {
        First,     ///< no other copy runs on the directory; this one now answers later starts
        HandedOver, ///< another copy runs there and was asked to come to the front
        NoAnswer   ///< another copy holds the directory but did not take the request
    };

    /// For the program directory (any spelling of it: the canonical path decides).
    explicit TSingleInstance(const QString &directory, QObject *parent = nullptr);
    ~TSingleInstance() override;

    /// Takes the directory, or hands the start over to the copy that has it. A lock left by a
    /// copy that died is taken over. Where no lock can be made at all, the start goes on as
    /// the first.
    TClaim Claim();

    /// The lock file and the local server name of a directory; the same in every copy of one
    /// user.
    static QString LockFileName(const QString &directory);
    static QString ServerName(const QString &directory);

    /// The request a later start sends.
    static constexpr const char *RaiseRequest = "raise\n";

signals:
    /// A later start on the same directory asked this copy to come to the front.
    void RaiseRequested();

private:
    void Listen();
    void ReadRequest(class QLocalSocket *socket);
    bool SendRaise();

    QString FLockFileName;
    QString FServerName;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer *FServer = nullptr;
};

} // namespace kyr
