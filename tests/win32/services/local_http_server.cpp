#include "win32/services/local_http_server.h"

#include <ws2tcpip.h>

#include <cstdlib>

namespace tessary::testing {
namespace {

// The head and as much of the body as Content-Length announces.
ReceivedRequest ReadRequest(SOCKET connection) {
  std::string data;
  char buffer[4096];
  std::size_t headEnd = std::string::npos;
  std::size_t wanted = 0;
  for (;;) {
    if (headEnd != std::string::npos && data.size() >= headEnd + 4 + wanted) break;
    const int got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    data.append(buffer, static_cast<std::size_t>(got));
    if (headEnd == std::string::npos && (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
      const std::string head = data.substr(0, headEnd);
      for (const char* name : {"Content-Length: ", "content-length: "}) {
        const std::size_t at = head.find(name);
        if (at != std::string::npos) wanted = std::strtoul(head.c_str() + at + 16, nullptr, 10);
      }
    }
  }
  if (headEnd == std::string::npos) return {data, ""};
  return {data.substr(0, headEnd), data.substr(headEnd + 4)};
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::function<ServerAnswer(const ReceivedRequest&)> handler)
    : handler_(std::move(handler)) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // any free port
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener_, 8);
  int length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  stopping_ = true;
  closesocket(listener_);  // ends the accept
  thread_.join();
  for (SOCKET connection : silent_) closesocket(connection);
  WSACleanup();
}

void LocalHttpServer::Serve() {
  while (!stopping_) {
    const SOCKET connection = accept(listener_, nullptr, nullptr);
    if (connection == INVALID_SOCKET) return;
    Handle(connection);
  }
}

void LocalHttpServer::Handle(SOCKET connection) {
  const ServerAnswer answer = handler_(ReadRequest(connection));
  if (!answer.answer) {
    std::lock_guard lock(mutex_);
    silent_.push_back(connection);
    return;
  }
  const std::string response = "HTTP/1.1 " + std::to_string(answer.status) +
                               " Answer\r\nContent-Type: application/json\r\nContent-Length: " +
                               std::to_string(answer.body.size()) +
                               "\r\nConnection: close\r\n\r\n" + answer.body;
  send(connection, response.data(), static_cast<int>(response.size()), 0);
  shutdown(connection, SD_SEND);
  closesocket(connection);
}

}  // namespace tessary::testing
