#include "platform/win32/http_client_win32.h"

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/win32/wide_text.h"

namespace tessary {
namespace {

// Closes one WinHTTP handle when the scope ends.
class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_ != nullptr) WinHttpCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

struct Job {
  HttpRequest request;
  std::function<void(HttpResponse)> done;
};

DWORD WINAPI Worker(void* parameter) {
  std::unique_ptr<Job> job(static_cast<Job*>(parameter));
  job->done(PerformHttpRequest(job->request));
  return 0;
}

HINTERNET OpenSession(const HttpRequest& request) {
  const std::wstring agent = WideFromUtf8(request.userAgent);
#ifdef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
  // The system's proxy configuration, found automatically where it can be (Windows 8.1+).
  if (HINTERNET session = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY,
                                      WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {
    return session;
  }
#endif
  return WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                     WINHTTP_NO_PROXY_BYPASS, 0);
}

// The body in the chunks the server makes available, up to the request's limit.
std::string ReadBody(HINTERNET request, std::size_t limit) {
  std::string body;
  while (body.size() < limit) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request, &available) || available == 0) break;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(available, limit - body.size()));
    const std::size_t at = body.size();
    body.resize(at + wanted);
    DWORD read = 0;
    if (!WinHttpReadData(request, body.data() + at, wanted, &read) || read == 0) {
      body.resize(at);
      break;
    }
    body.resize(at + read);
  }
  return body;
}

}  // namespace

HttpResponse PerformHttpRequest(const HttpRequest& r) {
  HttpResponse response;
  InternetHandle session(OpenSession(r));
  if (!session) return response;
  WinHttpSetTimeouts(session.Get(), r.timeouts.resolve, r.timeouts.connect, r.timeouts.send,
                     r.timeouts.receive);
  InternetHandle connection(
      WinHttpConnect(session.Get(), WideFromUtf8(r.address.host).c_str(), r.address.port, 0));
  if (!connection) return response;
  InternetHandle request(WinHttpOpenRequest(
      connection.Get(), WideFromUtf8(r.method).c_str(), WideFromUtf8(r.address.path).c_str(),
      nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
      r.address.secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return response;
  // The wait for the answer's headers has a time-out of its own (90 s by default): a
  // server that takes the request and never answers must fail after `receive` as well.
  DWORD receive = static_cast<DWORD>(r.timeouts.receive);
  WinHttpSetOption(request.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &receive, sizeof receive);
  const std::wstring headers =
      r.contentType.empty() ? std::wstring() : L"Content-Type: " + WideFromUtf8(r.contentType) + L"\r\n";
  const DWORD length = static_cast<DWORD>(r.body.size());
  void* body = length == 0 ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(r.body.data());
  if (!WinHttpSendRequest(request.Get(), headers.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : headers.c_str(),
                          headers.empty() ? 0 : static_cast<DWORD>(-1L), body, length, length, 0) ||
      !WinHttpReceiveResponse(request.Get(), nullptr)) {
    return response;
  }
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    return response;
  }
  response.answered = true;
  response.status = static_cast<int>(status);
  response.body = ReadBody(request.Get(), r.maxResponseBytes);
  return response;
}

void Win32HttpClient::Send(HttpRequest request, std::function<void(HttpResponse)> done) {
  auto job = std::make_unique<Job>(Job{std::move(request), std::move(done)});
  if (QueueUserWorkItem(Worker, job.get(), WT_EXECUTELONGFUNCTION)) {
    job.release();  // the worker owns it now
    return;
  }
  // No worker to be had: the request fails, as a network error would.
  job->done(HttpResponse{});
}

}  // namespace tessary
