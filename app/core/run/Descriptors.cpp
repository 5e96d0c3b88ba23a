// How many more files this process may open.
#include "run/Descriptors.h"

#include <algorithm>
#include <climits>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

int FreeDescriptors() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return INT_MAX;
    const long long allowed = static_cast<long long>(std::min<rlim_t>(limit.rlim_cur, INT_MAX));
    long long open = 0;
    if (DIR* folder = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(folder))
            if (entry->d_name[0] != '.')
                ++open;
        ::closedir(folder);
        --open; // the folder's own
    } else {
        // Without /proc: the lowest descriptor free is a fair guess of how many are open.
        const int probe = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        open = probe < 0 ? allowed : probe;
        if (probe >= 0)
            ::close(probe);
    }
    return static_cast<int>(std::max(0LL, allowed - open));
}

bool DescriptorsToSpare(int count) {
    std::vector<int> taken;
    bool spare = true;
    for (int i = 0; i < count && spare; ++i) {
        const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        spare = fd >= 0;
        if (spare)
            taken.push_back(fd);
    }
    for (const int fd : taken)
        ::close(fd);
    return spare;
}
