#include "win32/services/local_http_server.h"

#include <ws2tcpip.h>

namespace tessary::testing {
namespace {

// The update check sends no body.
std::string ReadHead(SOCKET connection) {
  std::string data;
  char buffer[4096];
  while (data.find("\r\n\r\n") == std::string::npos) {
    const int got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    data.append(buffer, static_cast<std::size_t>(got));
  }
  return data.substr(0, data.find("\r\n\r\n"));
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::function<ServerAnswer(const std::string& head)> handler)
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
  thread_ = std::thread([this] {
    SOCKET connection;
    while ((connection = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET) Handle(connection);
  });
}

LocalHttpServer::~LocalHttpServer() {
  closesocket(listener_);  // ends the accept
  thread_.join();
  for (SOCKET connection : silent_) closesocket(connection);
  WSACleanup();
}

void LocalHttpServer::Handle(SOCKET connection) {
  const ServerAnswer answer = handler_(ReadHead(connection));
  if (!answer.answer) {
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
