// The real WinHTTP client against a server of our own on 127.0.0.1: the update check's
// request, an error status, and a server that never answers (the time-outs hold while this
// thread keeps answering its messages). A feedback document posted by the real program:
// the feedback_sent e2e story.

#include <gtest/gtest.h>
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/http_client_win32.h"
#include "services/service_address.h"
#include "services/update_check.h"
#include "win32/message_pump.h"
#include "win32/plain_window.h"

namespace tessary::testing {
namespace {

struct ServerAnswer {
  int status = 200;
  std::string body;
};

// A tiny HTTP server on 127.0.0.1: it listens on a free port on a thread of its own, reads
// the head (request line and headers) of one request per connection and answers with what
// the test's handler says. Without a handler it never takes a connection: the system
// completes it and keeps the request, which is never answered. No other network is touched.
class LocalHttpServer {
 public:
  explicit LocalHttpServer(std::function<ServerAnswer(const std::string& head)> handler)
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
    if (!handler_) return;
    thread_ = std::thread([this] {
      SOCKET connection;
      while ((connection = accept(listener_, nullptr, nullptr)) != INVALID_SOCKET) {
        Handle(connection);
      }
    });
  }
  ~LocalHttpServer() {
    closesocket(listener_);  // ends the accept
    if (thread_.joinable()) thread_.join();
    WSACleanup();
  }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  // The update check sends no body.
  static std::string ReadHead(SOCKET connection) {
    std::string data;
    char buffer[4096];
    while (data.find("\r\n\r\n") == std::string::npos) {
      const int got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      data.append(buffer, static_cast<std::size_t>(got));
    }
    return data.substr(0, data.find("\r\n\r\n"));
  }
  void Handle(SOCKET connection) {
    const ServerAnswer answer = handler_(ReadHead(connection));
    const std::string response = "HTTP/1.1 " + std::to_string(answer.status) +
                                 " Answer\r\nContent-Type: application/json\r\nContent-Length: " +
                                 std::to_string(answer.body.size()) +
                                 "\r\nConnection: close\r\n\r\n" + answer.body;
    send(connection, response.data(), static_cast<int>(response.size()), 0);
    shutdown(connection, SD_SEND);
    closesocket(connection);
  }

  std::function<ServerAnswer(const std::string& head)> handler_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::thread thread_;
};

constexpr const char* kDocumentPath = "/download/Tessary-Windows.json";

std::optional<UpdateOutcome> CheckAgainst(LocalHttpServer& server, double limitSeconds = 5) {
  Win32HttpClient http;
  // The outcome comes from the client's worker thread.
  std::atomic<int> posted{-1};
  UpdateCheck check(http, *ParseServiceUrl(server.Url(kDocumentPath)), "1.4.2", 7,
                    [&posted](UpdateOutcome outcome) { posted = static_cast<int>(outcome); });
  check.Start(true);
  if (!PumpMessagesUntil([&] { return posted >= 0; }, limitSeconds)) return std::nullopt;
  return static_cast<UpdateOutcome>(posted.load());
}

// (A document that offers a newer version, fetched by the real program: the update_found
// e2e story.)
TEST(Win32HttpClient, TheUpdateCheckNamesItselfAndAnErrorStatusIsUnreachable) {
  std::string head;
  LocalHttpServer server([&](const std::string& request) {
    head = request;
    return ServerAnswer{500, R"({"version":"1.5.0","build":8})"};
  });
  EXPECT_EQ(CheckAgainst(server), UpdateOutcome::kUnreachable);
  EXPECT_EQ(head.rfind(std::string("GET ") + kDocumentPath + " HTTP/1.1", 0), 0u) << head;
  EXPECT_NE(head.find("User-Agent: Tessary-Windows/1.4.2"), std::string::npos) << head;
}

TEST(Win32HttpClient, AServerThatNeverAnswersFailsAfterTheReceiveTimeOutWhileMessagesFlow) {
  LocalHttpServer server(nullptr);
  // A window of this thread that another thread keeps asking something meanwhile.
  HWND window = ThrowawayWindow(0, HWND_MESSAGE);
  ASSERT_NE(window, nullptr);
  std::atomic<bool> stop{false};
  std::atomic<int> answered{0};
  std::atomic<int> slow{0};
  std::thread asker([&] {
    while (!stop) {
      DWORD_PTR result = 0;
      const ULONGLONG before = GetTickCount64();
      if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &result)) ++answered;
      if (GetTickCount64() - before > 500) ++slow;
      Sleep(50);
    }
  });
  const ULONGLONG start = GetTickCount64();
  const std::optional<UpdateOutcome> outcome = CheckAgainst(server, 30);
  const double seconds = static_cast<double>(GetTickCount64() - start) / 1000.0;
  stop = true;
  asker.join();
  DestroyWindow(window);
  EXPECT_EQ(outcome, UpdateOutcome::kUnreachable);
  // The receive time-out is 8 s: the check neither gives up early nor hangs on.
  EXPECT_GE(seconds, 7.5);
  EXPECT_LT(seconds, 20.0);
  EXPECT_GT(answered, 50);
  EXPECT_EQ(slow, 0);
}

}  // namespace
}  // namespace tessary::testing
