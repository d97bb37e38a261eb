// A small HTTP/1.1 server on 127.0.0.1 for the updater's tests. It runs on
// threads of its own, so a test may block (waiting for a process) while it
// serves. Every answer closes the connection.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace renovo::test {

struct Response {
    int status = 200;
    std::string body;
    bool sendLength = true; // send Content-Length
    long long declaredLength = -1; // Content-Length to announce; -1: the body's size
    std::string location; // Location header, for redirects
    int pieces = 1; // the body is sent in this many writes
    int pieceDelayMs = 0; // pause before each write
    int answerDelayMs = 0; // pause before the status line
};

class HttpServer {
public:
    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    int port() const { return m_port; }
    std::string url(const std::string& path) const;
    // Answers GET requests for `path` (exact, without query); others get 404.
    void serve(const std::string& path, Response response);
    int requestCount(const std::string& path) const;
    int totalRequests() const;
    // Waits until `path` has been asked for `count` times; false on time-out.
    bool waitForRequests(const std::string& path, int count, int timeoutMs) const;

private:
    void acceptLoop();
    void handle(int fd);

    int m_listenFd = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping {false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_requested;
    std::map<std::string, Response> m_routes;
    std::map<std::string, int> m_counts;
    std::vector<std::thread> m_workers;
    std::thread m_acceptor;
};

// A port on 127.0.0.1 that nothing listens on (bound once, then released).
int unusedPort();

} // namespace renovo::test
