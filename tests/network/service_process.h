// A real kesp-service on a free loopback port with its data in a temporary folder, for tests of the
// game's online side. Its picture store (the FTP server) starts only when asked for.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <random>
#include <string>

#ifndef KESP_SERVICE_BINARY
#error "KESP_SERVICE_BINARY names the kesp-service to start"
#endif

namespace kesp::test {

class ServiceProcess {
  public:
    // Starts the service; base() is empty when it did not come up.
    // `extraArguments` go to the service's command line (a shorter move time-out, say).
    explicit ServiceProcess(bool withPictureStore = false, const QStringList& extraArguments = {}) {
        if (!data_.isValid()) return;
        service_.setProgram(KESP_SERVICE_BINARY);
        service_.setArguments(QStringList{"--listen", "127.0.0.1:0", "--game-port",
                                          QString::number(FreePortBlock()), "--data", data_.path()} +
                              extraArguments);
        service_.setProcessChannelMode(QProcess::SeparateChannels);
        // The log goes to a file: a pipe that nobody drains (a test without an event loop) would
        // fill and stop the service at its next log line.
        service_.setStandardErrorFile(data_.filePath("service.log"));
        service_.start();
        if (!service_.waitForStarted(10000)) return;
        static const QRegularExpression listening("listening on (\\S+)");
        QByteArray out;
        while (service_.state() == QProcess::Running && service_.waitForReadyRead(20000)) {
            out += service_.readAllStandardOutput();
            const auto match = listening.match(QString::fromUtf8(out));
            if (match.hasMatch()) {
                base_ = match.captured(1).toStdString();
                break;
            }
        }
        if (withPictureStore && !base_.empty()) StartPictureStore();
    }

    ~ServiceProcess() {
        for (QProcess* process : {&store_, &service_}) {
            if (process->state() == QProcess::NotRunning) continue;
            process->terminate();
            if (!process->waitForFinished(10000)) process->kill();
            process->waitForFinished(5000);
        }
    }

    const std::string& base() const { return base_; }
    QString dataFolder() const { return data_.path(); }
    int ftpPort() const { return ftpPort_; }
    qint64 processId() const { return service_.processId(); }
    bool pictureStoreRunning() const { return store_.state() == QProcess::Running; }
    // What the service logged since the last call, for a failure's message.
    QByteArray TakeLog() { return service_.readAllStandardError(); }

    // Stops the service at once, as a crash or a lost host would.
    void Kill() {
        service_.kill();
        service_.waitForFinished(5000);
    }

  private:
    static int FreePort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    // The game server takes base + 1 .. base + 10: a random block below the system's range of
    // ports for outgoing connections (which would take them from under it), free right now.
    static int FreePortBlock() {
        std::random_device random;
        int base = 0;
        for (int attempt = 0; attempt < 50; ++attempt) {
            base = 20000 + static_cast<int>(random() % 12000);
            bool free = true;
            for (int t = 1; t <= 10 && free; ++t) {
                QTcpServer probe;
                free = probe.listen(QHostAddress::LocalHost, static_cast<quint16>(base + t));
            }
            if (free) return base;
        }
        return base;
    }

    void StartPictureStore() {
        ftpPort_ = FreePort();
        store_.setProgram("/usr/bin/python3");
        store_.setProcessChannelMode(QProcess::MergedChannels);
        store_.setStandardOutputFile(data_.filePath("picture-store.log"));
        store_.setArguments({KESP_PICTURE_STORE_SCRIPT, "--data", data_.path(), "--host", "127.0.0.1",
                             "--port", QString::number(ftpPort_)});
        store_.start();
        store_.waitForStarted(10000);
        // Ready once it accepts a connection.
        for (int attempt = 0; attempt < 100; ++attempt) {
            QTcpSocket probe;
            probe.connectToHost("127.0.0.1", static_cast<quint16>(ftpPort_));
            if (probe.waitForConnected(200)) return;
            QThread::msleep(50);
        }
    }

    QTemporaryDir data_;
    QProcess service_;
    QProcess store_;
    std::string base_;
    int ftpPort_ = 0;
};

}  // namespace kesp::test
