#include "CurlClient.h"

#include <algorithm>
#include <memory>

namespace kor::test {

namespace {

size_t Collect(char* data, size_t size, size_t count, void* target)
{
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

int CollectServerText(CURL*, curl_infotype type, char* data, size_t size, void* target)
{
    if (type == CURLINFO_HEADER_IN) {
        static_cast<std::string*>(target)->append(data, size);
    }
    return 0;
}

using Handle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

Handle NewHandle()
{
    Handle handle(curl_easy_init(), &curl_easy_cleanup);
    curl_easy_setopt(handle.get(), CURLOPT_PROXY, "");
    curl_easy_setopt(handle.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(handle.get(), CURLOPT_NOSIGNAL, 1L);
    return handle;
}

} // namespace

HttpCall Call(std::string url)
{
    HttpCall call;
    call.url = std::move(url);
    return call;
}

HttpCall& HttpCall::As(std::string userName, std::string pass, unsigned long scheme)
{
    user = std::move(userName);
    password = std::move(pass);
    auth = scheme;
    return *this;
}

HttpCall& HttpCall::Posting(std::string data)
{
    post = true;
    body = std::move(data);
    return *this;
}

HttpCall& HttpCall::WaitingAtMost(long milliseconds)
{
    timeoutMs = milliseconds;
    return *this;
}

HttpAnswer Http(const HttpCall& call)
{
    HttpAnswer answer;
    Handle handle = NewHandle();
    CURL* curl = handle.get();
    curl_easy_setopt(curl, CURLOPT_URL, call.url.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, call.timeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer.body);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &answer.headers);
    if (!call.user.empty() || !call.password.empty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, call.user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, call.password.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPAUTH, call.auth);
    }
    curl_slist* headers = curl_slist_append(nullptr, "Expect:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    if (call.post) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, call.body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(call.body.size()));
    }
    answer.code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &answer.status);
    curl_slist_free_all(headers);
    return answer;
}

namespace {

struct Upload
{
    const std::string* data;
    size_t offset = 0;
};

size_t ReadUpload(char* buffer, size_t size, size_t count, void* source)
{
    auto* upload = static_cast<Upload*>(source);
    const size_t n = std::min(size * count, upload->data->size() - upload->offset);
    upload->data->copy(buffer, n, upload->offset);
    upload->offset += n;
    return n;
}

Handle FtpHandle(const std::string& address, int port, const std::string& user, const std::string& password,
                 const std::string& path, FtpAnswer& answer)
{
    Handle handle = NewHandle();
    CURL* curl = handle.get();
    const std::string url = "ftp://" + address + ":" + std::to_string(port) + "/" + path;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 20L);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, CollectServerText);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &answer.serverText);
    return handle;
}

} // namespace

FtpAnswer FtpUpload(const std::string& address, int port, const std::string& user,
                    const std::string& password, const std::string& path, const std::string& data,
                    const std::vector<std::string>& postQuote)
{
    FtpAnswer answer;
    Handle handle = FtpHandle(address, port, user, password, path, answer);
    CURL* curl = handle.get();
    Upload upload{&data};
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(data.size()));
    curl_slist* quote = nullptr;
    for (const std::string& command : postQuote) {
        quote = curl_slist_append(quote, command.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, quote);
    answer.code = curl_easy_perform(curl);
    curl_slist_free_all(quote);
    return answer;
}

FtpAnswer FtpDownload(const std::string& address, int port, const std::string& user,
                      const std::string& password, const std::string& path)
{
    FtpAnswer answer;
    Handle handle = FtpHandle(address, port, user, password, path, answer);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &answer.body);
    answer.code = curl_easy_perform(handle.get());
    return answer;
}

} // namespace kor::test
