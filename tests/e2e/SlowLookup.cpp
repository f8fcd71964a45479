// Preloaded into the program under test: the name "slow.invalid" stands for
// 127.0.0.1, and while the file named by QUENDRASIL_SLOW_LOOKUP exists each
// lookup of it takes two seconds, as with a name server that answers late.
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <netdb.h>
#include <unistd.h>

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** res)
{
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto real = reinterpret_cast<Lookup>(dlsym(RTLD_NEXT, "getaddrinfo"));
    if (node && std::strcmp(node, "slow.invalid") == 0) {
        const char* flag = std::getenv("QUENDRASIL_SLOW_LOOKUP");
        if (flag && access(flag, F_OK) == 0)
            sleep(2);
        node = "127.0.0.1";
    }
    return real(node, service, hints, res);
}
