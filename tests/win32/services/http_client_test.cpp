// The real WinHTTP client against a server of our own on 127.0.0.1: the update check's
// request, an error status, and a server that never answers (the time-outs hold while this
// thread keeps answering its messages). A feedback document posted by the real program:
// the feedback_sent e2e story.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>

#include "platform/win32/http_client_win32.h"
#include "services/service_address.h"
#include "services/update_check.h"
#include "win32/message_pump.h"
#include "win32/plain_window.h"
#include "win32/services/local_http_server.h"

namespace tessary::testing {
namespace {

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
    return ServerAnswer{true, 500, R"({"version":"1.5.0","build":8})"};
  });
  EXPECT_EQ(CheckAgainst(server), UpdateOutcome::kUnreachable);
  EXPECT_EQ(head.rfind(std::string("GET ") + kDocumentPath + " HTTP/1.1", 0), 0u) << head;
  EXPECT_NE(head.find("User-Agent: Tessary-Windows/1.4.2"), std::string::npos) << head;
}

TEST(Win32HttpClient, AServerThatNeverAnswersFailsAfterTheReceiveTimeOutWhileMessagesFlow) {
  LocalHttpServer server([](const std::string&) { return ServerAnswer{false}; });
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
