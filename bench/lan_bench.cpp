// The round trip of one game message on the loopback address: the host's socket sends it, the
// client's reader frames it and sends it back, the host's reader frames the answer.
//   build/bench/lan_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>

#include "network/lan_reader.h"

namespace kesp {
namespace {

// Reads until the reader gives one message; false when nothing came in time.
bool ReceiveOne(QTcpSocket& socket, LanReader& reader, std::string& message) {
    LanMessage m;
    while (!reader.Next(m)) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(2000)) return false;
        char piece[512];
        const qint64 n = socket.read(piece, sizeof piece);
        if (n <= 0) return false;
        reader.Feed(std::string_view(piece, static_cast<std::size_t>(n)));
    }
    message.assign(m.text);
    return true;
}

void BM_GameMessageRoundTrip(benchmark::State& state) {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("cannot listen on the loopback address");
        return;
    }
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    if (!client.waitForConnected(2000) || !server.waitForNewConnection(2000)) {
        state.SkipWithError("cannot connect");
        return;
    }
    QTcpSocket* host = server.nextPendingConnection();
    for (QTcpSocket* s : {host, &client}) s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    LanReader hostReader(LanReaderSide::Host), clientReader(LanReaderSide::Client);
    std::string message;
    for (auto _ : state) {
        host->write("h93#10000", 9);
        host->flush();
        if (!ReceiveOne(client, clientReader, message)) {
            state.SkipWithError("the client heard nothing");
            return;
        }
        client.write(message.data(), static_cast<qint64>(message.size()));
        client.flush();
        if (!ReceiveOne(*host, hostReader, message)) {
            state.SkipWithError("the host heard nothing");
            return;
        }
    }
}
BENCHMARK(BM_GameMessageRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kesp

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
