#include "service/http_service.h"

#include <httplib.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>

#include "network/rate_limit.h"
#include "records/cp1251.h"
#include "service/access.h"
#include "service/catalogue.h"
#include "service/documents.h"
#include "service/request_timing.h"
#include "service/web_page.h"

namespace kesp::service {
namespace {

constexpr std::size_t kBodyLimit = 16 * 1024;
// Each open connection holds a worker while it sends its request or idles between requests, so
// there are many: a worker costs only a thread, since the database work goes to the store's small
// pool. A sender silent for longer than the time-out loses its connection.
constexpr std::size_t kWorkers = 256;
constexpr int kSlowSenderSeconds = 3;
constexpr int kIdleKeepAliveSeconds = 5;
constexpr std::size_t kRequestsPerConnection = 1000;
constexpr int kConnectionQueue = 1024;
constexpr int kLogLinesPerSecond = 200;
// A request answered later than this is noted with where its time went, whatever the log limit
// let through of its ordinary line.
constexpr auto kSlowRequest = std::chrono::milliseconds(50);
constexpr int kSlowNotesPerSecond = 20;
constexpr std::uintmax_t kLargestDocument = 50 * 1024 * 1024;
// Public reads are answered from a copy this young, or while it is read afresh, this old at most
// (see AnswerCache).
constexpr auto kKeptAnswerLifetime = std::chrono::seconds(2);
constexpr auto kLongestStaleAnswer = std::chrono::seconds(10);
constexpr std::size_t kKeptAnswers = 4096;

std::mutex logMutex;
LogLimiter logLimiter(kLogLinesPerSecond);
LogLimiter slowNoteLimiter(kSlowNotesPerSecond);

// One line through `limiter`, with its note of the lines it held back.
void WriteLimitedLine(LogLimiter& limiter, const std::string& line) {
    std::string summary;
    bool allowed = false;
    {
        std::lock_guard lock(logMutex);
        allowed = limiter.Allow(std::chrono::steady_clock::now(), summary);
    }
    // Written outside the lock: a write held up by a busy disk stalls the few lines let through,
    // not every request that only asks the limiter.
    if (!summary.empty()) std::fprintf(stderr, "%s\n", summary.c_str());
    if (allowed) std::fprintf(stderr, "%s\n", line.c_str());
}

// The value of the session cookie, when the request carries it.
std::string SessionToken(const httplib::Request& request) {
    const std::string cookies = request.get_header_value("Cookie");
    const std::string name = std::string(kSessionCookie) + "=";
    std::size_t at = 0;
    while (at < cookies.size()) {
        while (at < cookies.size() && (cookies[at] == ' ' || cookies[at] == ';')) ++at;
        std::size_t end = cookies.find(';', at);
        if (end == std::string::npos) end = cookies.size();
        if (cookies.compare(at, name.size(), name) == 0)
            return cookies.substr(at + name.size(), end - at - name.size());
        at = end;
    }
    return {};
}

// The operation and its values, each preceded by its length so that no two requests share a key.
std::string CacheKey(const Operation& operation, const std::vector<std::string>& values) {
    std::string key(operation.name);
    for (const std::string& value : values) key += '\n' + std::to_string(value.size()) + ':' + value;
    return key;
}

struct ChangeNotice {
    AnswerCache& answers;
    unsigned topics;
    ~ChangeNotice() {
        if (topics) answers.Changed(topics);
    }
};

// Paths of the log hold no query (a query could carry anything).
std::string LoggedPath(const httplib::Request& request) {
    std::string path;
    for (const char c : request.path) path.push_back(static_cast<unsigned char>(c) < 0x20 ? '?' : c);
    return path.substr(0, 200);
}

}  // namespace

HttpService::HttpService(Store& store, std::filesystem::path dataFolder, const GameServerPlace& gameServer)
    : store_(store),
      dataFolder_(std::move(dataFolder)),
      gameServer_(gameServer),
      answers_(kKeptAnswerLifetime, kLongestStaleAnswer, kKeptAnswers),
      server_(std::make_unique<httplib::Server>()) {
    server_->new_task_queue = [] { return NewTimedWorkers(kWorkers); };
    server_->set_payload_max_length(kBodyLimit);
    server_->set_read_timeout(kSlowSenderSeconds, 0);
    server_->set_write_timeout(kSlowSenderSeconds, 0);
    server_->set_keep_alive_timeout(kIdleKeepAliveSeconds);
    server_->set_keep_alive_max_count(kRequestsPerConnection);
    // Replies are small: without this each waits for the client's delayed acknowledgement.
    server_->set_tcp_nodelay(true);
    // Unlike the library's default (SO_REUSEPORT), a second service cannot bind the same port and
    // silently take half of the connections; a restart still binds at once.
    server_->set_socket_options([this](int socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listenSocket_ = socket;
    });
    server_->set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        BeginRequest();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server_->set_post_routing_handler([](const httplib::Request&, httplib::Response&) {
        CurrentRequest().handled = RequestTiming::Clock::now();
    });
    // Called once the answer has been written.
    server_->set_logger([](const httplib::Request& request, const httplib::Response& response) {
        const auto written = RequestTiming::Clock::now();
        const RequestTiming& timing = CurrentRequest();
        std::ostringstream line;
        line << UtcNow("%Y-%m-%dT%H:%M:%SZ") << ' ' << request.remote_addr << ' ' << request.method << ' '
             << LoggedPath(request) << ' ' << response.status << ' '
             << (timing.operation.empty() ? "-" : timing.operation);
        const std::string start = line.str();
        if (!timing.begun) {
            WriteLimitedLine(logLimiter, start + " (not read)");
            return;
        }
        WriteLimitedLine(logLimiter, start + ' ' + timing.Breakdown(written));
        if (timing.Total(written) >= kSlowRequest)
            WriteLimitedLine(slowNoteLimiter, "slow request: " + start + ' ' + timing.Breakdown(written));
        EndRequest();
    });
    server_->set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            response.status = 500;
            response.set_content("", "text/plain");
        });
    Route();
}

HttpService::~HttpService() {
    // The reads still running in the background use this object.
    std::unique_lock lock(backgroundMutex_);
    backgroundDone_.wait(lock, [this] { return backgroundReads_ == 0; });
}

void HttpService::ReadAfreshLater(const Operation& operation, std::string key,
                                  std::vector<std::string> values, std::string remote, std::string local) {
    {
        std::lock_guard lock(backgroundMutex_);
        ++backgroundReads_;
    }
    const auto finished = [this] {
        std::lock_guard lock(backgroundMutex_);
        if (--backgroundReads_ == 0) backgroundDone_.notify_all();
    };
    const AnswerCache::Ticket ticket = answers_.Begin(operation.answerReadsFrom);
    const bool posted = store_.Post([this, &operation, key = std::move(key), values = std::move(values),
                                     remote = std::move(remote), local = std::move(local), ticket,
                                     finished](QSqlDatabase& db) {
        const struct Done {
            std::function<void()> call;
            ~Done() { call(); }
        } done{finished};
        if (!db.isOpen()) return;
        Call call{db, store_.IsPostgres(), limits_, remote, {}, values, local, &gameServer_, false};
        const auto reply = Utf8ToCp1251(operation.answer(call).text);
        // A refusal may come from a passing database fault: never kept.
        if (reply && *reply != kRefused)
            answers_.Keep(key, operation.answerReadsFrom, ticket, *reply, AnswerCache::Clock::now());
    });
    // Turned away: the expired copy is read afresh by a later caller.
    if (!posted) finished();
}

void HttpService::Route() {
    const std::pair<const char*, Address> scripts[] = {{"/account", Address::Account},
                                                       {"/statistics", Address::Statistics},
                                                       {"/worldtop", Address::WorldTopTen},
                                                       {"/tables", Address::Tables}};
    for (const auto& [path, address] : scripts) {
        server_->Post(path, [this, address = address](const httplib::Request& request,
                                                      httplib::Response& response) {
            const Recognised recognised = Recognise(address, request.body);
            const char* const contentType = "text/html; charset=windows-1251";
            RequestTiming& timing = CurrentRequest();
            std::string reply(kRefused);
            if (recognised.operation) {
                const Operation& operation = *recognised.operation;
                timing.operation = std::string(operation.name);
                const unsigned readsFrom = operation.answerReadsFrom;
                const std::string key = readsFrom ? CacheKey(operation, recognised.values) : std::string();
                if (readsFrom) {
                    AnswerCache::Found kept = answers_.Find(key, readsFrom, AnswerCache::Clock::now());
                    if (kept.readAfresh)
                        ReadAfreshLater(operation, key, recognised.values, request.remote_addr,
                                        request.local_addr);
                    if (kept.answer) {
                        timing.kept = true;
                        response.set_content(std::move(*kept.answer), contentType);
                        return;
                    }
                }
                const AnswerCache::Ticket ticket = answers_.Begin(readsFrom);
                // Once the handler returns, before the reply goes out, whatever the write committed
                // (even when it failed half way) drops the answers kept from before it.
                const ChangeNotice notice{answers_, operation.writesTo};
                const std::string session = SessionToken(request);
                std::optional<Answer> answered;
                const auto answerOn = [&](bool passwordConnections) {
                    const auto work = [&](QSqlDatabase& db) {
                        if (!db.isOpen()) return;
                        Call call{db,
                                  store_.IsPostgres(),
                                  limits_,
                                  request.remote_addr,
                                  session,
                                  recognised.values,
                                  request.local_addr,
                                  &gameServer_,
                                  passwordConnections};
                        answered = operation.answer(call);
                    };
                    timing.askedDatabase = true;
                    timing.database = passwordConnections ? store_.UseForPasswords(work) : store_.Use(work);
                };
                if (operation.hashesPassword) {
                    answerOn(true);
                } else {
                    try {
                        answerOn(false);
                    } catch (const PasswordCheckDeferred&) {
                        answerOn(true);
                    }
                }
                // Too many were waiting for a password check, or it waited too long: refused, as
                // the game reads "no", and nothing was written.
                if (!timing.database.ran) {
                    response.set_content(std::string(kRefused), contentType);
                    return;
                }
                if (!answered) {
                    response.status = 503;
                    return;
                }
                const Answer& answer = *answered;
                reply = Utf8ToCp1251(answer.text).value_or(std::string(kRefused));
                // A refusal may come from a passing database fault: never kept.
                if (readsFrom && reply != kRefused)
                    answers_.Keep(key, readsFrom, ticket, reply, AnswerCache::Clock::now());
                if (!answer.newSessionToken.empty())
                    response.set_header("Set-Cookie",
                                        std::string(kSessionCookie) + "=" + answer.newSessionToken +
                                            "; Path=/; HttpOnly; SameSite=Lax; Max-Age=2592000");
            } else {
                timing.operation = "unknown";
            }
            response.set_content(reply, contentType);
        });
    }
    server_->Get("/", [this](const httplib::Request&, httplib::Response& response) {
        std::optional<std::string> page;
        RequestTiming& timing = CurrentRequest();
        timing.askedDatabase = true;
        timing.database = store_.Use([&](QSqlDatabase& db) {
            if (db.isOpen()) page = WebPage(db, dataFolder_);
        });
        if (!page) {
            response.status = 503;
            return;
        }
        response.set_content(*page, "text/html; charset=utf-8");
    });
    server_->Get("/get_ip.php", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(request.remote_addr, "text/plain; charset=utf-8");
    });
    server_->Get(R"(/.+)", [this](const httplib::Request& request, httplib::Response& response) {
        const auto file = DocumentFile(dataFolder_, request.path);
        std::error_code failure;
        if (!file || !std::filesystem::is_regular_file(*file, failure) ||
            std::filesystem::file_size(*file, failure) > kLargestDocument) {
            response.status = 404;
            return;
        }
        std::ifstream in(*file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        response.set_content(content.str(), ContentType(*file));
    });
}

int HttpService::Bind(const std::string& host, int port) {
    const int bound = port == 0                           ? server_->bind_to_any_port(host)
                      : server_->bind_to_port(host, port) ? port
                                                          : -1;
    // The library listens with a queue of 5, which drops connections when many clients connect at
    // once; listening again on Linux only enlarges the queue.
    if (bound > 0) ::listen(listenSocket_, kConnectionQueue);
    return bound;
}

bool HttpService::Serve() {
    return server_->listen_after_bind();
}

void HttpService::Stop() {
    server_->stop();
}

}  // namespace kesp::service
