#include "testhttpserver.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace renovo::test {
namespace {

int listenOnLoopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket");
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        throw std::runtime_error("bind/listen");
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const auto sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

const char* reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

HttpServer::HttpServer()
{
    m_listenFd = listenOnLoopback(m_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

HttpServer::~HttpServer()
{
    m_stopping = true;
    ::shutdown(m_listenFd, SHUT_RDWR);
    m_acceptor.join();
    ::close(m_listenFd);
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(m_mutex);
        workers.swap(m_workers);
    }
    for (auto& worker : workers)
        worker.join();
}

std::string HttpServer::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void HttpServer::serve(const std::string& path, Response response)
{
    std::lock_guard lock(m_mutex);
    m_routes[path] = std::move(response);
}

int HttpServer::requestCount(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_counts.find(path);
    return it == m_counts.end() ? 0 : it->second;
}

int HttpServer::totalRequests() const
{
    std::lock_guard lock(m_mutex);
    int total = 0;
    for (const auto& [path, count] : m_counts)
        total += count;
    return total;
}

bool HttpServer::waitForRequests(const std::string& path, int count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_requested.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        const auto it = m_counts.find(path);
        return it != m_counts.end() && it->second >= count;
    });
}

void HttpServer::acceptLoop()
{
    while (!m_stopping) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (m_stopping)
                return;
            continue;
        }
        const timeval timeout {5, 0}; // no client keeps a worker for longer
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        std::lock_guard lock(m_mutex);
        m_workers.emplace_back([this, fd] {
            handle(fd);
            ::close(fd);
        });
    }
}

void HttpServer::handle(int fd)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const auto got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    // "GET /path HTTP/1.1"
    const auto firstBlank = request.find(' ');
    const auto secondBlank = request.find(' ', firstBlank + 1);
    if (firstBlank == std::string::npos || secondBlank == std::string::npos)
        return;
    std::string path = request.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    if (const auto query = path.find('?'); query != std::string::npos)
        path.resize(query);

    Response response;
    {
        std::lock_guard lock(m_mutex);
        ++m_counts[path];
        const auto it = m_routes.find(path);
        if (it != m_routes.end())
            response = it->second;
        else
            response = Response {404, "not here\n"};
    }
    m_requested.notify_all();

    const auto pause = [this](int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!m_stopping && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    pause(response.answerDelayMs);

    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " + reason(response.status) + "\r\n";
    if (response.sendLength) {
        const long long length = response.declaredLength >= 0 ? response.declaredLength
                                                              : static_cast<long long>(response.body.size());
        head += "Content-Length: " + std::to_string(length) + "\r\n";
    }
    if (!response.location.empty())
        head += "Location: " + response.location + "\r\n";
    head += "Content-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    if (!sendAll(fd, head.data(), head.size()))
        return;

    const std::size_t pieces = static_cast<std::size_t>(std::max(1, response.pieces));
    const std::size_t pieceSize = (response.body.size() + pieces - 1) / pieces;
    for (std::size_t offset = 0; offset < response.body.size() && !m_stopping; offset += pieceSize) {
        pause(response.pieceDelayMs);
        const std::size_t size = std::min(pieceSize, response.body.size() - offset);
        if (!sendAll(fd, response.body.data() + offset, size))
            return;
    }
    ::shutdown(fd, SHUT_WR);
    // Let the client read to the end before the socket closes.
    while (::recv(fd, buffer, sizeof buffer, 0) > 0) { }
}

int unusedPort()
{
    int port = 0;
    const int fd = listenOnLoopback(port);
    ::close(fd);
    return port;
}

} // namespace renovo::test
