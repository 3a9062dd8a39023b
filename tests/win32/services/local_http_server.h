#pragma once

// A tiny HTTP server on 127.0.0.1 for the services' tests: it listens on a free port on a
// thread of its own, reads the head (request line and headers) of one request per
// connection and answers with what the test's handler says, or never answers at all. No
// other network is touched.

#include <winsock2.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tessary::testing {

struct ServerAnswer {
  bool answer = true;  // false: keep the connection open and say nothing
  int status = 200;
  std::string body;
};

class LocalHttpServer {
 public:
  explicit LocalHttpServer(std::function<ServerAnswer(const std::string& head)> handler);
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  void Handle(SOCKET connection);

  std::function<ServerAnswer(const std::string& head)> handler_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  // Connections left unanswered, closed at the end (after the server's thread is gone).
  std::vector<SOCKET> silent_;
  std::thread thread_;
};

}  // namespace tessary::testing
