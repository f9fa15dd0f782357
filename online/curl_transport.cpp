#include "curl_transport.h"

#include "gzip_text.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

constexpr long connect_ms = 4000;
// Submitting waits for the server to play the run again: a long run takes a while.
constexpr long whole_ms = 30000;

struct transfer {
    std::string* body;
    std::size_t most_bytes;
    bool too_large = false;
    const std::atomic<bool>* stopping;
};

size_t take_bytes(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<transfer*>(user);
    const size_t bytes = size * count;
    if (t->body->size() + bytes > t->most_bytes) {
        t->too_large = true;
        return 0;
    }
    t->body->append(data, bytes);
    return bytes;
}

int keep_going(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<transfer*>(user)->stopping->load() ? 1 : 0;
}

}

curl_transport::curl_transport()
{
    // Not thread-safe itself: done once, before any request thread runs.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

http_reply curl_transport::send(const http_request& request, const std::atomic<bool>& stopping)
{
    http_reply reply;
    const std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        reply.error = "libcurl could not start a request";
        return reply;
    }
    transfer t{&reply.body, request.most_bytes, false, &stopping};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, connect_ms);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, whole_ms);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "quillax");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, take_bytes);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, keep_going);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
    std::string sent;
    curl_slist* list = nullptr;
    if (request.post) {
        sent = request.gzip ? gzip_text::compress(request.body) : request.body;
        list = curl_slist_append(list, "Content-Type: application/json");
        if (request.gzip)
            list = curl_slist_append(list, "Content-Encoding: gzip");
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, sent.data());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(sent.size()));
    }
    const std::unique_ptr<curl_slist, void (*)(curl_slist*)> owned(list, curl_slist_free_all);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, list);
    const CURLcode result = curl_easy_perform(c);
    if (t.too_large) {
        reply.too_large = true;
        reply.error = "the answer is larger than " + std::to_string(request.most_bytes) + " bytes";
        reply.body.clear();
        return reply;
    }
    if (result != CURLE_OK) {
        reply.error = curl_easy_strerror(result);
        reply.body.clear();
        return reply;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    reply.status = int(status);
    return reply;
}
